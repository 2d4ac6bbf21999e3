vantrel-regsvr against the built library: messages, exit codes and the
registration file, as the system registration tool gives them. Run by cram
with REGSVR and LIBRARY set.

Every class gets its entries, the same ones again when registered twice;
what other programs registered stays:

  $ export VANTREL_ROOT=$PWD
  $ mkdir Registry && printf '[Other.Thing]\r\nCLSID={1}\r\n' > Registry/Classes.ini
  $ "$REGSVR" "$LIBRARY"
  DllRegisterServer in */libvantrel.so succeeded. (glob)
  $ grep -c '^\[Vantrel\.' Registry/Classes.ini
  20
  $ sed -n '/^\[Vantrel\.User\]/,/^TypeLib/p' Registry/Classes.ini | tr -d '\r'
  [Vantrel.User]
  ProgID=Vantrel.User
  CLSID={5FFBB322-34D9-4F54-AACE-A5EBF2841036}
  InprocServer32=*/libvantrel.so (glob)
  ThreadingModel=Apartment
  TypeLib={6919B66F-FFE4-4B9D-AB17-570AB9A7296A}
  $ cp Registry/Classes.ini once.ini && "$REGSVR" /s "$LIBRARY" && cmp Registry/Classes.ini once.ini
  $ "$REGSVR" /u /s "$LIBRARY"
  $ cat Registry/Classes.ini
  [Other.Thing]\r (esc)
  CLSID={1}\r (esc)
  $ "$REGSVR" /u "$LIBRARY"
  DllUnregisterServer in */libvantrel.so succeeded. (glob)

A registration that cannot be written fails:

  $ rm -r Registry && printf 'a file' > Registry
  $ "$REGSVR" "$LIBRARY"
  The module "*/libvantrel.so" was loaded but the call to DllRegisterServer failed with error code 0x80040201. (glob)
  [5]

Command-line and library errors:

  $ "$REGSVR" none.so
  LoadLibrary("none.so") failed: ./none.so: cannot open shared object file: No such file or directory
  [3]
  $ "$REGSVR" /s
  [1]
  $ printf 'not a library' > fake.so
  $ "$REGSVR" fake.so
  LoadLibrary("fake.so") failed: ./fake.so: file too short
  [3]
  $ "$REGSVR" /s "$(ldd "$REGSVR" | awk '/libc\.so/ {print $3}')"
  [4]
