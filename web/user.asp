<%@ Language="VBScript" CodePage="65001" %><% Option Explicit %>
<!--#include file="ServUPath.asp"-->
<!--#include file="inc/site.asp"-->
<%
' One user account of a domain: shown, changed or deleted (?domain=N&name=X),
' or added (no name). A change starts from the stored account (GetUser), so
' the stored password is written back unless a new one is typed.
Const BLANK_RULES = 2
Dim domainID, original, u, ok, back, hasPassword, rule, i, k

Function RightName(k)
  Dim names
  names = Split(T_RIGHT_NAMES, "|")
  RightName = names(k - 1)
End Function

Function Ticked(flag)
  If flag Then Ticked = " checked" Else Ticked = ""
End Function

Sub ReadForm(u)
  Dim stamp, i, k, dir, rights(8)
  u.UserName = Posted("username")
  RequireField u.UserName, T_USER_NAME
  ' Only a typed password is set: setting "" would empty the property, and
  ' the account would then be written back without any password.
  If PostedSecret("password") <> "" Then u.Password = PostedSecret("password")
  u.HomeDir = Posted("home")
  u.Disable = Checked("disable")
  u.Expire = Checked("expire")
  If u.Expire Then
    stamp = ParseStamp(Posted("expiredate"))
    If IsEmpty(stamp) Then
      If g_error = "" Then g_error = T_BAD_DATE
    Else
      u.ExpireDate = stamp
    End If
  End If
  u.TimeOut = NumberField("timeout", T_TIMEOUT, 0, MAX_INTEGER)
  u.SessionTimeOut = NumberField("sessiontimeout", T_SESSION_TIMEOUT, 0, MAX_LONG)
  u.MaxNrUsers = NumberField("maxusers", T_MAX_USERS, 0, MAX_INTEGER)
  u.MaxUsersLoginPerIP = NumberField("maxperip", T_MAX_PER_IP, 0, MAX_INTEGER)
  u.SpeedLimitUp = NumberField("speedup", T_SPEED_UP, 0, MAX_LONG)
  u.SpeedLimitDown = NumberField("speeddown", T_SPEED_DOWN, 0, MAX_LONG)
  u.EnableDiskQuota = Checked("quota")
  u.DiskQuotaSize = NumberField("quotasize", T_QUOTA_SIZE, 0, MAX_LONG)
  u.RelPaths = Checked("relpaths")
  u.ChangePassword = Checked("changepassword")
  u.LoginMesFile = Posted("loginmesfile")
  Set u.DirAccess = Server.CreateObject("Vantrel.DirAccess")
  For i = 1 To NumberField("rules", T_RULES, 0, 999)
    dir = Posted("r" & i & "_dir")
    If dir <> "" Then
      For k = 0 To 8
        rights(k) = Checked("r" & i & "_" & Mid(T_RIGHTS, k + 1, 1))
      Next
      u.DirAccess.Add dir, rights(0), rights(1), rights(2), rights(3), rights(4), rights(5), rights(6), rights(7), rights(8)
    End If
  Next
End Sub

' After a refused form the field shows what was typed, not the number kept.
Sub NumberInput(name, label, value)
  If Request.Form(name) & "" <> "" Then value = Request.Form(name)
%><label><%= H(label) %> <input name="<%= name %>" value="<%= H(value) %>" inputmode="numeric"></label>
<%
End Sub

Sub RuleRow(i, dir, letters)
  Dim k, letter
%><tr><td><% FolderInput "r" & i & "_dir", "r" & i & "_dir", dir, False %></td>
<% For k = 1 To Len(T_RIGHTS)
     letter = Mid(T_RIGHTS, k, 1) %><td><input type="checkbox" name="r<%= i %>_<%= letter %>" value="1" title="<%= H(RightName(k)) %>"<%= Ticked(InStr(letters, letter) > 0) %>></td><% Next %></tr>
<%
End Sub

RequireSignIn
domainID = DomainParam("domain")
If domainID < 0 Then
  g_error = T_BAD_ID
  PageStart T_NAV_USERS
  PageEnd
  Response.End
End If
back = "users.asp?domain=" & domainID
original = Param("name")
hasPassword = False
Set u = Lib("User")
If original <> "" Then
  On Error Resume Next
  ok = u.GetUser(original, domainID)
  ok = Succeeded(u, ok)
  ' Deleting and changing name the account exactly as it is stored.
  If ok Then original = u.UserList(original).UserName : u.UserName = original
  hasPassword = (u.Password <> "")
  On Error GoTo 0
  If Not ok Then
    PageStart Fill(T_USER_TITLE, original, "")
%><p><a href="<%= H(back) %>"><%= H(T_CANCEL) %></a></p>
<%  PageEnd
    Response.End
  End If
End If

If IsPost() Then
  If Posted("action") = "delete" Then
    If Not Checked("confirm") Then g_error = T_CONFIRM_NEEDED
    If g_error = "" Then
      On Error Resume Next
      ok = u.DelUser(original, domainID)
      If Succeeded(u, ok) Then Done Fill(T_USER_DELETED, original, ""), back
      On Error GoTo 0
    End If
  Else
    ReadForm u
    If g_error = "" Then
      On Error Resume Next
      If original = "" Then
        ok = u.AddUser(domainID)
        If Succeeded(u, ok) Then Done Fill(T_USER_ADDED, u.UserName, ""), back
      Else
        ok = u.ModifyUser(original, domainID)
        If Succeeded(u, ok) Then Done Fill(T_USER_CHANGED, u.UserName, ""), back
      End If
      On Error GoTo 0
    End If
  End If
End If

If original = "" Then PageStart Fill(T_NEW_USER_TITLE, DomainName(domainID), "") Else PageStart Fill(T_USER_TITLE, original, "")
%>
<form class="card wide" method="post">
<% TokenField %>
<fieldset><legend><%= H(T_ACCOUNT) %></legend>
<label><%= H(T_USER_NAME) %> <input name="username" value="<%= H(u.UserName) %>" required></label>
<label><%= H(T_NEW_PASSWORD) %> <input type="password" name="password" autocomplete="new-password">
<small><% If hasPassword Then %><%= H(T_PASSWORD_KEPT) %><% Else %><%= H(T_PASSWORD_NONE) %><% End If %></small></label>
<label><%= H(T_HOME) %> <% FolderInput "f_home", "home", u.HomeDir, False %> <small><%= H(T_HOME_DEFAULT) %></small></label>
<label class="check"><input type="checkbox" name="disable" value="1"<%= Ticked(u.Disable) %>> <%= H(T_DISABLE) %></label>
<label class="check"><input type="checkbox" name="expire" value="1"<%= Ticked(u.Expire) %>> <%= H(T_EXPIRE) %>
<input type="datetime-local" name="expiredate" value="<% If u.Expire Then Response.Write H(FormatStamp(u.ExpireDate, "T")) %>"></label>
</fieldset>
<fieldset><legend><%= H(T_LIMITS) %> <small>(<%= H(T_ZERO_NONE) %>)</small></legend>
<% NumberInput "timeout", T_TIMEOUT, u.TimeOut
   NumberInput "sessiontimeout", T_SESSION_TIMEOUT, u.SessionTimeOut
   NumberInput "maxusers", T_MAX_USERS, u.MaxNrUsers
   NumberInput "maxperip", T_MAX_PER_IP, u.MaxUsersLoginPerIP
   NumberInput "speedup", T_SPEED_UP, u.SpeedLimitUp
   NumberInput "speeddown", T_SPEED_DOWN, u.SpeedLimitDown %>
<label class="check"><input type="checkbox" name="quota" value="1"<%= Ticked(u.EnableDiskQuota) %>> <%= H(T_QUOTA) %></label>
<% NumberInput "quotasize", T_QUOTA_SIZE, u.DiskQuotaSize %>
</fieldset>
<fieldset><legend><%= H(T_OPTIONS) %></legend>
<label class="check"><input type="checkbox" name="relpaths" value="1"<%= Ticked(u.RelPaths) %>> <%= H(T_RELPATHS) %></label>
<label class="check"><input type="checkbox" name="changepassword" value="1"<%= Ticked(u.ChangePassword) %>> <%= H(T_CHANGE_PASSWORD) %></label>
<label><%= H(T_LOGIN_MESSAGE) %> <input name="loginmesfile" value="<%= H(u.LoginMesFile) %>"></label>
</fieldset>
<fieldset><legend><%= H(T_RULES) %></legend>
<table class="rules">
<tr><th><%= H(T_FOLDER) %></th><% For k = 1 To Len(T_RIGHTS) %><th><abbr title="<%= H(RightName(k)) %>"><%= Mid(T_RIGHTS, k, 1) %></abbr></th><% Next %></tr>
<%
i = 0
For Each rule In u.DirAccess
  i = i + 1
  RuleRow i, rule.Directory, Mid(rule.Accesses, InStrRev(rule.Accesses, "|") + 1)
Next
For k = 1 To BLANK_RULES
  i = i + 1
  RuleRow i, "", "RLP"
Next
%>
</table>
<input type="hidden" name="rules" value="<%= i %>">
<small><%= H(T_RULES_NOTE) %></small>
</fieldset>
<button name="action" value="save"><%= H(T_SAVE) %></button>
<a href="<%= H(back) %>"><%= H(T_CANCEL) %></a>
</form>
<% If original <> "" Then %>
<form class="card danger" method="post">
<% TokenField %>
<label class="check"><input type="checkbox" name="confirm" value="1" required> <%= H(T_CONFIRM_DELETE) %></label>
<button name="action" value="delete"><%= H(T_DELETE_USER) %></button>
</form>
<% End If
PageEnd %>
