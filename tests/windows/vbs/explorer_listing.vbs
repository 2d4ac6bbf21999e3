' Explorer as a page uses it: listing a folder within the caller's reach and
' creating folders. Works in a folder of its own below the current one; the
' settings file C:\windows\Vantrel.ini is kept aside and put back at the end.
Dim fso, settingsPath, savedSettings, hadSettings
Set fso = CreateObject("Scripting.FileSystemObject")
settingsPath = "C:\windows\Vantrel.ini"
hadSettings = fso.FileExists(settingsPath)
If hadSettings Then savedSettings = fso.OpenTextFile(settingsPath, 1).ReadAll()

Dim base, f
base = fso.GetAbsolutePathName("explorer-listing")
If fso.FolderExists(base) Then fso.DeleteFolder base, True
fso.CreateFolder base
fso.CreateFolder base & "\a"
fso.CreateFolder base & "\.svn"
fso.CreateTextFile(base & "\x.txt", True).Close
fso.CreateTextFile(base & "\.htaccess", True).Close
Set f = fso.CreateTextFile(base & "\k.bin", True)
f.Write String(1000, "x")
f.Close
fso.CreateFolder fso.GetAbsolutePathName("explorer-other")

' System administrator Vantrel / KelpMoor; domain administrator sales of
' domain 2 with the listing folder as its root.
Set f = fso.CreateTextFile(settingsPath, True)
f.Write "[Vantrel]" & vbCrLf & "Administrator=Vantrel" & vbCrLf & _
        "Password=abA1EC4B09FA90BB937F16B5E82A957225" & vbCrLf & _
        "[PrivateDir]" & vbCrLf & "sales=Pa55|2|" & base & vbCrLf
f.Close

Dim e, names, item
Set e = CreateObject("Vantrel.Explorer")
e.AdminName = "sales"
e.AdminPassword = "pa55"
e.CurrentDir = base

Section "listing"
CheckEqual e.List(), True, "List with the default pattern as a domain administrator"
CheckEqual e.ErrorMsg, "", "no message"
CheckEqual e.Directory.Count, CLng(1), "the dot folder is skipped"
CheckEqual e.Directory("A").DirName, "a", "folder found by name in another case"
Check e.Directory(1) = "a", "DirName is the default member"
CheckEqual e.File.Count, CLng(3), "every file, the dot file too"
Set item = e.File("K.BIN")
CheckEqual item.FileLength, CLng(1000), "FileLength"
CheckEqual TypeName(item.LastWriteTime), "Date", "LastWriteTime is a Date"
Check Abs(CDbl(item.CreationTime) - CDbl(item.LastWriteTime)) < 1 / 24, "creation and write time close together"
names = ""
For Each item In e.File
  names = names & item.FileName & ";"
Next
Check InStr(names, ".htaccess;") > 0, "the dot file is listed: " & names

Section "patterns"
CheckEqual e.List("*.TXT"), True, "List *.TXT"
CheckEqual e.File.Count, CLng(1), "one file matches"
CheckEqual e.File(1).FileName, "x.txt", "the matching file"
CheckEqual e.Directory.Count, CLng(0), "no folder matches"

Section "out of reach"
CheckEqual e.List("..\*.*"), False, "a pattern that leads out of the folder"
CheckEqual e.ErrorMsg, "The HomeDir has no right!", "message for a pattern leading out"
e.CurrentDir = fso.GetAbsolutePathName("explorer-other")
CheckEqual e.List(), False, "a folder outside the root"
CheckEqual e.ErrorMsg, "The HomeDir has no right!", "message outside the root"
e.CurrentDir = base
CheckEqual e.List(), True, "List again"
e.AdminPassword = "wrong"
CheckEqual e.List(), False, "a wrong password"
CheckEqual e.ErrorMsg, "Right Limited!Make sure the programmer had set the AdminName&AdminPassword", "message"
CheckEqual e.File.Count, CLng(3), "the earlier results stay"

Section "CreateDir"
Dim maker
Set maker = CreateObject("Vantrel.Explorer")
maker.CreateDir base & "\new\sub"
Check fso.FolderExists(base & "\new\sub"), "CreateDir made the deep path without credentials"
On Error Resume Next
maker.CreateDir base & "\new\sub"
ExpectNoError "CreateDir of an existing folder"
maker.CreateDir "Q:\no\such\drive"
ExpectNoError "CreateDir on a missing drive"
On Error GoTo 0

fso.DeleteFolder base, True
fso.DeleteFolder fso.GetAbsolutePathName("explorer-other"), True
If hadSettings Then
  Set f = fso.CreateTextFile(settingsPath, True)
  f.Write savedSettings
  f.Close
Else
  fso.DeleteFile settingsPath
End If
