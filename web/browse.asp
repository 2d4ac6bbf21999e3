<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' Folders and files of one folder (?dir=), as far as the signed-in
' administrator may see them. Opened from a form's Browse link (?field= names
' the form's input), it offers to put the folder into that field.
Dim x, ok, dir, field, parent, item, listed

Function FolderLink(path, text)
  FolderLink = "<a href=""browse.asp?field=" & U(field) & "&amp;dir=" & U(path) & """>" & H(text) & "</a>"
End Function

RequireSignIn
field = Param("field")
If Not Matches(field, "^[A-Za-z0-9_]{0,40}$") Then field = ""
dir = Param("dir")
If dir = "" Then
  If IsSystem() Then dir = "C:\" Else dir = "C:\Vantrel\"
End If
If Right(dir, 1) <> "\" Then dir = dir & "\"
parent = Left(dir, InStrRev(dir, "\", Len(dir) - 1))

Set x = Lib("Explorer")
x.CurrentDir = dir
On Error Resume Next
ok = x.List()
listed = Succeeded(x, ok)
On Error GoTo 0

PageStart T_FOLDERS_TITLE
%>
<form class="bar" method="get" action="browse.asp">
<input type="hidden" name="field" value="<%= H(field) %>">
<input name="dir" value="<%= H(dir) %>" aria-label="<%= H(T_FOLDER) %>">
<button><%= H(T_GO) %></button>
<% If field <> "" Then %><button type="button" id="pick" data-field="<%= H(field) %>" data-path="<%= H(dir) %>"><%= H(T_USE_FOLDER) %></button><% End If %>
</form>
<% If listed Then %>
<table>
<tr><th><%= H(T_FOLDER) %></th><th><%= H(T_SIZE) %></th><th><%= H(T_CHANGED) %></th></tr>
<% If parent <> "" Then %><tr><td><%= FolderLink(parent, T_UP) %></td><td></td><td></td></tr><% End If %>
<% For Each item In x.Directory %>
<tr><td class="dir"><%= FolderLink(dir & item.DirName, item.DirName) %></td><td></td><td><%= H(FormatStamp(item.CreationTime, " ")) %></td></tr>
<% Next
   For Each item In x.File %>
<tr><td class="file"><%= H(item.FileName) %></td><td class="number"><%= H(item.FileLength) %></td><td><%= H(FormatStamp(item.LastWriteTime, " ")) %></td></tr>
<% Next %>
</table>
<% If x.Directory.Count + x.File.Count = 0 Then %><p><%= H(T_EMPTY_FOLDER) %></p><% End If
End If
If field <> "" Then %>
<script>
document.getElementById("pick").onclick = function () {
  var target = window.opener && window.opener.document.getElementById(this.dataset.field);
  if (target) { target.value = this.dataset.path; window.close(); }
};
</script>
<% End If
PageEnd %>
