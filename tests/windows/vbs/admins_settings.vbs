' AdminOfAdmin as a page uses it: domain administrators, public directories
' and the system password, on the settings file C:\windows\Vantrel.ini. The
' file found there is kept aside and put back at the end.
Dim fso, settingsPath, savedSettings, hadSettings
Set fso = CreateObject("Scripting.FileSystemObject")
settingsPath = "C:\windows\Vantrel.ini"
hadSettings = fso.FileExists(settingsPath)
If hadSettings Then savedSettings = fso.OpenTextFile(settingsPath, 1).ReadAll()

Sub WriteSettings(text)
  Dim f
  Set f = fso.CreateTextFile(settingsPath, True)
  f.Write text
  f.Close
End Sub

Function ReadSettings()
  ReadSettings = fso.OpenTextFile(settingsPath, 1).ReadAll()
End Function

' The factory state: Vantrel / KelpMoor (salt "ab"), public directory C:\Vantrel.
Dim factory
factory = "[Vantrel]" & vbCrLf & "Administrator=Vantrel" & vbCrLf & _
          "Password=abA1EC4B09FA90BB937F16B5E82A957225" & vbCrLf & _
          "[PublicDir]" & vbCrLf & "dir1=C:\Vantrel" & vbCrLf
WriteSettings factory

Dim a, item
Set a = CreateObject("Vantrel.AdminOfAdmin")
a.Administrator = "VANTREL"
a.Password = "KelpMoor"

Section "domain administrators"
CheckEqual a.GetAdminList(), True, "GetAdminList with no administrators"
CheckEqual a.Admin.Count, CLng(0), "no administrators listed"
CheckEqual a.AddAdmin("sales", "Pa55", 2, "D:\ftp\sales"), True, "AddAdmin sales"
CheckEqual a.Admin.Count, CLng(0), "the list is not read again after AddAdmin"
CheckEqual a.AddAdmin("Sales", "x", 3, "D:\x"), False, "AddAdmin of a taken name"
CheckEqual a.ErrorMsg, "The AdminName exists already", "message for a taken name"
CheckEqual a.AddAdmin("support", "s", "&H10", "E:\support"), True, "domain number given as text"
CheckEqual a.GetAdminList(), True, "GetAdminList"
CheckEqual a.Admin.Count, CLng(2), "two administrators"
Set item = a.Admin("SUPPORT")
CheckEqual item.DomainID, 16, "the domain text was converted to an Integer"
CheckEqual a.Admin(1).AdminPassword, "Pa55", "the password in plain text"
CheckEqual a.Admin(1).RootDir, "D:\ftp\sales", "the root folder"
Check a.Admin(1) = "sales", "AdminName is the default member"
Check InStr(ReadSettings(), "sales=Pa55|2|D:\ftp\sales" & vbCrLf) > 0, "the entry in the file"

Section "refused text"
CheckEqual a.AddAdmin("bad" & vbCrLf & "[Vantrel]", "p", 1, "D:\x"), False, "a name with a line break"
Check Left(a.ErrorMsg, 30) = "The administrator is refused: ", "refusal message: " & a.ErrorMsg
Check InStr(ReadSettings(), "bad") = 0, "nothing written for a refused name"
On Error Resume Next
a.AddAdmin "x", "p", "two", "D:\x"
ExpectError 13, "a domain number that is no number"
On Error GoTo 0

Section "deleting"
CheckEqual a.DelAdmin("SALES"), True, "DelAdmin in another letter case"
CheckEqual a.DelAdmin("sales"), False, "DelAdmin again"
CheckEqual a.ErrorMsg, "The AdminName does not exist", "message for an unknown name"
Check InStr(ReadSettings(), "sales=") = 0, "the key is gone"

Section "public directories"
CheckEqual a.GetPublicDir(), True, "GetPublicDir"
CheckEqual a.PublicDir("dir1").Directory, "C:\Vantrel", "the factory directory"
CheckEqual a.AddPublicDir("c:\vantrel"), False, "the same directory in another case"
CheckEqual a.ErrorMsg, "The directory exists already", "message for a listed directory"
CheckEqual a.AddPublicDir("C:\Vantrel\"), True, "with a trailing backslash it is another directory"
CheckEqual a.AddPublicDir("E:\three"), True, "a third"
CheckEqual a.PublicDir.Count, CLng(2), "the list as it was before the last AddPublicDir"
CheckEqual a.GetPublicDir(), True, "GetPublicDir again"
CheckEqual a.PublicDir.Count, CLng(3), "three directories"
CheckEqual a.DelPublicDir("C:\VANTREL\"), True, "delete the middle one"
CheckEqual a.GetPublicDir(), True, "GetPublicDir after the delete"
Check a.PublicDir("dir2") = "E:\three", "renumbered from dir1"
CheckEqual a.DelPublicDir("F:\none"), False, "delete an unlisted directory"
CheckEqual a.ErrorMsg, "The directory does not exist", "message for an unlisted directory"

Section "system password"
CheckEqual a.ChangeSystemPassword("Vantrel", "kelpmoor", "x", "y"), False, "wrong old password"
CheckEqual a.ErrorMsg, "The directory does not exist", "ErrorMsg left as the last operation left it"
CheckEqual a.ChangeSystemPassword("vantrel", "KelpMoor", "Root", "n3w"), True, "ChangeSystemPassword"
CheckEqual a.GetAdminList(), False, "the object's old credentials no longer pass"
a.Administrator = "ROOT"
a.Password = "n3w"
CheckEqual a.GetAdminList(), True, "the new credentials pass"

If hadSettings Then
  WriteSettings savedSettings
Else
  fso.DeleteFile settingsPath
End If
