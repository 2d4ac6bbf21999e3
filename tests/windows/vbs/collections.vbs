' Each of the seven collection classes through IDispatch: For Each in adding
' order, Item as default member by position and by key, and a collection
' property's Set (a caller's collection, or Nothing for a new empty one).
Function Added(kind, c, n)
  Select Case kind
    Case "Domain": Set Added = c.Add(n, "192.0.2.1", "h", 21, "k" & n)
    Case "UserList": Set Added = c.Add("u" & n, , , , , "k" & n)
    Case "DirAccess": Set Added = c.Add("C:\d" & n, , , , , , , , , , "k" & n)
    Case "Directory": Set Added = c.Add("d" & n, #2020-01-01#, "k" & n)
    Case "File": Set Added = c.Add("f" & n, 100, #2020-01-01#, #2020-01-02#, #2020-01-03#, "k" & n)
    Case "Admin": Set Added = c.Add("a" & n, "pw", 1, "C:\root", "k" & n)
    Case "PublicDir": Set Added = c.Add("C:\p" & n, "k" & n)
  End Select
End Function

Dim kind, c, n, item, seen, first
For Each kind In Array("Domain", "UserList", "DirAccess", "Directory", "File", "Admin", "PublicDir")
  Set c = CreateObject("Vantrel." & kind)
  For n = 1 To 3
    Set item = Added(kind, c, n)
    If n = 1 Then Set first = item
  Next
  seen = 0
  For Each item In c
    seen = seen + 1
    Check item Is c(seen), kind & ": For Each item " & seen & " is Item(" & seen & ")"
  Next
  CheckEqual seen, 3, kind & ": For Each visits every item"
  CheckSame c("K1"), first, kind & ": the default member by key is the object Add returned"
Next

Section "Set of a collection property"
Dim u, mine
Set u = CreateObject("Vantrel.User")
CheckSame u.DirAccess, u.DirAccess, "Get returns the held object"
Set mine = CreateObject("Vantrel.DirAccess")
mine.Add "D:\pub"
Set u.DirAccess = mine
CheckSame u.DirAccess, mine, "Set stores the caller's object"
Set u.DirAccess = Nothing
CheckEqual u.DirAccess.Count, CLng(0), "after Set to Nothing a new empty collection"
On Error Resume Next
Set u.DirAccess = CreateObject("Vantrel.UserList")
ExpectError 13, "a collection of another class"
On Error GoTo 0
