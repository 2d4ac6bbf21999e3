<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' Signing out is a change too: only a POST with the token ends the session.
If IsPost() Then
  Session.Abandon
  Response.Redirect "default.asp?out=1"
End If
Response.Redirect "default.asp"
%>
