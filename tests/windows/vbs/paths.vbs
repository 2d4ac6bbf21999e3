' Windows paths as a page gives them: the settings file in the Windows
' folder, a server folder with or without its closing backslash, folders
' created to any depth, a folder listed with its files' sizes and times.
' A domain administrator's root (made by the suite, with a link to /etc in
' it) admits homes that really lie inside it however spelt (8.3 name, letter
' case, "..") and none outside (through the link, "..", an 8.3 name).
' Names the file cannot hold are refused whole, as the page sent them.
' The settings file found there is put back at the end.
Dim fso, here, settingsPath, saved, f, g, u, e, top, root, env, home
Set fso = CreateObject("Scripting.FileSystemObject")
here = fso.GetAbsolutePathName(".") & "\paths test"
If fso.FolderExists(here) Then fso.DeleteFolder here, True
fso.CreateFolder here
settingsPath = fso.GetSpecialFolder(0) & "\Vantrel.ini"
If fso.FileExists(settingsPath) Then saved = fso.OpenTextFile(settingsPath, 1).ReadAll
Set f = fso.CreateTextFile(settingsPath, True)
top = fso.GetAbsolutePathName(".")
root = top & "\rights root"
f.Write "[Vantrel]" & vbCrLf & "Administrator=Vantrel" & vbCrLf & "Password=abA1EC4B09FA90BB937F16B5E82A957225" & vbCrLf
f.Write "[PrivateDir]" & vbCrLf & "dom=pw|1|" & root & vbCrLf
f.Close
Set f = fso.CreateTextFile(here & "\ServUDaemon.ini", True)
f.Write "[GLOBAL]" & vbCrLf & "Version=6.4.0.6" & vbCrLf & "[Domain1]" & vbCrLf
f.Close

Set g = CreateObject("Vantrel.Global")
g.ServUPath = here & "\"
CheckEqual g.Version, "6.4.0.6", "server folder with its closing backslash"
g.ServUPath = here
CheckEqual g.Version, "6.4.0.6", "server folder without it"

Set u = CreateObject("Vantrel.User")
u.ServUPath = here
u.AdminName = "Vantrel"
u.AdminPassword = "KelpMoor"
u.UserName = "carol"
u.HomeDir = here & "\home\carol"
u.DirAccess.Add here & "\home\carol\in", True, True
Check u.AddUser(), "AddUser: " & u.ErrorMsg
Check fso.FolderExists(here & "\home\carol\in"), "the rule's folder created with its parents"
Set f = fso.CreateTextFile(here & "\home\carol\k.bin", True)
f.Write String(1000, "x")
f.Close

Set e = CreateObject("Vantrel.Explorer")
e.AdminName = "Vantrel"
e.AdminPassword = "KelpMoor"
e.CurrentDir = here & "\home\carol"
Check e.List(), "List: " & e.ErrorMsg
CheckEqual e.Directory.Count & " " & e.Directory(1).DirName, "1 in", "the folder listed"
CheckEqual e.File("K.BIN").FileLength, CLng(1000), "a file's size"
Check Abs(CDbl(e.File(1).LastWriteTime) - CDbl(Now)) < 1, "a file's time is local and recent: " & e.File(1).LastWriteTime
e.CreateDir here & "\made\deep\er"
Check fso.FolderExists(here & "\made\deep\er"), "CreateDir made the deep path"

Set env = CreateObject("WScript.Shell").Environment("PROCESS")
Check InStr(env("VANTREL_SHORT_INSIDE"), "~") * InStr(env("VANTREL_SHORT_OUTSIDE"), "~") > 0, "the suite gives two 8.3 names"
Set u = CreateObject("Vantrel.User")
u.ServUPath = here
u.AdminName = "dom"
u.AdminPassword = "pw"
For Each home In Array(root & "\" & env("VANTREL_SHORT_INSIDE") & "\short", UCase(root) & "\case", root & "\inside long name\..\dotdot")
  u.UserName = fso.GetFileName(home)
  u.HomeDir = home
  Check u.AddUser(), home & " lies inside the root: " & u.ErrorMsg
Next
For Each home In Array(root & "\etc link\x", root & "\..\paths test\x", top & "\" & env("VANTREL_SHORT_OUTSIDE") & "\x")
  u.UserName = "out"
  u.HomeDir = home
  Check Not u.AddUser() And u.ErrorMsg = "The HomeDir has no right!", home & " lies outside the root: " & u.ErrorMsg
Next

' Text a page may send that the file cannot hold arrives whole (a NUL inside,
' an over-long name) and is refused with the library's message; nothing is
' written. (Wine's ChrW makes no lone surrogate: error 445.)
Dim before, bad, parts
before = fso.OpenTextFile(here & "\ServUDaemon.ini", 1).ReadAll
u.AdminName = "Vantrel"
u.AdminPassword = "KelpMoor"
u.HomeDir = here & "\home\bad"
For Each bad In Array("a" & vbNullChar & "b|line break or NUL", Replace(Space(300), " ", "n") & "|stored value")
  parts = Split(bad, "|")
  u.UserName = parts(0)
  Check Not u.AddUser() And InStr(u.ErrorMsg, "Refused: the UserName ") = 1 And InStr(u.ErrorMsg, parts(1)) > 0, "a hostile name refused: " & u.ErrorMsg
Next
CheckEqual fso.OpenTextFile(here & "\ServUDaemon.ini", 1).ReadAll, before, "nothing written for a refused name"

fso.DeleteFolder here, True
If IsEmpty(saved) Then fso.DeleteFile settingsPath Else fso.OpenTextFile(settingsPath, 2).Write saved
