<!--#include file="text.asp"-->
<%
' Shared by every page, which includes ServUPath.asp before this file: the
' signed-in administrator, the form token, encoding of output, the library's
' objects and the page frame. The library checks the credentials again at
' every call; the role kept here only decides what the pages offer.

Const ROLE_SYSTEM = 0
Const ROLE_DOMAIN = 1
Const MAX_INTEGER = 32767
Const MAX_LONG = 2147483647

Dim g_error, g_notice   ' shown above the page's content

Response.CharSet = "utf-8"
Response.AddHeader "Cache-Control", "no-store"
Response.AddHeader "X-Frame-Options", "DENY"

' ---- encoding and input

' Text for HTML: element content and double-quoted attribute values.
Function H(value)
  H = Server.HTMLEncode(value & "")
End Function

Function U(value)
  U = Server.URLEncode(value & "")
End Function

Function Fill(text, a, b)
  Fill = Replace(Replace(text, "{0}", a & ""), "{1}", b & "")
End Function

Function Posted(name)
  Posted = Trim(Request.Form(name) & "")
End Function

' Passwords are taken as typed, blanks included.
Function PostedSecret(name)
  PostedSecret = Request.Form(name) & ""
End Function

Function Checked(name)
  Checked = (Request.Form(name) & "" = "1")
End Function

Function Param(name)
  Param = Trim(Request.QueryString(name) & "")
End Function

Function Matches(text, pattern)
  Dim re
  Set re = New RegExp
  re.Pattern = pattern
  Matches = re.Test(text)
End Function

' A whole number typed into a form field; an empty field counts as 0. A
' value out of range leaves the first fault of the form in g_error.
Function NumberField(name, label, low, high)
  Dim v
  v = Posted(name)
  If v = "" Then v = "0"
  NumberField = low
  If Matches(v, "^-?[0-9]{1,10}$") Then
    If CDbl(v) >= low And CDbl(v) <= high Then NumberField = CLng(v) : Exit Function
  End If
  If g_error = "" Then g_error = Replace(Fill(T_BAD_NUMBER, label, low), "{2}", high)
End Function

Sub RequireField(value, label)
  If value = "" And g_error = "" Then g_error = Fill(T_REQUIRED, label, "")
End Sub

' The domain number in the address (?domain= or ?id=), or -1.
Function DomainParam(name)
  DomainParam = -1
  If Matches(Param(name), "^[0-9]{1,5}$") Then
    If CLng(Param(name)) <= MAX_INTEGER Then DomainParam = CInt(Param(name))
  End If
End Function

' Dates as yyyy-mm-dd hh:mm, whatever the server's regional settings.
Function FormatStamp(d, separator)
  FormatStamp = Year(d) & "-" & Right("0" & Month(d), 2) & "-" & Right("0" & Day(d), 2) & separator & _
                Right("0" & Hour(d), 2) & ":" & Right("0" & Minute(d), 2)
End Function

' yyyy-mm-dd, with an optional time hh:mm after a blank or a T (the form a
' browser's date and time field sends). Returns Empty for anything else.
Function ParseStamp(text)
  Dim re, m
  Set re = New RegExp
  re.Pattern = "^([0-9]{4})-([0-9]{2})-([0-9]{2})(?:[T ]([0-9]{2}):([0-9]{2}))?$"
  If Not re.Test(text) Then Exit Function
  Set m = re.Execute(text)(0).SubMatches
  If CInt(m(1)) < 1 Or CInt(m(1)) > 12 Or CInt(m(2)) < 1 Or CInt(m(2)) > 31 Then Exit Function
  ParseStamp = DateSerial(CInt(m(0)), CInt(m(1)), CInt(m(2)))
  If Day(ParseStamp) <> CInt(m(2)) Then ParseStamp = Empty : Exit Function
  If m(3) <> "" Then
    If CInt(m(3)) > 23 Or CInt(m(4)) > 59 Then ParseStamp = Empty : Exit Function
    ParseStamp = ParseStamp + TimeSerial(CInt(m(3)), CInt(m(4)), 0)
  End If
End Function

' ---- the form token: every change is a POST that carries it

Function Token()
  If Session("Token") = "" Then Session("Token") = NewToken()
  Token = Session("Token")
End Function

' A new GUID: 122 random bits from the system's generator.
Function NewToken()
  NewToken = Mid(Server.CreateObject("Scriptlet.TypeLib").Guid, 2, 36)
End Function

Sub TokenField()
  Response.Write "<input type=""hidden"" name=""token"" value=""" & H(Token()) & """>"
End Sub

' True for a POST with this session's token. A POST without it is refused:
' the page then changes nothing and shows itself as for a GET.
Function IsPost()
  IsPost = False
  If UCase(Request.ServerVariables("REQUEST_METHOD")) <> "POST" Then Exit Function
  If Session("Token") <> "" And PostedSecret("token") = Session("Token") Then
    IsPost = True
  Else
    Response.Status = "403 Forbidden"
    g_error = T_BAD_TOKEN
  End If
End Function

' ---- the signed-in administrator

Function SignedIn()
  SignedIn = (Session("AdminName") & "" <> "")
End Function

Function IsSystem()
  IsSystem = SignedIn() And Session("Role") = ROLE_SYSTEM
End Function

Sub Remember(name, password, role, domainID)
  Session("AdminName") = name
  Session("AdminPassword") = password
  Session("Role") = role
  Session("DomainID") = domainID
  Session("Token") = NewToken()
End Sub

Function HomePage()
  If IsSystem() Then HomePage = "domains.asp" Else HomePage = "users.asp?domain=" & Session("DomainID")
End Function

Function RoleName()
  If IsSystem() Then RoleName = T_ROLE_SYSTEM Else RoleName = Fill(T_ROLE_DOMAIN, Session("DomainID"), "")
End Function

' Every page but the sign-in page. The stored name and password must still
' give the stored role: a changed password or a deleted administrator ends
' the session.
Sub RequireSignIn()
  If SignedIn() Then
    If Lib("User").GetRole(Session("DomainID")) = Session("Role") Then Exit Sub
    Session.Abandon
    Response.Redirect "default.asp?ended=1"
  End If
  Response.Redirect "default.asp"
End Sub

Sub RequireSystem()
  RequireSignIn
  If IsSystem() Then Exit Sub
  Response.Status = "403 Forbidden"
  g_error = T_SYSTEM_ONLY
  PageStart T_REFUSED
  PageEnd
  Response.End
End Sub

' ---- the library

' A library object with the server folder and the signed-in credentials set.
Function Lib(className)
  Dim o
  Set o = Server.CreateObject("Vantrel." & className)
  Select Case className
    Case "AdminOfAdmin"
      o.Administrator = Session("AdminName") & ""
      o.Password = Session("AdminPassword") & ""
    Case "Explorer"
      o.AdminName = Session("AdminName") & ""
      o.AdminPassword = Session("AdminPassword") & ""
    Case "Global"
      o.ServUPath = ServUPath
    Case Else
      o.ServUPath = ServUPath
      o.AdminName = Session("AdminName") & ""
      o.AdminPassword = Session("AdminPassword") & ""
  End Select
  Set Lib = o
End Function

' Call right after a library call made under On Error Resume Next, with the
' object and what the call returned. True when it succeeded; otherwise the
' reason is in g_error: the automation error, or the object's message.
Function Succeeded(obj, result)
  Succeeded = False
  If Err.Number <> 0 Then
    g_error = Fill(T_LIBRARY_ERROR, Err.Number, Err.Description)
    Err.Clear
  ElseIf result = True Then
    Succeeded = True
  ElseIf obj.ErrorMsg <> "" Then
    g_error = obj.ErrorMsg
  Else
    g_error = T_FAILED
  End If
End Function

' After a change: tells the FTP server to reload its settings and goes to
' the given page, which shows what was done.
Sub Done(message, url)
  Dim d, ok
  Set d = Lib("Domains")
  On Error Resume Next
  ok = d.Reload()
  If Succeeded(d, ok) Then
    Session("Notice") = Trim(message & " " & T_RELOADED)
  Else
    Session("Notice") = Trim(message & " " & Fill(T_NOT_RELOADED, g_error, ""))
  End If
  On Error GoTo 0
  Response.Redirect url
End Sub

' The domain list, or Nothing with the reason in g_error.
Function DomainList()
  Dim d, ok
  Set d = Lib("Domains")
  Set DomainList = Nothing
  On Error Resume Next
  ok = d.GetDomain()
  If Succeeded(d, ok) Then Set DomainList = d.Domain
  On Error GoTo 0
End Function

Function DomainName(id)
  Dim list, d
  DomainName = T_DOMAIN & " " & id
  Set list = DomainList()
  If list Is Nothing Then Exit Function
  For Each d In list
    If d.ID = id Then DomainName = d.HostName
  Next
End Function

' ---- the page frame

Sub PageStart(title)
  Dim notice
  notice = Session("Notice") & ""
  If notice <> "" Then Session("Notice") = ""
%><!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title><%= H(title) %> - <%= H(T_PRODUCT) %></title>
<link rel="stylesheet" href="site.css">
</head>
<body>
<header>
<a class="brand" href="default.asp"><%= H(T_PRODUCT) %></a>
<% If SignedIn() Then %>
<nav>
<% If IsSystem() Then %>
<a href="domains.asp"><%= H(T_NAV_DOMAINS) %></a>
<a href="admins.asp"><%= H(T_NAV_ADMINS) %></a>
<a href="publicdirs.asp"><%= H(T_NAV_PUBLIC) %></a>
<a href="password.asp"><%= H(T_NAV_PASSWORD) %></a>
<% Else %>
<a href="<%= H(HomePage()) %>"><%= H(T_NAV_USERS) %></a>
<% End If %>
<a href="browse.asp"><%= H(T_NAV_FOLDERS) %></a>
<a href="server.asp"><%= H(T_NAV_SERVER) %></a>
</nav>
<form class="who" method="post" action="signout.asp">
<span><%= H(Session("AdminName")) %>, <%= H(RoleName()) %></span>
<% TokenField %><button><%= H(T_SIGN_OUT) %></button>
</form>
<% End If %>
</header>
<main>
<h1><%= H(title) %></h1>
<% If g_error <> "" Then %><p class="error" role="alert"><%= H(g_error) %></p><% End If %>
<% If notice <> "" Then %><p class="notice" role="status"><%= H(notice) %></p><% End If %>
<% If g_notice <> "" Then %><p class="notice" role="status"><%= H(g_notice) %></p><% End If %>
<%
End Sub

Sub PageEnd()
%>
</main>
<footer><%= H(T_PRODUCT) %> &middot; <%= H(T_FOOTER) %></footer>
</body>
</html>
<%
End Sub

' A folder field with a link that opens the folder browser for it.
Sub FolderInput(id, name, value, required)
%><span class="folder"><input id="<%= H(id) %>" name="<%= H(name) %>" value="<%= H(value) %>"<% If required Then %> required<% End If %>>
<a href="browse.asp?field=<%= U(id) %>&amp;dir=<%= U(value) %>" target="_blank" rel="opener"><%= H(T_BROWSE) %></a></span><%
End Sub
%>
