' Automation errors reach the script as Err.Number with the member's
' description and the class as source; the statement delivers no result and
' the object keeps working. Coercion errors come from the system's dispatch.
Dim c, x, u
Set c = CreateObject("Vantrel.Domain")
c.Add 1, "192.0.2.1", "one", 21, "one"
On Error Resume Next
x = "unchanged"
Set x = c.Item(2)
CheckEqual Err.Number, CLng(9), "position out of range"
Check Len(Err.Description) > 0, "the error carries a description"
CheckEqual Err.Source, "Vantrel.Domain", "the error names the class as its source"
Err.Clear
CheckEqual x, "unchanged", "a failed Get delivers no result"
c.Add 2, "192.0.2.2", "two", 21, "ONE"
CheckEqual Err.Number, CLng(457), "duplicate key"
Err.Clear
Set u = CreateObject("Vantrel.User")
u.TimeOut = "ten"
CheckEqual Err.Number, CLng(13), "type mismatch"
Err.Clear
u.TimeOut = 1E+300
CheckEqual Err.Number, CLng(6), "overflow"
Err.Clear
x = u.NoSuchMember
CheckEqual Err.Number, CLng(438), "unknown member"
Err.Clear
u.ErrorMsg = "x"
Check Err.Number <> 0, "assigning the read-only ErrorMsg fails"
Err.Clear
CheckEqual c.Item(1).HostName, "one", "the collection is usable after errors"
CheckEqual Err.Number, CLng(0), "no error left behind"
On Error GoTo 0
