' Creates the library's settings file Vantrel.ini and its welcome file
' Vantrel.txt in the Windows folder, with the factory system administrator,
' when they are missing. Run it once as an administrator, with the same
' architecture as the library you registered:
'   cscript //nologo CreateSettings.vbs                      (64-bit library)
'   %WINDIR%\SysWOW64\cscript //nologo CreateSettings.vbs    (32-bit library)
' The web pages' account may not create files in the Windows folder, so the
' files and their (empty) recovery files, through which that account rewrites
' them in place, are made here and then opened to that account (INSTALL.txt).
Option Explicit

Dim user, shell, files, windowsFolder, ini, txt
On Error Resume Next
Set user = CreateObject("Vantrel.User")
If Err.Number <> 0 Then
  WScript.Echo "Vantrel is not registered for this architecture (" & Err.Description & ")."
  WScript.Echo "Register it with the wizard's step 1 or regsvr32 first."
  WScript.Quit 1
End If
On Error GoTo 0

Set shell = CreateObject("WScript.Shell")
Set files = CreateObject("Scripting.FileSystemObject")
windowsFolder = shell.ExpandEnvironmentStrings("%WINDIR%")
ini = files.BuildPath(windowsFolder, "Vantrel.ini")
txt = files.BuildPath(windowsFolder, "Vantrel.txt")
Sub MakeRecoveryFiles()
  Dim path, stream
  For Each path In Array(files.BuildPath(windowsFolder, "Vantrel.ini~recovery"), _
                         files.BuildPath(windowsFolder, "Vantrel.txt~recovery"))
    If Not files.FileExists(path) Then
      Set stream = files.CreateTextFile(path, False)
      stream.Close
    End If
    WScript.Echo "Recovery file: " & path
  Next
End Sub

If files.FileExists(ini) And files.FileExists(txt) Then
  WScript.Echo ini & " and " & txt & " exist already; they are left as they are."
  MakeRecoveryFiles
  WScript.Quit 0
End If

' Changing an account first creates the missing settings; without credentials
' the call is then refused, so nothing else is touched.
user.ModifyUser "", 1

If Not (files.FileExists(ini) And files.FileExists(txt)) Then
  WScript.Echo "Could not create " & ini & " and " & txt & ": run this script as an administrator."
  WScript.Quit 1
End If
WScript.Echo "Settings: " & ini
WScript.Echo "Welcome file: " & txt
MakeRecoveryFiles
WScript.Echo "Sign in to the pages as Vantrel with the password KelpMoor and change it at once"
WScript.Echo "(Administration, System password)."
