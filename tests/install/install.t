`cmake --install` into a staging folder lays out every file the packages
ship, with no path of the build tree in them, and the staged tool and
Python module work from there. Run by cram with BUILD (the build folder) and
SOURCE (the source folder) set.

  $ DESTDIR=$PWD/stage cmake --install "$BUILD" --prefix /usr > /dev/null
  $ cd stage/usr && find . -type f | sort
  ./bin/vantrel
  ./bin/vantrel-regsvr
  ./bin/vantrel-wizard
  ./include/vantrel.h
  ./lib/libvantrel.so
  ./lib/python3/dist-packages/vantrel/__init__.py
  ./lib/python3/dist-packages/vantrel/__init__.pyi
  ./lib/python3/dist-packages/vantrel/_installed.py
  ./lib/python3/dist-packages/vantrel/py.typed
  ./share/applications/vantrel-wizard.desktop
  ./share/bash-completion/completions/vantrel
  ./share/doc/vantrel/copyright
  ./share/man/man1/vantrel-regsvr.1
  ./share/man/man1/vantrel-wizard.1
  ./share/man/man1/vantrel.1
  $ grep -rlI "$BUILD" .
  [1]
  $ LD_LIBRARY_PATH=$PWD/lib bin/vantrel --version
  vantrel 1.0.0.0
  $ grep -x users share/man/man1/vantrel.1
  users
  $ cd / && env -u VANTREL_LIBRARY PYTHONPATH="$OLDPWD/lib/python3/dist-packages" python3 -c 'import vantrel; print(vantrel.library_path()); print(vantrel.CreateObject("Vantrel.Global").class_name())'
  */stage/usr/lib/libvantrel.so (glob)
  Global

The wheel that `pip install ./python` builds holds the module with its types,
and its record has a line for each of its files:

  $ mkdir "$CRAMTMP/wheel" && cd "$CRAMTMP/wheel"
  $ PYTHONDONTWRITEBYTECODE=1 PYTHONPATH="$SOURCE/python" python3 -c 'import build_backend; print(build_backend.build_wheel("."))'
  vantrel-1.0.0-py3-none-any.whl
  $ python3 -c 'import zipfile; w = zipfile.ZipFile("vantrel-1.0.0-py3-none-any.whl"); print(*w.namelist(), sep="\n"); print(w.read("vantrel-1.0.0.dist-info/RECORD").decode().count("\n"), "record lines")'
  vantrel/__init__.py
  vantrel/__init__.pyi
  vantrel/py.typed
  vantrel-1.0.0.dist-info/METADATA
  vantrel-1.0.0.dist-info/WHEEL
  vantrel-1.0.0.dist-info/RECORD
  6 record lines
