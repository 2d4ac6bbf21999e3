<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' Sign-in. The library tells the role: GetRole answers 0 for the system
' administrator whatever the domain, and 1 for a domain administrator asked
' about its own domain, which is found by asking about each domain.
Dim name

Function SignIn(name, password)
  Dim u, list, d
  SignIn = False
  If name = "" Or password = "" Then Exit Function
  Set u = Server.CreateObject("Vantrel.User")
  u.AdminName = name
  u.AdminPassword = password
  ' The library creates its settings file, with the factory administrator,
  ' when AddUser starts; without a user name AddUser does nothing else.
  u.AddUser
  If u.GetRole(0) = ROLE_SYSTEM Then
    Remember name, password, ROLE_SYSTEM, 0
    SignIn = True
    Exit Function
  End If
  Set list = DomainList()
  If list Is Nothing Then Exit Function
  For Each d In list
    If u.GetRole(d.ID) = ROLE_DOMAIN Then
      Remember name, password, ROLE_DOMAIN, d.ID
      SignIn = True
      Exit Function
    End If
  Next
End Function

If SignedIn() Then Response.Redirect HomePage()
name = Posted("name")
If IsPost() Then
  If SignIn(name, PostedSecret("password")) Then Response.Redirect HomePage()
  If g_error = "" Then g_error = T_SIGN_IN_WRONG
ElseIf Param("ended") <> "" Then
  g_notice = T_SESSION_ENDED
ElseIf Param("out") <> "" Then
  g_notice = T_SIGNED_OUT
End If

PageStart T_SIGN_IN
%>
<form class="card narrow" method="post" action="default.asp">
<% TokenField %>
<label><%= H(T_NAME) %> <input name="name" value="<%= H(name) %>" autocomplete="username" required autofocus></label>
<label><%= H(T_PASSWORD) %> <input type="password" name="password" autocomplete="current-password" required></label>
<button><%= H(T_SIGN_IN) %></button>
</form>
<% PageEnd %>
