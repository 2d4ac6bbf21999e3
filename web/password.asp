<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' The system administrator's name and password. The library gives no reason
' when it refuses, so the page says which check failed.
Dim a, ok, newName
RequireSystem
newName = Posted("newname")
If newName = "" Then newName = Session("AdminName")

If IsPost() Then
  RequireField newName, T_NEW_NAME
  RequireField PostedSecret("newpassword"), T_NEW_PASSWORD
  If g_error = "" And PostedSecret("newpassword") <> PostedSecret("repeat") Then g_error = T_PASSWORDS_DIFFER
  If g_error = "" Then
    Set a = Lib("AdminOfAdmin")
    On Error Resume Next
    ok = a.ChangeSystemPassword(Posted("oldname"), PostedSecret("oldpassword"), newName, PostedSecret("newpassword"))
    If Succeeded(a, ok) Then
      Session("AdminName") = newName
      Session("AdminPassword") = PostedSecret("newpassword")
      Done T_PASSWORD_CHANGED, "password.asp"
    ElseIf g_error = T_FAILED Then
      g_error = T_OLD_WRONG
    End If
    On Error GoTo 0
  End If
End If

PageStart T_PASSWORD_TITLE
%>
<form class="card narrow" method="post">
<% TokenField %>
<label><%= H(T_OLD_NAME) %> <input name="oldname" value="<%= H(Session("AdminName")) %>" autocomplete="username" required></label>
<label><%= H(T_OLD_PASSWORD) %> <input type="password" name="oldpassword" autocomplete="current-password" required></label>
<label><%= H(T_NEW_NAME) %> <input name="newname" value="<%= H(newName) %>" required></label>
<label><%= H(T_NEW_PASSWORD) %> <input type="password" name="newpassword" autocomplete="new-password" required></label>
<label><%= H(T_REPEAT_PASSWORD) %> <input type="password" name="repeat" autocomplete="new-password" required></label>
<button><%= H(T_SAVE) %></button>
</form>
<% PageEnd %>
