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
CheckEqual UBound(names) + 1, CLng(20), "number of classes"

' Letter case of the ProgID does not matter to the class registry.
Set o = CreateObject("vantrel.cdomain")
CheckEqual o.ID, 0, "CDomain from a lower-case ProgID"

' An unknown class is refused as the system refuses it.
On Error Resume Next
Set o = CreateObject("Vantrel.NoSuchClass")
ExpectError 429, "CreateObject of an unknown class"
On Error GoTo 0

' Managers.
Dim u
Set u = CreateObject("Vantrel.User")
CheckEqual u.AdminName, "", "User.AdminName starts empty"
CheckEqual u.AdminPassword, "", "User.AdminPassword starts empty"
CheckEqual u.MaxNrUsers, 0, "User.MaxNrUsers starts at 0"
CheckEqual u.SessionTimeOut, CLng(0), "User.SessionTimeOut starts at 0"
CheckEqual u.SpeedLimitDown, CLng(0), "User.SpeedLimitDown starts at 0"
CheckEqual u.SpeedLimitUp, CLng(0), "User.SpeedLimitUp starts at 0"
CheckEqual u.MaxUsersLoginPerIP, 0, "User.MaxUsersLoginPerIP starts at 0"
CheckEqual u.DiskQuotaSize, CLng(0), "User.DiskQuotaSize starts at 0"
CheckEqual u.EnableDiskQuota, False, "User.EnableDiskQuota starts False"
CheckEqual u.ChangePassword, False, "User.ChangePassword starts False"
CheckEqual u.RelPaths, False, "User.RelPaths starts False"
CheckEqual u.LoginMesFile, "", "User.LoginMesFile starts empty"
CheckEqual u.ExpireDate, CDate(0), "User.ExpireDate starts at 0"
CheckEqual u.Expire, False, "User.Expire starts False"
CheckEqual u.Disable, False, "User.Disable starts False"
CheckEqual u.TimeOut, 0, "User.TimeOut starts at 0"
CheckEqual u.HomeDir, "", "User.HomeDir starts empty"
CheckEqual u.UserName, "", "User.UserName starts empty"
CheckEqual u.ErrorMsg, "", "User.ErrorMsg starts empty"
CheckEqual u.ServUPath, "", "User.ServUPath starts empty"
CheckEqual u.DirAccess.Count, CLng(0), "User.DirAccess starts empty"
CheckEqual u.UserList.Count, CLng(0), "User.UserList starts empty"

Dim d
Set d = CreateObject("Vantrel.Domains")
CheckEqual d.AdminName & d.AdminPassword & d.ErrorMsg & d.ServUPath, "", "Domains strings start empty"
CheckEqual d.Domain.Count, CLng(0), "Domains.Domain before GetDomain is an empty collection"

Dim e
Set e = CreateObject("Vantrel.Explorer")
CheckEqual e.CurrentDir & e.ErrorMsg, "", "Explorer strings start empty"
CheckEqual e.File.Count, CLng(0), "Explorer.File starts empty"
CheckEqual e.Directory.Count, CLng(0), "Explorer.Directory starts empty"

Dim a
Set a = CreateObject("Vantrel.AdminOfAdmin")
CheckEqual a.Administrator & a.Password & a.ErrorMsg, "", "AdminOfAdmin strings start empty"
CheckEqual a.Admin.Count, CLng(0), "AdminOfAdmin.Admin starts empty"
CheckEqual a.PublicDir.Count, CLng(0), "AdminOfAdmin.PublicDir starts empty"

Dim g
Set g = CreateObject("Vantrel.Global")
CheckEqual g.ErrorMsg, "", "Global.ErrorMsg starts empty"
CheckEqual g.ServUPath, "", "Global.ServUPath starts empty"

' Records.
Dim f
Set f = CreateObject("Vantrel.CFile")
CheckEqual f.FileName, "", "CFile.FileName starts empty"
CheckEqual f.FileLength, CLng(0), "CFile.FileLength starts at 0"
CheckEqual f.LastWriteTime, CDate(0), "CFile.LastWriteTime starts at 0"
Dim r
Set r = CreateObject("Vantrel.CDirAccess")
CheckEqual r.FilesRead, False, "CDirAccess.FilesRead starts False"
CheckEqual r.Accesses, "", "CDirAccess.Accesses starts empty"

' Objects are separate: nothing is shared between two objects of a class.
Dim u2
Set u2 = CreateObject("Vantrel.User")
u.UserName = "first"
CheckEqual u2.UserName, "", "a second User does not see the first one's fields"
Check Not (u.DirAccess Is u2.DirAccess), "each User owns its own DirAccess"
