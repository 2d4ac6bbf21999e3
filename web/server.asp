<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' The FTP server this site manages, and the reload signal. Pages that change
' the server's file send the signal themselves; this one sends it on demand.
Dim g
RequireSignIn
If IsPost() Then Done "", "server.asp"
Set g = Lib("Global")
PageStart T_SERVER_TITLE
%>
<table class="facts">
<tr><th><%= H(T_SERVER_FOLDER) %></th><td><%= H(ServUPath) %></td></tr>
<tr><th><%= H(T_SERVER_VERSION) %></th><td><%= H(g.Version) %><% If g.ErrorMsg <> "" Then %> <span class="off">(<%= H(g.ErrorMsg) %>)</span><% End If %></td></tr>
<tr><th><%= H(T_LIBRARY) %></th><td><%= H(Replace(g.About, "|", " | ")) %></td></tr>
</table>
<form method="post">
<% TokenField %>
<button><%= H(T_RELOAD) %></button>
</form>
<% PageEnd %>
