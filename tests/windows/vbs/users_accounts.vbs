' User accounts as a page manages them: add, list, read, change and delete
' in a server file of the script's own folder, with the fixed messages and
' errors for malformed stored values. The
' settings file of the Windows folder is put back as it was at the end.
Dim fso, here, settingsPath, savedSettings, hadSettings, serverPath
Set fso = CreateObject("Scripting.FileSystemObject")
here = fso.GetAbsolutePathName(".")
serverPath = fso.BuildPath(here, "ServUDaemon.ini")
settingsPath = fso.BuildPath(fso.GetSpecialFolder(0), "Vantrel.ini")

' Start from the factory settings (administrator Vantrel), keeping any file
' another scenario left to put it back afterwards.
hadSettings = fso.FileExists(settingsPath)
If hadSettings Then
  savedSettings = fso.OpenTextFile(settingsPath, 1).ReadAll
  fso.DeleteFile settingsPath, True
End If

Sub WriteServerFile(text)
  Dim f
  Set f = fso.CreateTextFile(serverPath, True)
  f.Write Replace(text, "/", vbCrLf)
  f.Close
End Sub

Function ServerText()
  ServerText = fso.OpenTextFile(serverPath, 1).ReadAll
End Function

Function NewUser()
  Dim u
  Set u = CreateObject("Vantrel.User")
  u.ServUPath = here
  u.AdminName = "Vantrel"
  u.AdminPassword = "KelpMoor"
  Set NewUser = u
End Function

Const RightLimited = "Right Limited!Make sure the programmer had set the AdminName&AdminPassword"
Dim u, r, before, ok, row, names
WriteServerFile "[GLOBAL]/Version=6.4.0.1//[Domain1]/User1=alice|1|0/User2=bob|0|1072915200/Note=x//" & _
                "[USER=alice|1]/HomeDir=C:\ftp\alice/TimeOut=600/Access1=C:\ftp\alice|RWLP/"

Section "settings are created by AddUser"
Set u = NewUser()
Check Not u.GetUserList(), "no settings file yet: refused"
CheckEqual u.ErrorMsg, RightLimited, "refusal message"
u.UserName = "   "
Check Not u.AddUser(), "blank name"
CheckEqual u.ErrorMsg, "Username can not be empty", "AddUser created the settings, then stopped at the name"
Check fso.FileExists(settingsPath), "settings file created"

Section "list"
Check u.GetUserList(1), "GetUserList"
CheckEqual u.UserList.Count, CLng(2), "Note is not a user"
CheckEqual u.UserList("BOB").UserName, "bob", "key ignores letter case"
CheckEqual u.UserList(2).Disable, True, "bob is disabled"
' Seconds over 86400 and the epoch's third of a day: equal within a millisecond.
Check Abs(CDbl(u.UserList(2).ExpireDate) - CDbl(DateSerial(2004, 1, 1) + TimeSerial(8, 0, 0))) < 1 / 86400000, _
      "bob's expiry"
CheckEqual u.UserList(1).ExpireDate, DateSerial(1970, 1, 1) + TimeSerial(8, 0, 0), "no expiry gives the epoch"
names = ""
For Each row In u.UserList
  names = names & row.UserName & ";"
Next
CheckEqual names, "alice;bob;", "enumeration in file order"

Section "add"
Set u = NewUser()
u.UserName = " carol "
u.Password = "s3cret"
CheckEqual u.Password, "Encrypted", "Password reads Encrypted"
u.HomeDir = fso.BuildPath(here, "carol")
u.TimeOut = "300"
u.Expire = True
u.ExpireDate = DateSerial(2004, 1, 1) + TimeSerial(8, 0, 0)
u.DirAccess.Add fso.BuildPath(here, "carol\in"), True, True
u.DirAccess.Add "C:\", False
Check u.AddUser(), "AddUser: " & u.ErrorMsg
Check InStr(ServerText(), "User3=carol|1|1072915200" & vbCrLf) > 0, "list line with whole seconds"
Check InStr(ServerText(), "Access1=" & fso.BuildPath(here, "carol\in") & "|RWLP" & vbCrLf & "Access2=C:\|LP") > 0, _
      "rules written in order"
Check fso.FolderExists(fso.BuildPath(here, "carol\in")), "rule folder created"
CheckEqual u.UserList.Count, CLng(2), "UserList as read before the add"

Section "read"
Set u = NewUser()
Check u.GetUser("CAROL"), "GetUser ignores letter case"
CheckEqual u.UserName, "CAROL", "UserName as given"
CheckEqual u.Password, "Encrypted", "stored password"
CheckEqual u.TimeOut, 300, "TimeOut"
CheckEqual u.Expire, True, "Expire"
CheckEqual u.DirAccess.Count, CLng(2), "two rules"
CheckEqual u.DirAccess(1).FilesWrite, True, "rule rights"
Check Not u.GetUser(" carol "), "the argument is not trimmed"
CheckEqual u.ErrorMsg, "This username does not exist", "missing user"

Section "modify keeps the account"
Set u = NewUser()
Check u.GetUser("alice", 1), "GetUser alice"
u.SpeedLimitUp = 64
Check u.ModifyUser("alice", 1), "ModifyUser: " & u.ErrorMsg
Check InStr(ServerText(), "User3=alice|1|0") > 0, "alice moved to the end"
Set r = NewUser()
Check r.GetUser("alice"), "read back"
CheckEqual r.SpeedLimitUp, CLng(64), "changed setting"
CheckEqual r.TimeOut, 600, "kept setting"
before = ServerText()
r.UserName = "carol"
Check Not r.ModifyUser("alice"), "rename onto a taken name"
CheckEqual r.ErrorMsg, "This username exists already", "taken"
CheckEqual ServerText(), before, "a failed modify writes nothing"

Section "delete"
Set u = NewUser()
Check Not u.DelUser("ALICE"), "delete needs the exact name"
CheckEqual u.ErrorMsg, "This username does not exist", "message"
Check u.DelUser("bob"), "DelUser bob"
Check InStr(ServerText(), "USER=bob") = 0 And InStr(ServerText(), "|0|1072915200") = 0, "bob gone"
Check u.GetUserList(), "list after delete"
CheckEqual u.UserList.Count, CLng(2), "two users left"

Section "errors"
WriteServerFile "[Domain1]/User1=alice|x|0/"
On Error Resume Next
u.GetUserList
ExpectError 13, "a malformed flag raises type mismatch"
u.GetUserList "one"
ExpectError 13, "a domain number that is no number"
On Error GoTo 0
u.ServUPath = fso.BuildPath(here, "nowhere")
Check Not u.GetUserList(), "missing server file"
CheckEqual u.ErrorMsg, "ServUPath error", "ServUPath error"

' Put the settings file back as it was.
fso.DeleteFile settingsPath, True
If hadSettings Then
  Dim f
  Set f = fso.CreateTextFile(settingsPath, True)
  f.Write savedSettings
  f.Close
End If
