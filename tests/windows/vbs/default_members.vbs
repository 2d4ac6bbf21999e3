' The default member of a class is what a page gets from the object itself:
' WScript.Echo obj prints it and CStr(obj) converts it.
Dim c, f, dr, ad, pd, g, dm, ul
Set c = CreateObject("Vantrel.CDomain")
c.ID = 7
WScript.Echo c
CheckEqual CStr(c), "7", "CDomain's default member is ID"

Set f = CreateObject("Vantrel.CFile")
f.FileName = "readme.txt"
WScript.Echo f
CheckEqual CStr(f), "readme.txt", "CFile's default member is FileName"

Set dr = CreateObject("Vantrel.CDir")
dr.DirName = "incoming"
WScript.Echo dr
CheckEqual CStr(dr), "incoming", "CDir's default member is DirName"

Set ad = CreateObject("Vantrel.CAdmin")
ad.AdminName = "alice"
WScript.Echo ad
CheckEqual CStr(ad), "alice", "CAdmin's default member is AdminName"

Set pd = CreateObject("Vantrel.CPublicDir")
pd.Directory = "D:\pub"
WScript.Echo pd
CheckEqual CStr(pd), "D:\pub", "CPublicDir's default member is Directory"

Set g = CreateObject("Vantrel.Global")
CheckEqual CStr(g), g.About, "Global's default member is About"
Check Len(g.About) > 0, "About is not empty"

' A collection's default member is Item, and an item's default member
' reaches through: WScript.Echo dm(1) prints the first domain's ID.
Set dm = CreateObject("Vantrel.Domain")
dm.Add 42, "192.0.2.42", "h", 21, "k"
WScript.Echo dm(1)
WScript.Echo dm("K")
CheckEqual dm(1) + 1, 43, "a record's default value takes part in arithmetic"

' A class without default member has no value.
Set ul = CreateObject("Vantrel.CUserList")
On Error Resume Next
Dim text
text = CStr(ul)
Check Err.Number <> 0, "CUserList has no default member"
Err.Clear
On Error GoTo 0
