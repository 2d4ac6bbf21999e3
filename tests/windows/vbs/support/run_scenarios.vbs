' Runs every scenario file named on the command line, each in a fresh
' VBScript engine of its own (a ScriptControl), all in this one cscript
' process: a process start costs seconds under 32-bit Wine. Each scenario's
' output follows a line "=== <file name>"; a scenario that stops on an error
' gets the line "stopped by error <number> at line <line>: <description>".
Option Explicit
Dim fso, i, path, engine, source
Set fso = CreateObject("Scripting.FileSystemObject")
For i = 0 To WScript.Arguments.Count - 1
  path = WScript.Arguments(i)
  WScript.Echo "=== " & fso.GetFileName(path)
  Set source = fso.OpenTextFile(path, 1)
  Set engine = CreateObject("MSScriptControl.ScriptControl")
  engine.Language = "VBScript"
  engine.AllowUI = False
  engine.AddObject "WScript", WScript
  On Error Resume Next
  engine.AddCode source.ReadAll
  If Err.Number <> 0 Then
    WScript.Echo "stopped by error " & engine.Error.Number & " at line " & engine.Error.Line & ": " & engine.Error.Description
  End If
  On Error GoTo 0
  source.Close
  Set engine = Nothing
Next
