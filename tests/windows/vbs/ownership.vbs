' Collection properties of the managers: a Get returns the object the owner
' holds (the same object each time), Set stores the caller's own object, and
' a Get after Set to Nothing creates a new, empty collection.
Dim u, mine, a, b, r
Set u = CreateObject("Vantrel.User")

Section "Get returns the held object"
Set a = u.DirAccess
Set b = u.DirAccess
CheckSame a, b, "two Gets of User.DirAccess"
a.Add "C:\ftp\one"
CheckEqual u.DirAccess.Count, CLng(1), "an Add through a held reference shows in the owner"

Section "Set stores the caller's object"
Set mine = CreateObject("Vantrel.DirAccess")
mine.Add "D:\pub", True, True
Set u.DirAccess = mine
CheckSame u.DirAccess, mine, "User.DirAccess after Set is the page's object"
CheckEqual u.DirAccess(1).Directory, "D:\pub", "the owner sees the page's items"
mine.Add "D:\more"
CheckEqual u.DirAccess.Count, CLng(2), "later Adds by the page show in the owner"
CheckEqual a.Count, CLng(1), "the replaced collection keeps its own items"

Section "Set to Nothing"
Set r = u.DirAccess(1)
Set u.DirAccess = Nothing
CheckEqual u.DirAccess.Count, CLng(0), "Get after Set to Nothing gives an empty collection"
Check Not (u.DirAccess Is mine), "the new collection is not the page's old one"
CheckSame u.DirAccess, u.DirAccess, "the new collection is kept"
CheckEqual r.Directory, "D:\pub", "a record held by the page outlives its collection"
CheckEqual mine.Count, CLng(2), "the page's collection is untouched"

Section "Explorer.File"
Dim e, f
Set e = CreateObject("Vantrel.Explorer")
Set f = CreateObject("Vantrel.File")
Set e.File = f
CheckSame e.File, f, "Explorer.File Set"
Set e.File = Nothing
Check Not (e.File Is f), "Explorer.File is a new collection after Set to Nothing"

Section "refused assignments"
Dim d, wrong
Set d = CreateObject("Vantrel.Domains")
CheckSame d.Domain, d.Domain, "Domains.Domain is created once and kept"
On Error Resume Next
Set d.Domain = CreateObject("Vantrel.Domain")
Check Err.Number <> 0, "Domains.Domain has no Set"
Err.Clear
Set wrong = CreateObject("Vantrel.UserList")
Set u.DirAccess = wrong
ExpectError 13, "a collection of another class for User.DirAccess"
Set u.DirAccess = CreateObject("Vantrel.CDirAccess")
ExpectError 13, "a record where a collection is expected"
On Error GoTo 0
CheckEqual u.DirAccess.Count, CLng(0), "refused Sets leave User.DirAccess as it was"
