The vantrel tool on a copy of the bundled example: what it adds to the
operations, whose own rules are the golden cases. Options and passwords
passed to the objects, messages on stderr, exit codes (0 done, 1 refused,
2 usage or automation error), table and JSON output. Run by cram with
VANTREL and EXAMPLE_INI set.

  $ mkdir -p root/drives/c/Windows root/drives/d/ftp/sales/in servu
  $ cp "$EXAMPLE_INI" servu/ServUDaemon.ini
  $ ini=servu/ServUDaemon.ini
  $ export LC_ALL=C.UTF-8 VANTREL_ROOT=$PWD/root SERVU_PATH=$PWD/servu XDG_CACHE_HOME=$PWD/cache
  $ unset VANTREL_ADMIN VANTREL_PASSWORD VANTREL_NEW_PASSWORD VANTREL_USER_PASSWORD
  $ vantrel() { "$VANTREL" "$@"; }

A fresh root needs `vantrel init`, which keeps what exists:

  $ VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor VANTREL_ROOT=$PWD/fresh vantrel users list
  vantrel: the settings file */fresh/drives/c/Windows/Vantrel.ini does not exist yet; run `vantrel init` to create it with the factory system administrator (glob)
  [1]
  $ VANTREL_ROOT=$PWD/fresh vantrel init
  Created the settings file */fresh/drives/c/Windows/Vantrel.ini. (glob)
  The system administrator is Vantrel with the factory password KelpMoor.
  Change that password now:
    vantrel --admin Vantrel admins passwd
  $ VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor VANTREL_ROOT=$PWD/fresh vantrel users list
  UserName  Status    Expires
  alice     enabled   never
  bob       disabled  2025-01-01 08:00:00
  carol     enabled   never
  dave      enabled   never
  erin      enabled   never
  $ VANTREL_ROOT=$PWD/fresh vantrel init
  The settings file */fresh/drives/c/Windows/Vantrel.ini exists already; nothing was changed. (glob)

The settings file of these tests: Vantrel / KelpMoor (salt "ab"), public
directory C:\Vantrel.

  $ printf '[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n[PublicDir]\r\ndir1=C:\\Vantrel\r\n' > root/drives/c/Windows/Vantrel.ini
  $ vantrel version
  Server version: 6.4.0.6
  Library:        Vantrel|Version:1.0.0.0|Developer:The Vantrel developers|Contact:vantrel-team@users.noreply.vantrel.org
  $ vantrel --servu-path "$PWD/none" version
  Server version: Unknown Version
  Library:        Vantrel|Version:1.0.0.0|Developer:The Vantrel developers|Contact:vantrel-team@users.noreply.vantrel.org
  vantrel: ServUPath error: no readable ServUDaemon.ini in the folder */none; give the FTP server's folder with --servu-path or SERVU_PATH (glob)
  [1]
  $ vantrel users list
  vantrel: Right Limited!Make sure the programmer had set the AdminName&AdminPassword
  [1]
  $ vantrel admins list
  vantrel: --admin (or VANTREL_ADMIN) must name the system administrator
  [2]

Passwords come from the environment or stdin (the caller's first, then the
new one), and the stored one is the salted digest:

  $ export VANTREL_ADMIN=Vantrel
  $ printf 'KelpMoor\nnew-secret\n' | vantrel users add frank --password-stdin --set-password --home 'C:\ftp\frank' --rule 'C:\ftp\frank|RWAMLCDP' --expire '2030-06-30 18:00:00' --timeout 600
  Added user frank
  $ grep -a '^User6=' $ini
  User6=frank|1|1909044000\r (esc)
  $ salted=$(sed -n '/^\[USER=frank|1\]/,/^\[/p' $ini | grep -a '^Password=' | tr -d '\r' | cut -d= -f2-)
  $ [ "${salted:2}" = "$(printf '%s' "${salted:0:2}new-secret" | md5sum | cut -c1-32 | tr a-f A-F)" ] && echo digest of new-secret
  digest of new-secret

Refusals and usage errors; a refused add changes nothing:

  $ export VANTREL_PASSWORD=KelpMoor
  $ cp $ini before.ini
  $ vantrel users add $'caf\xe9'
  vantrel: Refused: the UserName is not valid text (invalid UTF-8 or a lone surrogate)
  [1]
  $ cmp $ini before.ini
  $ vantrel users add gina --rule 'C:\g|RQ'
  vantrel: --rule 'C:\g|RQ': unknown right letter 'Q' (use RWAMELCDP)
  [2]
  $ vantrel users add gina --timeout lots --json
  {"ErrorMsg":"--timeout 'lots': expected a whole number from 0 to 32767"}
  [2]
  $ env -u VANTREL_PASSWORD "$VANTREL" users list
  vantrel: no password given and standard input is not a terminal: set VANTREL_PASSWORD, or pass --password-stdin and write the password as the first line of standard input
  [2]
  $ vantrel --root "$PWD/root" users lst
  vantrel: unknown command 'lst' for `vantrel users`; did you mean `vantrel users list`? (`vantrel users --help` lists the commands)
  [2]
  $ vantrel users list --domain 9
  vantrel: no domain 9 in */servu/ServUDaemon.ini (`vantrel domains list` shows them) (glob)
  [1]
  $ vantrel users add alice
  vantrel: This username exists already
  [1]

Tables and JSON:

  $ vantrel --json users show frank > frank.json
  $ python3 -c 'import json,sys; print(json.load(sys.stdin)["TimeOut"])' < frank.json
  600
  $ vantrel users list
  UserName  Status    Expires
  alice     enabled   never
  bob       disabled  2025-01-01 08:00:00
  carol     enabled   never
  dave      enabled   never
  erin      enabled   never
  frank     enabled   2030-06-30 18:00:00
  $ vantrel --json users list | python3 -c 'import json,sys; print({u["UserName"]: u["ExpireDate"] for u in json.load(sys.stdin)})'
  {'alice': None, 'bob': '2025-01-01T08:00:00', 'carol': None, 'dave': None, 'erin': None, 'frank': '2030-06-30T18:00:00'}
  $ vantrel domains add new.example 10.9.9.9 --port 2100
  Added domain 3: new.example 10.9.9.9 port 2100
  $ grep -a '^Domain4=' $ini
  Domain4=10.9.9.9||2100|new.example|3|0\r (esc)
  $ vantrel domains add big.example 10.9.9.8 --port 99999
  vantrel: --port '99999': expected a port number from 1 to 32767
  [2]

--dry-run prints a diff per file and makes or changes no file, folder, lock
or temporary file:

  $ snapshot() { find "$PWD/root" "$PWD/servu" -printf '%p %s %T@\n' | sort; }
  $ snapshot > before.txt
  $ vantrel users add dora --home 'C:\ftp\dora' --rule 'C:\ftp\dora|RL' --dry-run
  Added user dora
  would create the folder */root/drives/c/ftp/dora (glob)
  --- */servu/ServUDaemon.ini (glob)
  +++ */servu/ServUDaemon.ini (glob)
  @@ -26,6 +26,7 @@
   User5=erin|1|0\r (esc)
   Note=sales and support staff\r (esc)
   User6=frank|1|1909044000\r (esc)
  +User7=dora|1|0\r (esc)
   \r (esc)
   [Domain1.Banner]\r (esc)
   Text=Welcome to the Example Corp. FTP service\r (esc)
  @@ -163,3 +164,8 @@
   TimeOut=600\r (esc)
   Access1=C:\\ftp\\frank|RWAMLCDP\r (esc)
   LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  +[USER=dora|1]\r (esc)
  +HomeDir=C:\\ftp\\dora\r (esc)
  +TimeOut=0\r (esc)
  +Access1=C:\\ftp\\dora|RL\r (esc)
  +LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  $ vantrel --dry-run domains delete 2
  Deleted domain 2 with its users
  --- */servu/ServUDaemon.ini (glob)
  +++ */servu/ServUDaemon.ini (glob)
  @@ -12,12 +12,6 @@
   LogLevel=3\r (esc)
   RotateDaily=1\r (esc)
   \r (esc)
  -[DOMAINS]\r (esc)
  -Domain1=192.168.0.5||21|ftp.example.com|1|0\r (esc)
  -Domain2=||2121|files.example.org|2|0\r (esc)
  -Domain3=10.0.0.20||990|uploads.example.net|4|0\r (esc)
  -Domain4=10.9.9.9||2100|new.example|3|0\r (esc)
  -\r (esc)
   [Domain1]\r (esc)
   User1=alice|1|0\r (esc)
   User2=bob|0|1735689600\r (esc)
  @@ -79,48 +73,6 @@
   LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
   ChangePassword=1\r (esc)
   \r (esc)
  -[Domain2]\r (esc)
  -User1=frank|1|0\r (esc)
  -User2=grace|1|0\r (esc)
  -User3=heidi|1|0\r (esc)
  -User4=ivan|1|0\r (esc)
  -\r (esc)
  -[USER=frank|2]\r (esc)
  -HomeDir=E:\\files\\frank\r (esc)
  -Password=ds300904F484B6B3674AF3D274D5A8A318\r (esc)
  -TimeOut=600\r (esc)
  -Access1=E:\\files\\frank|RWAMLCDP\r (esc)
  -LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  -RelPaths=1\r (esc)
  -\r (esc)
  -[USER=grace|2]\r (esc)
  -HomeDir=E:\\files\\upload\r (esc)
  -Password=miD929885C336ADBC68C71D62D8C6FA1BF\r (esc)
  -TimeOut=120\r (esc)
  -Access1=E:\\files\\upload|WAP\r (esc)
  -LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  -MaxUsersLoginPerIP=1\r (esc)
  -MaxNrUsers=10\r (esc)
  -SpeedLimitUp=20480\r (esc)
  -\r (esc)
  -[USER=heidi|2]\r (esc)
  -HomeDir=E:\\files\\heidi\r (esc)
  -Password=ynBA9DC27F138E9398713E6D84B5376CA0\r (esc)
  -TimeOut=600\r (esc)
  -Access1=E:\\files\\heidi|RWAMLCDP\r (esc)
  -Access2=E:\\files\\upload|RLP\r (esc)
  -LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  -DiskQuota=1|1073741824|0\r (esc)
  -\r (esc)
  -[USER=ivan|2]\r (esc)
  -HomeDir=E:\\files\\readonly\r (esc)
  -Password=keC270FF2A811C6D66C27F5B375FF250CD\r (esc)
  -TimeOut=600\r (esc)
  -Access1=E:\\files\\readonly|RLP\r (esc)
  -LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  -SpeedLimitDown=40960\r (esc)
  -SessionTimeOut=1800\r (esc)
  -\r (esc)
   [Domain4]\r (esc)
   User1=judy|1|1830211200\r (esc)
   User2=mallory|1|1782777600\r (esc)
  @@ -163,3 +115,7 @@
   TimeOut=600\r (esc)
   Access1=C:\\ftp\\frank|RWAMLCDP\r (esc)
   LoginMesFile=C:\\Windows\\Vantrel.txt\r (esc)
  +[DOMAINS]\r (esc)
  +Domain1=192.168.0.5||21|ftp.example.com|1|0\r (esc)
  +Domain2=10.0.0.20||990|uploads.example.net|4|0\r (esc)
  +Domain3=10.9.9.9||2100|new.example|3|0\r (esc)
  $ snapshot | diff before.txt -
  $ VANTREL_ROOT=$PWD/fresh2 vantrel init --dry-run
  Would create the settings file */fresh2/drives/c/Windows/Vantrel.ini. (glob)
  The system administrator is Vantrel with the factory password KelpMoor.
  Change that password now:
    vantrel --admin Vantrel admins passwd
  would create the folder */fresh2/drives/c/Windows (glob)
  --- /dev/null
  +++ */fresh2/drives/c/Windows/Vantrel.ini (glob)
  @@ -0,0 +1,8 @@
  +[Vantrel]\r (esc)
  +Version=1.0.0.0\r (esc)
  +Copyright=The Vantrel developers\r (esc)
  +Email=vantrel-team@users.noreply.vantrel.org\r (esc)
  +Administrator=Vantrel\r (esc)
  \+Password=[a-z]{2}[0-9A-F]{32}\\r \(esc\) (re)
  +[PublicDir]\r (esc)
  +dir1=C:\\Vantrel\r (esc)
  --- /dev/null
  +++ */fresh2/drives/c/Windows/Vantrel.txt (glob)
  @@ -0,0 +1,2 @@
  +Welcome to use Vantrel.dll\r (esc)
  +Vantrel 1.0.0.0 - Copyright (C) 2026 The Vantrel developers\r (esc)
  $ ls fresh2
  ls: cannot access 'fresh2': No such file or directory
  [2]
  $ mkdir -p old/Windows
  $ VANTREL_ROOT=$PWD/old vantrel version
  vantrel: warning: this root keeps the Windows folder in */old/Windows, so paths written into ServUDaemon.ini would be host paths; move it to C:\Windows with (glob)
    mkdir -p */old/drives/c && mv */old/Windows */old/drives/c/Windows (glob)
  Server version: 6.4.0.6
  Library:        Vantrel|Version:1.0.0.0|Developer:The Vantrel developers|Contact:vantrel-team@users.noreply.vantrel.org

Administrators, browsing, the factory-password warning (once a day):

  $ printf 'KelpMoor\nPa55\n' | vantrel admins add sales --domain 2 --root 'D:\ftp\sales' --password-stdin
  vantrel: warning: the system administrator Vantrel still has the factory password; change it with `vantrel --admin Vantrel admins passwd` (this warning comes at most once a day)
  Added domain administrator sales (domain 2, root D:\ftp\sales)
  $ vantrel --json admins list
  [
    {
      "AdminName": "sales",
      "DomainID": 2,
      "RootDir": "D:\\ftp\\sales"
    }
  ]
  $ printf '%1000s' '' > root/drives/d/ftp/sales/report.txt
  $ VANTREL_PASSWORD=pa55 vantrel --admin sales --json browse 'D:\ftp\sales' '*.TXT' > browse.json
  $ grep FileLength browse.json
        "FileLength": 1000,
  $ VANTREL_PASSWORD=pa55 vantrel --admin sales browse 'D:\ftp\sales\nope'
  vantrel: the folder D:\ftp\sales\nope does not exist (*/root/drives/d/ftp/sales/nope) (glob)
  [1]
  $ VANTREL_NEW_PASSWORD=New-Pass1 vantrel admins passwd --name Root
  Changed the system administrator to Root
  $ VANTREL_PASSWORD=New-Pass1 vantrel --admin root public-dirs list
  #  Directory
  1  C:\Vantrel

`call` drives any member; passwords are not shown:

  $ VANTREL_ADMIN=root VANTREL_PASSWORD=New-Pass1 vantrel call Vantrel.User UserName=frank GetUser frank > call.txt
  $ grep -E 'AdminPassword|New-Pass1|new-secret' call.txt
    AdminPassword       (hidden)
  $ vantrel call Vantrel.CDomain IP= ID='&H10' port=' 2121 ' > domain.txt
  $ grep -E '^  (IP|ID|port) ' domain.txt
    port      2121
    IP        127.0.0.1
    ID        16
  $ vantrel call Vantrel.AdminOfAdmin GetAdminList > admins.txt
  [1]
  $ grep Result admins.txt
  Result: False
  $ vantrel call Vantrel.CDomain port=70000
  vantrel: error 6: Overflow
  [2]

Deleting a domain asks for --yes:

  $ vantrel domains delete 3
  vantrel: domains delete removes domain 3 and every account in it: add --yes to confirm when standard input is not a terminal
  [2]
  $ grep -ac new.example $ini
  1
  $ VANTREL_ADMIN=root VANTREL_PASSWORD=New-Pass1 vantrel domains delete 3 --yes
  Deleted domain 3 with its users
  $ grep -ac new.example $ini
  0
  [1]

The ini commands:

  $ vantrel ini get $ini global VERSION
  6.4.0.6
  $ vantrel --json ini set $ini GLOBAL Version $'1\r\n[DOMAINS]'
  vantrel: ini set: servu/ServUDaemon.ini: a section name, key name or value holds a line break or NUL; nothing was written
  {
    "ErrorMsg": "a section name, key name or value holds a line break or NUL; nothing was written",
    "Result": false
  }
  [1]
  $ vantrel ini set $ini GLOBAL Version $'6\xff'
  vantrel: ini set: servu/ServUDaemon.ini: Refused: the VALUE is not valid text in the code page UTF-8
  [1]
  $ vantrel ini get $ini GLOBAL --json
  {"ErrorMsg":"KEY is required"}
  [2]
  $ chmod 0444 $ini
  $ vantrel reload
  vantrel: Reload failed: the file is read-only: */servu/ServUDaemon.ini (glob)
  [1]
