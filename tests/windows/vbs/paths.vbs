' Windows paths as a page gives them: the settings file in the Windows
' folder, a server folder with or without its closing backslash, folders
' created to any depth, a folder listed with its files' sizes and times.
' The settings file found there is put back at the end.
Dim fso, here, settingsPath, saved, f, g, u, e
Set fso = CreateObject("Scripting.FileSystemObject")
here = fso.GetAbsolutePathName(".") & "\paths test"
If fso.FolderExists(here) Then fso.DeleteFolder here, True
fso.CreateFolder here
settingsPath = fso.GetSpecialFolder(0) & "\Vantrel.ini"
If fso.FileExists(settingsPath) Then saved = fso.OpenTextFile(settingsPath, 1).ReadAll
Set f = fso.CreateTextFile(settingsPath, True)
f.Write "[Vantrel]" & vbCrLf & "Administrator=Vantrel" & vbCrLf & "Password=abA1EC4B09FA90BB937F16B5E82A957225" & vbCrLf
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

fso.DeleteFolder here, True
If IsEmpty(saved) Then fso.DeleteFile settingsPath Else fso.OpenTextFile(settingsPath, 2).Write saved
