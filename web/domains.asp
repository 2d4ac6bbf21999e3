<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' The FTP server's domains. A domain administrator sees its own domain only.
Dim list, d
RequireSignIn
Set list = DomainList()
PageStart T_DOMAINS_TITLE
If Not list Is Nothing Then
  If list.Count = 0 Then
%><p><%= H(T_NO_DOMAINS) %></p>
<% Else %>
<table>
<tr><th><%= H(T_DOMAIN_ID) %></th><th><%= H(T_HOST) %></th><th><%= H(T_IP) %></th><th><%= H(T_PORT) %></th><th></th></tr>
<% For Each d In list
     If IsSystem() Or d.ID = Session("DomainID") Then %>
<tr><td><%= H(d.ID) %></td><td><%= H(d.HostName) %></td><td><%= H(d.IP) %></td><td><%= H(d.port) %></td>
<td class="actions"><a href="users.asp?domain=<%= U(d.ID) %>"><%= H(T_USERS) %></a>
<% If IsSystem() Then %><a href="domain.asp?id=<%= U(d.ID) %>"><%= H(T_EDIT) %></a><% End If %></td></tr>
<%   End If
   Next %>
</table>
<% End If
End If
If IsSystem() Then %>
<p><a class="button" href="domain.asp"><%= H(T_ADD_DOMAIN) %></a></p>
<% End If
PageEnd %>
