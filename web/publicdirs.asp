<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' Public folders: listed, added and removed.
Dim a, ok, item, folder
RequireSystem
Set a = Lib("AdminOfAdmin")
folder = Posted("folder")

If IsPost() Then
  RequireField folder, T_FOLDER
  If g_error = "" Then
    On Error Resume Next
    If Posted("action") = "delete" Then
      ok = a.DelPublicDir(folder)
      If Succeeded(a, ok) Then Done Fill(T_PUBLIC_DELETED, folder, ""), "publicdirs.asp"
    Else
      ok = a.AddPublicDir(folder)
      If Succeeded(a, ok) Then Done Fill(T_PUBLIC_ADDED, folder, ""), "publicdirs.asp"
    End If
    On Error GoTo 0
  End If
End If

PageStart T_PUBLIC_TITLE
%><p><%= H(T_PUBLIC_NOTE) %></p>
<%
On Error Resume Next
ok = a.GetPublicDir()
ok = Succeeded(a, ok)
On Error GoTo 0
If ok Then
  If a.PublicDir.Count = 0 Then
%><p><%= H(T_NO_PUBLIC) %></p>
<% Else %>
<table>
<tr><th><%= H(T_FOLDER) %></th><th></th></tr>
<% For Each item In a.PublicDir %>
<tr><td><%= H(item.Directory) %></td>
<td><form method="post" class="inline"><% TokenField %><input type="hidden" name="folder" value="<%= H(item.Directory) %>">
<button name="action" value="delete" class="link"><%= H(T_DELETE) %></button></form></td></tr>
<% Next %>
</table>
<% End If
End If %>
<h2><%= H(T_ADD_PUBLIC) %></h2>
<form class="card" method="post">
<% TokenField %>
<label><%= H(T_FOLDER) %> <% FolderInput "f_folder", "folder", "", True %></label>
<button name="action" value="add"><%= H(T_ADD) %></button>
</form>
<% PageEnd %>
