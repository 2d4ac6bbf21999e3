<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' Domain administrators: listed, added and deleted. Their passwords are
' stored in plain text by the library and are never shown here.
Dim a, ok, item, name, domainID, root, domains, d
RequireSystem
Set a = Lib("AdminOfAdmin")
name = Posted("name")
root = Posted("root")
domainID = Posted("domain")

If IsPost() Then
  If Posted("action") = "delete" Then
    On Error Resume Next
    ok = a.DelAdmin(name)
    If Succeeded(a, ok) Then Done Fill(T_ADMIN_DELETED, name, ""), "admins.asp"
    On Error GoTo 0
  Else
    RequireField name, T_NAME
    RequireField PostedSecret("password"), T_PASSWORD
    RequireField root, T_ROOT
    domainID = NumberField("domain", T_DOMAIN, 0, MAX_INTEGER)
    If g_error = "" Then
      On Error Resume Next
      ok = a.AddAdmin(name, PostedSecret("password"), domainID, root)
      If Succeeded(a, ok) Then Done Fill(T_ADMIN_ADDED, name, ""), "admins.asp"
      On Error GoTo 0
    End If
  End If
End If

PageStart T_ADMINS_TITLE
On Error Resume Next
ok = a.GetAdminList()
ok = Succeeded(a, ok)
On Error GoTo 0
If ok Then
  If a.Admin.Count = 0 Then
%><p><%= H(T_NO_ADMINS) %></p>
<% Else %>
<table>
<tr><th><%= H(T_NAME) %></th><th><%= H(T_DOMAIN) %></th><th><%= H(T_ROOT) %></th><th></th></tr>
<% For Each item In a.Admin %>
<tr><td><%= H(item.AdminName) %></td><td><%= H(item.DomainID) %></td><td><%= H(item.RootDir) %></td>
<td><form method="post" class="inline"><% TokenField %><input type="hidden" name="name" value="<%= H(item.AdminName) %>">
<button name="action" value="delete" class="link"><%= H(T_DELETE) %></button></form></td></tr>
<% Next %>
</table>
<% End If
End If
Set domains = DomainList()
%>
<h2><%= H(T_ADD_ADMIN) %></h2>
<form class="card" method="post">
<% TokenField %>
<label><%= H(T_NAME) %> <input name="name" value="<%= H(name) %>" required></label>
<label><%= H(T_PASSWORD) %> <input type="password" name="password" autocomplete="new-password" required></label>
<label><%= H(T_DOMAIN) %> <select name="domain">
<% If Not domains Is Nothing Then
     For Each d In domains %><option value="<%= H(d.ID) %>"<% If CStr(d.ID) = CStr(domainID) Then %> selected<% End If %>><%= H(d.HostName) %> (<%= H(d.ID) %>)</option>
<%   Next
   End If %></select></label>
<label><%= H(T_ROOT) %> <% FolderInput "f_root", "root", root, True %></label>
<button name="action" value="add"><%= H(T_ADD) %></button>
</form>
<% PageEnd %>
