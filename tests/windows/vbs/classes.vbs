' Every class is creatable by its ProgID and starts in its documented state:
' Strings empty, numbers 0, Booleans False, Dates 0, collections empty.
Dim names, name, o
names = Array("Global", "CIniFile", "Domains", "CDomain", "Domain", "CUserList", "UserList", "User", _
              "CDirAccess", "DirAccess", "CFile", "CDir", "Explorer", "Directory", "File", "CAdmin", _
              "Admin", "AdminOfAdmin", "CPublicDir", "PublicDir")
For Each name In names
  Set o = Nothing
  On Error Resume Next
  Set o = CreateObject("Vantrel." & name)
  ExpectNoError "CreateObject Vantrel." & name
  On Error GoTo 0
  Check Not (o Is Nothing), "Vantrel." & name & " created"
Next

' Letter case of the ProgID does not matter to the class registry.
Set o = CreateObject("vantrel.cdomain")
CheckEqual o.ID, 0, "CDomain from a lower-case ProgID"

' An unknown class is refused as the system refuses it.
On Error Resume Next
Set o = CreateObject("Vantrel.NoSuchClass")
ExpectError 429, "CreateObject of an unknown class"
On Error GoTo 0

' Managers and records start empty; the Variant types are those declared
' (fields.vbs checks the types of values stored and read back).
Dim u, d, e, a, f
Set u = CreateObject("Vantrel.User")
CheckEqual u.UserName & u.HomeDir & u.ErrorMsg & u.ServUPath, "", "User strings start empty"
CheckEqual u.MaxNrUsers, 0, "User.MaxNrUsers starts at Integer 0"
CheckEqual u.SessionTimeOut, CLng(0), "User.SessionTimeOut starts at Long 0"
CheckEqual u.Disable, False, "User.Disable starts False"
CheckEqual u.ExpireDate, CDate(0), "User.ExpireDate starts at 0"
CheckEqual u.DirAccess.Count + u.UserList.Count, CLng(0), "User's collections start empty"
Set d = CreateObject("Vantrel.Domains")
CheckEqual d.Domain.Count, CLng(0), "Domains.Domain before GetDomain is an empty collection"
Set e = CreateObject("Vantrel.Explorer")
CheckEqual e.File.Count + e.Directory.Count, CLng(0), "Explorer's collections start empty"
Set a = CreateObject("Vantrel.AdminOfAdmin")
CheckEqual a.Admin.Count + a.PublicDir.Count, CLng(0), "AdminOfAdmin's collections start empty"
Set f = CreateObject("Vantrel.CFile")
CheckEqual f.FileLength, CLng(0), "CFile.FileLength starts at Long 0"
CheckEqual f.LastWriteTime, CDate(0), "CFile.LastWriteTime starts at 0"

' Objects are separate: nothing is shared between two objects of a class.
Dim u2
Set u2 = CreateObject("Vantrel.User")
u.UserName = "first"
CheckEqual u2.UserName, "", "a second User does not see the first one's fields"
Check Not (u.DirAccess Is u2.DirAccess), "each User owns its own DirAccess"
