' Stand-ins for the ASP objects, put in front of a converted page. One run is
' one request: the exchange folder (first argument) holds request.txt (lines
' KIND<TAB>NAME<TAB>VALUE, KIND Q query, F form, S server variable) and
' session.txt (NAME<TAB>TYPE<TAB>VALUE); the run writes response.html (the
' body) and response.txt (status, headers, redirect) and rewrites session.txt.
Dim harness_fso, harness_folder
Set harness_fso = CreateObject("Scripting.FileSystemObject")
harness_folder = WScript.Arguments(0)

Function HarnessLines(name)
  Dim path, text
  path = harness_fso.BuildPath(harness_folder, name)
  HarnessLines = Array()
  If Not harness_fso.FileExists(path) Then Exit Function
  If harness_fso.GetFile(path).Size = 0 Then Exit Function
  text = harness_fso.OpenTextFile(path, 1).ReadAll
  HarnessLines = Split(Replace(text, vbCr, ""), vbLf)
End Function

Sub HarnessWrite(name, text)
  Dim f
  Set f = harness_fso.CreateTextFile(harness_fso.BuildPath(harness_folder, name), True)
  f.Write text
  f.Close
End Sub

' Server.CreateObject cannot call CreateObject from inside a method of that name.
Function HarnessCreate(progId)
  Set HarnessCreate = CreateObject(progId)
End Function

Class AspRequest
  Private values
  Private Sub Class_Initialize()
    Dim line, f
    Set values = CreateObject("Scripting.Dictionary")
    values.CompareMode = 1
    For Each line In HarnessLines("request.txt")
      f = Split(line, vbTab, 3)
      If UBound(f) = 2 Then values(f(0) & vbTab & f(1)) = f(2)
    Next
  End Sub
  ' Pages read one named value at a time, the only use these stand-ins serve.
  Public Property Get QueryString(name)
    QueryString = values("Q" & vbTab & name)
  End Property
  Public Property Get Form(name)
    Form = values("F" & vbTab & name)
  End Property
  Public Property Get ServerVariables(name)
    ServerVariables = values("S" & vbTab & name)
  End Property
End Class

Class AspResponse
  ' Wine's VBScript takes one name per Public or Private line in a class.
  Public Status
  Public CharSet
  Private body
  Private headers
  Private Sub Class_Initialize()
    Status = "200 OK"
    headers = ""
  End Sub
  Public Sub Write(text)
    body = body & text
  End Sub
  Public Sub AddHeader(name, value)
    headers = headers & "Header" & vbTab & name & ": " & value & vbCrLf
  End Sub
  Public Sub Redirect(url)
    Status = "302 Object moved"
    headers = headers & "Location" & vbTab & url & vbCrLf
    body = ""
    Finish
  End Sub
  Public Sub Clear()
    body = ""
  End Sub
  Public Sub Finish()
    HarnessWrite "response.html", body
    HarnessWrite "response.txt", "Status" & vbTab & Status & vbCrLf & headers
    Session.Save
    WScript.Quit 0
  End Sub
End Class

Class AspServer
  Public Function CreateObject(progId)
    Set CreateObject = HarnessCreate(progId)
  End Function
  ' The four markup characters, as IIS does (which also writes characters
  ' above 127 as numeric references; the tests use none).
  Public Function HTMLEncode(text)
    HTMLEncode = Replace(Replace(Replace(Replace(CStr(text), "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), """", "&quot;")
  End Function
  Public Function URLEncode(text)
    Dim i, c, out
    For i = 1 To Len(text)
      c = Mid(text, i, 1)
      If c = " " Then
        c = "+"
      ElseIf InStr("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", c) = 0 Then
        c = "%" & Right("0" & Hex(Asc(c)), 2)
      End If
      out = out & c
    Next
    URLEncode = out
  End Function
End Class

Class AspSession
  Private values
  Private abandoned
  Private Sub Class_Initialize()
    Dim line, f
    abandoned = False
    Set values = CreateObject("Scripting.Dictionary")
    values.CompareMode = 1
    For Each line In HarnessLines("session.txt")
      f = Split(line, vbTab, 3)
      If UBound(f) = 2 Then
        Select Case f(1)
          Case "2" values(f(0)) = CInt(f(2))
          Case "3" values(f(0)) = CLng(f(2))
          Case "11" values(f(0)) = CBool(f(2))
          Case Else values(f(0)) = f(2)
        End Select
      End If
    Next
  End Sub
  Public Default Property Get Item(name)
    Item = values(name)
  End Property
  Public Property Let Item(name, value)
    values(name) = value
  End Property
  ' As in ASP, the values stay readable until the page ends.
  Public Sub Abandon()
    abandoned = True
  End Sub
  Public Sub Save()
    Dim name, text
    If abandoned Then values.RemoveAll
    For Each name In values.Keys
      text = text & name & vbTab & VarType(values(name)) & vbTab & values(name) & vbCrLf
    Next
    HarnessWrite "session.txt", text
  End Sub
End Class

Dim Request, Response, Server, Session
Set Request = New AspRequest
Set Response = New AspResponse
Set Server = New AspServer
Set Session = New AspSession
