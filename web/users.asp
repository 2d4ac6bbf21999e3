<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' The user accounts of one domain (?domain=N).
Dim domainID, u, ok, row, listed
RequireSignIn
domainID = DomainParam("domain")
listed = False
If domainID < 0 Then
  g_error = T_BAD_ID
  PageStart T_NAV_USERS
Else
  Set u = Lib("User")
  On Error Resume Next
  ok = u.GetUserList(domainID)
  listed = Succeeded(u, ok)
  On Error GoTo 0
  PageStart Fill(T_USERS_TITLE, DomainName(domainID), "")
End If
If listed Then
  If u.UserList.Count = 0 Then
%><p><%= H(T_NO_USERS) %></p>
<% Else %>
<table>
<tr><th><%= H(T_USER_NAME) %></th><th><%= H(T_STATUS) %></th><th><%= H(T_EXPIRES) %></th></tr>
<% For Each row In u.UserList %>
<tr><td><a href="user.asp?domain=<%= U(domainID) %>&amp;name=<%= U(row.UserName) %>"><%= H(row.UserName) %></a></td>
<td><% If row.Disable Then %><span class="off"><%= H(T_DISABLED) %></span><% Else %><%= H(T_ENABLED) %><% End If %></td>
<td><% If row.Expire Then %><%= H(FormatStamp(row.ExpireDate, " ")) %><% Else %><%= H(T_NEVER) %><% End If %></td></tr>
<% Next %>
</table>
<% End If %>
<p><a class="button" href="user.asp?domain=<%= U(domainID) %>"><%= H(T_ADD_USER) %></a></p>
<% End If
PageEnd %>
