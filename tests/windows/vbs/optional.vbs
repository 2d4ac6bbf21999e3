' Optional parameters left out take their declared defaults, also when a
' later argument is given.
Dim ul, r, da, a, k
Section "UserList.Add"
Set ul = CreateObject("Vantrel.UserList")
Set r = ul.Add("bob")
CheckEqual r.UserName, "bob", "UserName"
CheckEqual r.DomainID, 1, "DomainID defaults to 1"
CheckEqual r.Disable, False, "Disable defaults to False"
CheckEqual r.Expire, False, "Expire defaults to False"
CheckEqual r.ExpireDate, #1970-01-01 08:00:00#, "ExpireDate defaults to 1970-01-01 08:00:00"
CheckEqual ul.Count, CLng(1), "the item was added"
On Error Resume Next
Set r = ul.Item("bob")
ExpectError 5, "an omitted sKey adds no key"
On Error GoTo 0
Set r = ul.Add("carol", , True, , , "carol")
CheckEqual r.DomainID & "|" & r.Disable & "|" & r.Expire, "1|True|False", "defaults around a given argument"
CheckEqual ul("CAROL").UserName, "carol", "sKey given after omitted arguments"
k = "dave"
Set r = ul.Add("dave", 3, False, True, #2031-05-06#, k)
CheckEqual r.DomainID & "|" & r.Expire & "|" & r.ExpireDate, "3|True|" & #2031-05-06#, "every argument given"
CheckEqual k, "dave", "the by-reference key is not changed"

Section "DirAccess.Add"
Set da = CreateObject("Vantrel.DirAccess")
Set a = da.Add("C:\ftp")
CheckEqual a.FilesRead & a.FilesWrite & a.FilesAppend & a.FilesDelete & a.FilesExecute, _
           "TrueFalseFalseFalseFalse", "file rights default to read only"
CheckEqual a.DirList & a.DirCreate & a.DirRemove & a.SubDirInherit, "TrueFalseFalseTrue", _
           "folder rights default to list and inherit"
Set a = da.Add("C:\in", , True, , True)
CheckEqual a.FilesRead & a.FilesWrite & a.FilesAppend & a.FilesDelete, "TrueTrueFalseTrue", _
           "defaults around given arguments"

Section "arguments that are required"
On Error Resume Next
Set r = ul.Add()
' 449 (argument not optional) or 450 (wrong number of arguments), as the
' system's dispatch reports it.
Check Err.Number = 449 Or Err.Number = 450, "UserList.Add without its required UserName: error " & Err.Number
Err.Clear
Set a = da.Add("C:\x", True, True, True, True, True, True, True, True, True, "k", "extra")
ExpectError 450, "DirAccess.Add with one argument too many"
Set a = da.Add("C:\x", "perhaps")
ExpectError 13, "DirAccess.Add with a text that is no Boolean"
Set r = ul.Add("eve", 70000)
ExpectError 6, "UserList.Add with a DomainID beyond Integer"
On Error GoTo 0
CheckEqual ul.Count, CLng(3), "refused Adds add nothing"
CheckEqual da.Count, CLng(2), "refused DirAccess.Adds add nothing"
