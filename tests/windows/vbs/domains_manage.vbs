' Domains and Global as a page calls them: listing, adding, changing and
' deleting domains in a ServUDaemon.ini of the script's own folder, the
' reload signal, and the server version. The library settings file in the
' Windows folder is replaced for the run and put back at the end.

Const kSalted = "abA1EC4B09FA90BB937F16B5E82A957225"  ' salt "ab" + MD5("abKelpMoor")

Dim fso, serverDir, serverFile, settingsFile, savedSettings
Set fso = CreateObject("Scripting.FileSystemObject")
serverDir = fso.GetAbsolutePathName(".") & "\servu_domains"
If Not fso.FolderExists(serverDir) Then fso.CreateFolder serverDir
serverFile = serverDir & "\ServUDaemon.ini"
settingsFile = fso.GetSpecialFolder(0) & "\Vantrel.ini"
savedSettings = Empty
If fso.FileExists(settingsFile) Then savedSettings = ReadText(settingsFile)

Function ReadText(path)
  Dim f
  Set f = fso.OpenTextFile(path, 1)
  If f.AtEndOfStream Then ReadText = "" Else ReadText = f.ReadAll
  f.Close
End Function

Sub WriteText(path, text)
  Dim f
  Set f = fso.CreateTextFile(path, True)
  f.Write text
  f.Close
End Sub

' Each text followed by CRLF (Wine's VBScript has no Join).
Function Lines(arr)
  Dim i
  Lines = ""
  For i = 0 To UBound(arr)
    Lines = Lines & arr(i) & vbCrLf
  Next
End Function

Function Has(text, part)
  Has = InStr(1, text, part, vbBinaryCompare) > 0
End Function

Dim original
original = Lines(Array("[GLOBAL]", "Version=6.4.0.6", "[DOMAINS]", _
  "Domain1=192.168.0.5||21|ftp.example.com|1|0", "Domain2=|srv|2121|files.example.org|2|0|extra", _
  "Domain3=10.0.0.20||990|uploads.example.net|4|0", _
  "[Domain1]", "User1=alice|1|0", "User2=bob|1|0", _
  "[USER=alice|1]", "HomeDir=D:\ftp\alice", "[USER=bob|1]", "HomeDir=D:\ftp\bob", _
  "[Domain2]", "User1=carol|1|0", "[USER=carol|2]", "HomeDir=D:\ftp\carol"))
WriteText serverFile, original
WriteText settingsFile, Lines(Array("[Vantrel]", "Administrator=Vantrel", "Password=" & kSalted))

Dim g, d, list, item, ok, text, n
Section "Global"
Set g = CreateObject("Vantrel.Global")
CheckEqual g.About, CStr(g), "About is the default member"
CheckEqual Left(g.About, 24), "Vantrel|Version:1.0.0.0|", "About starts with name and version"
CheckEqual UBound(Split(g.About, "|")), CLng(3), "About has four fields"
g.ServUPath = serverDir & "\nowhere"
CheckEqual g.Version, "Unknown Version", "Version of a wrong folder"
CheckEqual g.ErrorMsg, "ServUPath error", "message of a wrong folder"
g.ServUPath = serverDir & "\"
CheckEqual g.Version, "6.4.0.6", "Version with a trailing backslash"
CheckEqual g.ErrorMsg, "ServUPath error", "a good read leaves ErrorMsg"

Section "GetDomain"
Set d = CreateObject("Vantrel.Domains")
CheckEqual d.Domain.Count, CLng(0), "Domain before GetDomain"
d.ServUPath = serverDir
CheckEqual d.GetDomain(), True, "GetDomain without credentials"
Set list = d.Domain
CheckEqual list.Count, CLng(3), "three domains"
CheckEqual list(1).HostName, "ftp.example.com", "Item(1) is the first line"
CheckEqual list("4").HostName, "uploads.example.net", "Item(""4"") is the ID 4"
CheckEqual list("2").IP, "127.0.0.1", "empty address reads as 127.0.0.1"
CheckEqual list(3).port, 990, "port"
n = list(2)  ' a value assignment takes the default member
CheckEqual n, 2, "CDomain's default member is ID"
text = ""
For Each item In list
  text = text & item.ID & ","
Next
CheckEqual text, "1,2,4,", "For Each in file order"

Section "rights"
d.AdminName = "vantrel"
d.AdminPassword = "kelpmoor"
CheckEqual d.AddDomain("new.example", "10.1.1.1"), False, "wrong password"
CheckEqual d.ErrorMsg, "You are not administrator!", "message of a wrong password"
CheckEqual ReadText(serverFile), original, "refused add leaves the file"
d.AdminPassword = "KelpMoor"

Section "AddDomain"
CheckEqual d.AddDomain("FTP.Example.COM", "10.1.1.1"), False, "host name in another letter case"
CheckEqual d.ErrorMsg, "This HostName exists already", "message of a taken host name"
CheckEqual d.AddDomain("x.example", "127.0.0.1", 2121), False, "address and port of the empty-address domain"
CheckEqual d.ErrorMsg, "The port of this IP exists already", "message of a taken port"
CheckEqual d.AddDomain("bad|host", "10.1.1.1"), False, "a bar in the host name"
Check Has(d.ErrorMsg, "|"), "the refusal names the bar: " & d.ErrorMsg
CheckEqual d.AddDomain("new.example", "10.1.1.1"), True, "add with the port left out"
CheckEqual d.ErrorMsg, "", "no message after success"
CheckEqual d.Domain.Count, CLng(3), "the list is not refilled"
Check Has(ReadText(serverFile), "Domain4=10.1.1.1||21|new.example|3|0" & vbCrLf), "new line with ID 3 and key Domain4"

Section "ModifyDomain"
CheckEqual d.ModifyDomain(1, "ftp.example.com", "192.168.0.5", 2100), True, "change only the port"
Check Has(ReadText(serverFile), "Domain1=192.168.0.5||2100|ftp.example.com|1|0"), "port changed in place"
CheckEqual d.ModifyDomain(2, "  files.example.org ", "", 2121), True, "spaces around the host name"
Check Has(ReadText(serverFile), "Domain2=|srv|2121|files.example.org|2|0|extra"), "server fields kept, spaces removed"
CheckEqual d.ModifyDomain(9, "nine", "9.9.9.9", 21), False, "unknown ID"
CheckEqual d.ErrorMsg, "Modify Domain failed", "message of an unknown ID"

Section "DelDomain"
CheckEqual d.DelDomain(7), False, "unknown ID"
CheckEqual d.ErrorMsg, "This ID does not exist", "message of an unknown ID"
CheckEqual d.DelDomain(1), True, "delete the first domain"
text = ReadText(serverFile)
Check Not Has(text, "[USER=alice|1]"), "users of the domain removed"
Check Not Has(text, "[USER=bob|1]"), "every user of the domain removed"
Check Not Has(text, "[Domain1]"), "user index removed"
Check Has(text, "[USER=carol|2]"), "users of other domains kept"
Check Has(text, "Domain1=|srv|2121|files.example.org|2|0|extra"), "remaining line renumbered, empty address kept"
Check Has(text, "Domain3=10.1.1.1||21|new.example|3|0"), "last line renumbered"
CheckEqual d.GetDomain(), True, "list again"
CheckEqual d.Domain.Count, CLng(3), "three domains left"

Section "Reload"
Set d = CreateObject("Vantrel.Domains")
d.ServUPath = serverDir
CheckEqual d.Reload(), True, "Reload without credentials"
Check Has(ReadText(serverFile), "ReloadSettings=true"), "signal written"
d.ServUPath = serverDir & "\nowhere"
CheckEqual d.Reload(), False, "Reload of a wrong folder"
CheckEqual d.ErrorMsg, "ServUPath error", "message of a wrong folder"

Section "errors"
d.ServUPath = serverDir
d.AdminName = "Vantrel"
d.AdminPassword = "KelpMoor"
On Error Resume Next
ok = d.AddDomain("x", "1.1.1.1", 40000)
ExpectError 6, "port out of range"
ok = d.DelDomain("abc")
ExpectError 13, "ID that is not a number"
On Error GoTo 0
WriteText serverFile, Lines(Array("[DOMAINS]", "Domain1=a||21|one|1|0", "Domain2=b||22|two"))
On Error Resume Next
ok = d.AddDomain("three", "c")
ExpectError 9, "line with too few fields"
On Error GoTo 0
CheckEqual d.ErrorMsg, "", "no message after an automation error"
CheckEqual ReadText(serverFile), Lines(Array("[DOMAINS]", "Domain1=a||21|one|1|0", "Domain2=b||22|two")), _
  "nothing written after an automation error"

If IsEmpty(savedSettings) Then fso.DeleteFile settingsFile Else WriteText settingsFile, savedSettings
fso.DeleteFolder serverDir, True
