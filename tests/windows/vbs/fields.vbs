' Fields store what they are given and read it back in their declared type;
' arguments are coerced to that type first, and a value that cannot be
' coerced fails with 13 (type mismatch) or 6 (overflow) before the member runs.
Dim c, u, ul, x
Set c = CreateObject("Vantrel.CDomain")
c.port = 2121
c.HostName = "ftp.example.com"
c.ID = 3
CheckEqual c.port, 2121, "CDomain.port is an Integer"
CheckEqual c.HostName, "ftp.example.com", "CDomain.HostName"
CheckEqual c.ID, 3, "CDomain.ID is an Integer"
c.IP = "192.0.2.1"
CheckEqual c.IP, "192.0.2.1", "CDomain.IP stores an address"
c.IP = ""
CheckEqual c.IP, "127.0.0.1", "CDomain.IP stores 127.0.0.1 for the empty string"

' Text beyond ASCII survives the boundary unchanged (Wine's VBScript has no
' ChrW, so the character comes from Chr in the system code page).
Dim accented
accented = "caf" & Chr(233) & " | ; = [x]"
c.HostName = accented
CheckEqual c.HostName, accented, "text beyond ASCII"
CheckEqual Len(c.HostName), CLng(14), "length of text beyond ASCII"

' Coercion of arguments to Integer (the coercion rules themselves are
' checked by the unit tests; here, that they run behind the dispatch).
c.port = "&H10"
CheckEqual c.port, 16, "hexadecimal text"
c.port = 2.5
CheckEqual c.port, 2, "2.5 rounds half to even"
c.port = True
CheckEqual c.port, -1, "True as an Integer"

On Error Resume Next
c.port = "abc"
ExpectError 13, "text that is no number for an Integer"
CheckEqual c.port, -1, "a refused value leaves the field unchanged"
c.port = 32768
ExpectError 6, "32768 for an Integer"
c.ID = "1e10"
ExpectError 6, "1e10 for an Integer"
On Error GoTo 0
c.port = -32768
CheckEqual c.port, CInt(-32768), "the smallest Integer"

' Long fields.
Set u = CreateObject("Vantrel.User")
u.SessionTimeOut = 2147483647
CheckEqual u.SessionTimeOut, 2147483647, "the largest Long"
u.SpeedLimitDown = -2147483647 - 1
CheckEqual u.SpeedLimitDown, -2147483647 - 1, "the smallest Long"
u.SpeedLimitUp = "100000"
CheckEqual u.SpeedLimitUp, CLng(100000), "Long from text"
On Error Resume Next
u.DiskQuotaSize = 2147483648
ExpectError 6, "2147483648 for a Long"
u.DiskQuotaSize = "lots"
ExpectError 13, "text that is no number for a Long"
u.MaxNrUsers = 40000
ExpectError 6, "40000 for an Integer field of User"
On Error GoTo 0

' Boolean fields.
u.EnableDiskQuota = True
CheckEqual u.EnableDiskQuota, True, "Boolean True"
u.EnableDiskQuota = "False"
CheckEqual u.EnableDiskQuota, False, "Boolean from ""False"""
u.ChangePassword = 5
CheckEqual u.ChangePassword, True, "a non-zero number is True"
CheckEqual CInt(u.ChangePassword), -1, "True is -1"
On Error Resume Next
u.Disable = "maybe"
ExpectError 13, "text that is no Boolean"
On Error GoTo 0

' Date fields.
u.ExpireDate = #2024-02-29 13:45:10#
CheckEqual u.ExpireDate, #2024-02-29 13:45:10#, "Date value"
u.ExpireDate = CDbl(25569.5)
CheckEqual u.ExpireDate, #1970-01-01 12:00:00#, "Date from a number of days"
u.ExpireDate = "2030-12-31 23:59:59"
CheckEqual u.ExpireDate, #2030-12-31 23:59:59#, "Date from text"
On Error Resume Next
u.ExpireDate = "not a date"
ExpectError 13, "text that is no date"
On Error GoTo 0

' String fields take numbers and Booleans as text.
u.HomeDir = 42
CheckEqual u.HomeDir, "42", "a number stored in a String field"
u.UserName = "  spaced  "
CheckEqual u.UserName, "  spaced  ", "a String keeps its blanks"

' Record fields of the other record classes.
Set ul = CreateObject("Vantrel.CUserList")
ul.Expire = True
ul.ExpireDate = #2025-01-01#
ul.Disable = True
ul.UserName = "bob"
ul.DomainID = 7
CheckEqual ul.Expire & "|" & ul.ExpireDate & "|" & ul.Disable & "|" & ul.UserName & "|" & ul.DomainID, _
           "True|" & #2025-01-01# & "|True|bob|7", "CUserList fields"
CheckEqual TypeName(ul.DomainID), "Integer", "CUserList.DomainID is an Integer"
Set x = CreateObject("Vantrel.CAdmin")
x.RootDir = "D:\ftp\sales"
x.DomainID = 2
x.AdminPassword = "secret"
x.AdminName = "alice"
CheckEqual x.RootDir & "|" & x.DomainID & "|" & x.AdminPassword & "|" & x.AdminName, _
           "D:\ftp\sales|2|secret|alice", "CAdmin fields"
Set x = CreateObject("Vantrel.CFile")
x.FileLength = 123456789
x.CreationTime = #2001-02-03 04:05:06#
CheckEqual x.FileLength, 123456789, "CFile.FileLength is a Long"
CheckEqual x.CreationTime, #2001-02-03 04:05:06#, "CFile.CreationTime"

' A read-only property cannot be assigned.
On Error Resume Next
u.ErrorMsg = "x"
Check Err.Number <> 0, "assigning the read-only ErrorMsg fails"
Err.Clear
On Error GoTo 0
CheckEqual u.ErrorMsg, "", "ErrorMsg unchanged by the refused assignment"
