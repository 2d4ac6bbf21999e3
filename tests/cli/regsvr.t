vantrel-regsvr against the built library: messages, exit codes and the
registration file, as the system registration tool gives them. Run by cram
with REGSVR and LIBRARY set.

  $ export VANTREL_ROOT=$PWD
  $ "$REGSVR" "$LIBRARY"
  DllRegisterServer in */libvantrel.so succeeded. (glob)
  $ grep -c '^\[Vantrel\.' Registry/Classes.ini
  20
  $ "$REGSVR" /u /s "$LIBRARY"
  $ grep -c 'Vantrel\.' Registry/Classes.ini
  0
  [1]
  $ "$REGSVR" /u "$LIBRARY"
  DllUnregisterServer in */libvantrel.so succeeded. (glob)
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
