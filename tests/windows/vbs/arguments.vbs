' Values cross the boundary in their declared Variant types (text beyond
' ASCII included); optional parameters left out take their declared
' defaults, also before a given one; a by-reference argument is not changed.
Dim c, u, ul, r, da, k, accented
Section "types"
Set c = CreateObject("Vantrel.CDomain")
c.port = "2121"
CheckEqual c.port, 2121, "an Integer from text"
accented = "caf" & Chr(233) & " | ; = [x]"
c.HostName = accented
CheckEqual c.HostName, accented, "text beyond ASCII"
Set u = CreateObject("Vantrel.User")
u.SessionTimeOut = 2147483647
CheckEqual u.SessionTimeOut, 2147483647, "the largest Long"
u.EnableDiskQuota = 5
CheckEqual u.EnableDiskQuota, True, "a Boolean is True (-1)"
u.ExpireDate = "2030-12-31 23:59:59"
CheckEqual u.ExpireDate, #2030-12-31 23:59:59#, "a Date from text"

Section "optional and by-reference"
Set ul = CreateObject("Vantrel.UserList")
Set r = ul.Add("bob")
CheckEqual r.DomainID, 1, "DomainID defaults to 1"
CheckEqual r.Disable, False, "Disable defaults to False"
CheckEqual r.ExpireDate, #1970-01-01 08:00:00#, "ExpireDate defaults to 1970-01-01 08:00:00"
On Error Resume Next
Set r = ul.Item("bob")
ExpectError 5, "an omitted sKey adds no key"
On Error GoTo 0
k = "carol"
Set r = ul.Add("carol", , True, , , k)
CheckEqual r.DomainID & "|" & r.Disable & "|" & r.Expire, "1|True|False", "defaults around a given argument"
CheckEqual ul("CAROL").UserName, "carol", "sKey given by reference after omitted arguments"
CheckEqual k, "carol", "the by-reference key is not changed"
Set da = CreateObject("Vantrel.DirAccess")
Set r = da.Add("C:\in", , True)
CheckEqual r.FilesRead & r.FilesWrite & r.DirList & r.SubDirInherit, "TrueTrueTrueTrue", "True defaults"
On Error Resume Next
Set r = ul.Add()
Check Err.Number = 449 Or Err.Number = 450, "UserList.Add without its required UserName: error " & Err.Number
Err.Clear
Set r = da.Add("C:\x", True, True, True, True, True, True, True, True, True, "k", "extra")
ExpectError 450, "DirAccess.Add with one argument too many"
On Error GoTo 0
