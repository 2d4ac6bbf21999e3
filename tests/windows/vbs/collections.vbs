' The pattern that the seven collection classes share: Add with and without
' a key, Item by position and by key (letter case ignored), Count, Remove,
' For Each in adding order, and errors 5, 9 and 457 that leave the
' collection as it was.

' Adds an item that carries `label` in its identifying field.
Function AddItem(c, kind, label, key)
  Select Case kind
    Case "Domain": Set AddItem = c.Add(CInt(label), "192.0.2." & label, "host" & label, 21, key)
    Case "UserList": Set AddItem = c.Add("user" & label, 1, False, False, #2030-01-01#, key)
    Case "DirAccess": Set AddItem = c.Add("C:\dir" & label, True, False, False, False, False, True, False, False, True, key)
    Case "Directory": Set AddItem = c.Add("dir" & label, #2020-01-01#, key)
    Case "File": Set AddItem = c.Add("file" & label, 100, #2020-01-01#, #2020-01-02#, #2020-01-03#, key)
    Case "Admin": Set AddItem = c.Add("admin" & label, "pw", 1, "C:\root", key)
    Case "PublicDir": Set AddItem = c.Add("C:\pub" & label, key)
  End Select
End Function

' The same without a key argument at all.
Function AddUnkeyed(c, kind, label)
  Select Case kind
    Case "Domain": Set AddUnkeyed = c.Add(CInt(label), "192.0.2." & label, "host" & label, 21)
    Case "UserList": Set AddUnkeyed = c.Add("user" & label)
    Case "DirAccess": Set AddUnkeyed = c.Add("C:\dir" & label)
    Case "Directory": Set AddUnkeyed = c.Add("dir" & label, #2020-01-01#)
    Case "File": Set AddUnkeyed = c.Add("file" & label, 100, #2020-01-01#, #2020-01-02#, #2020-01-03#)
    Case "Admin": Set AddUnkeyed = c.Add("admin" & label, "pw", 1, "C:\root")
    Case "PublicDir": Set AddUnkeyed = c.Add("C:\pub" & label)
  End Select
End Function

Function LabelOf(item, kind)
  Select Case kind
    Case "Domain": LabelOf = CStr(item.ID)
    Case "UserList": LabelOf = Mid(item.UserName, 5)
    Case "DirAccess": LabelOf = Mid(item.Directory, 7)
    Case "Directory": LabelOf = Mid(item.DirName, 4)
    Case "File": LabelOf = Mid(item.FileName, 5)
    Case "Admin": LabelOf = Mid(item.AdminName, 6)
    Case "PublicDir": LabelOf = Mid(item.Directory, 7)
  End Select
End Function

' Changes the identifying field of a record to carry `label`.
Sub Relabel(item, kind, label)
  Select Case kind
    Case "Domain": item.ID = CInt(label)
    Case "UserList": item.UserName = "user" & label
    Case "DirAccess": item.Directory = "C:\dir" & label
    Case "Directory": item.DirName = "dir" & label
    Case "File": item.FileName = "file" & label
    Case "Admin": item.AdminName = "admin" & label
    Case "PublicDir": item.Directory = "C:\pub" & label
  End Select
End Sub

Function Labels(c, kind)
  Dim item, text
  text = ""
  For Each item In c
    text = text & LabelOf(item, kind) & ","
  Next
  Labels = text
End Function

Sub CheckCollection(kind)
  Dim c, r, held, key, x
  Section kind
  Set c = CreateObject("Vantrel." & kind)
  CheckEqual c.Count, CLng(0), kind & ": a new collection is empty"
  CheckEqual Labels(c, kind), "", kind & ": For Each over an empty collection"

  On Error Resume Next
  Set x = c.Item(1)
  ExpectError 9, kind & ": Item(1) of an empty collection"
  Set x = c.Item("a")
  ExpectError 5, kind & ": Item(""a"") of an empty collection"
  On Error GoTo 0

  Set r = AddItem(c, kind, "1", "alpha")
  Call AddItem(c, kind, "2", "")
  Call AddUnkeyed(c, kind, "3")
  key = "Delta"
  Call AddItem(c, kind, "4", key)
  Call AddItem(c, kind, "5", "")
  CheckEqual c.Count, CLng(5), kind & ": Count after five Adds (two with the empty key)"
  CheckEqual key, "Delta", kind & ": the key argument is not changed"
  CheckEqual Labels(c, kind), "1,2,3,4,5,", kind & ": For Each visits the items in adding order"

  ' Positions, keys and the default member.
  CheckEqual LabelOf(c.Item(1), kind), "1", kind & ": Item(1)"
  CheckEqual LabelOf(c(4), kind), "4", kind & ": the default member c(4)"
  CheckEqual LabelOf(c.Item("alpha"), kind), "1", kind & ": Item by key"
  CheckEqual LabelOf(c.Item("ALPHA"), kind), "1", kind & ": keys ignore letter case"
  CheckEqual LabelOf(c("delta"), kind), "4", kind & ": default member by key"
  CheckEqual LabelOf(c.Item(CDbl(2)), kind), "2", kind & ": a Double is a position"
  CheckEqual LabelOf(c.Item(CLng(3)), kind), "3", kind & ": a Long is a position"
  Dim position, name
  position = 4
  name = "Alpha"
  CheckEqual LabelOf(c.Item(position), kind), "4", kind & ": a position in a variable"
  CheckEqual LabelOf(c(name), kind), "1", kind & ": a key in a variable"
  CheckEqual name, "Alpha", kind & ": the by-reference key variable is not changed"

  ' The record returned by Add is the item itself, not a copy.
  CheckSame c.Item(1), r, kind & ": Add returns the item that the collection holds"
  CheckSame c.Item(1), c.Item("alpha"), kind & ": position and key reach the same object"
  Relabel r, kind, "9"
  CheckEqual LabelOf(c.Item(1), kind), "9", kind & ": a change through Add's result shows in the collection"
  Relabel r, kind, "1"

  ' Errors leave everything as it was.
  On Error Resume Next
  Set x = c.Item(0)
  ExpectError 9, kind & ": Item(0)"
  Set x = c.Item(6)
  ExpectError 9, kind & ": Item(Count + 1)"
  Set x = c.Item(-1)
  ExpectError 9, kind & ": Item(-1)"
  Set x = c.Item("1")
  ExpectError 5, kind & ": Item(""1"") is a key, even made of digits"
  Set x = c.Item("")
  ExpectError 5, kind & ": Item("""")"
  Set x = c.Item("nokey")
  ExpectError 5, kind & ": Item of a missing key"
  Set x = AddItem(c, kind, "6", "alpha")
  ExpectError 457, kind & ": Add with a key already present"
  Set x = AddItem(c, kind, "6", "DELTA")
  ExpectError 457, kind & ": Add with a key that differs only in letter case"
  c.Remove "nokey"
  ExpectError 5, kind & ": Remove of a missing key"
  c.Remove 6
  ExpectError 9, kind & ": Remove(Count + 1)"
  On Error GoTo 0
  CheckEqual c.Count, CLng(5), kind & ": failed calls leave Count unchanged"
  CheckEqual Labels(c, kind), "1,2,3,4,5,", kind & ": failed calls leave the items unchanged"

  ' Remove by position renumbers; Remove by key; the removed record lives on.
  Set held = c.Item(1)
  c.Remove 1
  CheckEqual c.Count, CLng(4), kind & ": Count after Remove(1)"
  CheckEqual LabelOf(c.Item(1), kind), "2", kind & ": the former second item is now first"
  CheckEqual LabelOf(held, kind), "1", kind & ": a removed record stays usable while held"
  On Error Resume Next
  Set x = c.Item("alpha")
  ExpectError 5, kind & ": the removed item's key is gone"
  On Error GoTo 0
  c.Remove "DELTA"
  CheckEqual Labels(c, kind), "2,3,5,", kind & ": Remove by key (letter case ignored)"
  Call AddItem(c, kind, "7", "alpha")
  CheckEqual LabelOf(c("alpha"), kind), "7", kind & ": a removed key can be used again"

  ' An enumerator works on its own snapshot: removing during For Each
  ' does not disturb the loop.
  Dim item, seen
  seen = 0
  For Each item In c
    seen = seen + 1
    If seen = 1 Then c.Remove 1
  Next
  CheckEqual seen, 4, kind & ": For Each sees the items as they were when it started"
  CheckEqual c.Count, CLng(3), kind & ": Remove inside For Each took effect"
End Sub

Dim kinds, k
kinds = Array("Domain", "UserList", "DirAccess", "Directory", "File", "Admin", "PublicDir")
For Each k In kinds
  CheckCollection k
Next

' Item("1") and Item(1) differ when the first domain's key is not "1".
Section "Domain keys"
Dim d
Set d = CreateObject("Vantrel.Domain")
d.Add 2, "192.0.2.2", "second", 21, "2"
d.Add 1, "192.0.2.1", "first", 21, "1"
CheckEqual d.Item(1).ID, 2, "Item(1) is the first in adding order"
CheckEqual d.Item("1").ID, 1, "Item(""1"") is the item under key ""1"""
CheckEqual d("2").HostName, "second", "default member with a key"
