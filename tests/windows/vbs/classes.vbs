' Every registered ProgID creates its class (letter case ignored), each call
' a new object; an unknown ProgID is refused; a class's default member is
' what the script gets from the object itself.
Dim names, name, o, u, u2
names = Array("Global", "CIniFile", "Domains", "CDomain", "Domain", "CUserList", "UserList", "User", _
              "CDirAccess", "DirAccess", "CFile", "CDir", "Explorer", "Directory", "File", "CAdmin", _
              "Admin", "AdminOfAdmin", "CPublicDir", "PublicDir")
For Each name In names
  Set o = Nothing
  On Error Resume Next
  Set o = CreateObject("Vantrel." & name)
  ExpectError 0, "CreateObject Vantrel." & name
  On Error GoTo 0
  Check Not (o Is Nothing), "Vantrel." & name & " created"
Next
Set o = CreateObject("vantrel.cdomain")
CheckEqual o.ID, 0, "CDomain from a lower-case ProgID"
On Error Resume Next
Set o = CreateObject("Vantrel.NoSuchClass")
ExpectError 429, "CreateObject of an unknown class"
On Error GoTo 0
Set u = CreateObject("Vantrel.User")
Set u2 = CreateObject("Vantrel.User")
u.UserName = "first"
CheckEqual u2.UserName, "", "a second User does not see the first one's fields"

Section "default members"
o.ID = 7
CheckEqual CStr(o), "7", "CDomain's default member is ID"
Set o = CreateObject("Vantrel.Domain")
o.Add 42, "192.0.2.42", "h", 21, "k"
CheckEqual o(1) + 1, 43, "a collection's default Item, then the record's default ID"
On Error Resume Next
name = CStr(CreateObject("Vantrel.CUserList"))
Check Err.Number <> 0, "CUserList has no default member"
Err.Clear
