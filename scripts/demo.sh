#!/usr/bin/env bash
# Builds Vantrel and runs the main job on a temporary COPY of the bundled
# example server folder (examples/servu): the `vantrel` tool reading and
# changing ServUDaemon.ini. Each command is printed before it runs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build=${VANTREL_BUILD_DIR:-$top/build/native}  # the build folder the test command uses too
echo "== building ($build) =="
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target vantrel

work=$(mktemp -d /tmp/vantrel-demo.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$top/examples/servu" "$work/servu"
mkdir -p "$work/root/drives/c"
cp -r "$top/examples/servu" "$work/root/drives/c/Serv-U"
export PATH="$build/cli:$PATH"
export VANTREL_ROOT="$work/root"  # the system root: C:\ is $work/root/drives/c
cd "$work/servu"
echo "== working on a copy in $work/servu (system root $VANTREL_ROOT) =="

run() {  # prints the command, runs it, reports a non-zero exit without stopping
  local shown="" arg
  for arg in "$@"; do
    if [[ $arg =~ ^[A-Za-z0-9_./:=,+-]+$ ]]; then shown+=" $arg"; else shown+=" ${arg@Q}"; fi
  done
  printf '\n$%s\n' "$shown"
  local rc=0
  "$@" || rc=$?
  [ "$rc" -eq 0 ] || echo "(exit status $rc)"
}

as_admin() {  # the credentials the following commands use, as a page would set them
  export VANTREL_ADMIN=$1 VANTREL_PASSWORD=$2
  printf '\n# from here on as %s (VANTREL_ADMIN, password in VANTREL_PASSWORD)\n' "$1"
}

run vantrel ini sections ServUDaemon.ini
run vantrel ini keys ServUDaemon.ini DOMAINS
run vantrel ini get ServUDaemon.ini domains domain3
run vantrel ini keys ServUDaemon.ini Domain4
run vantrel ini get ServUDaemon.ini 'USER=carol|1' DiskQuota
run vantrel ini int ServUDaemon.ini 'USER=carol|1' SpeedLimitDown
run vantrel --json ini keys ServUDaemon.ini 'USER=alice|1'

cp ServUDaemon.ini ServUDaemon.ini.before
run vantrel ini set ServUDaemon.ini GLOBAL ReloadSettings true
run vantrel ini set ServUDaemon.ini 'USER=dave|1' TimeOut 450
printf '\n$ diff ServUDaemon.ini.before ServUDaemon.ini\n'
diff ServUDaemon.ini.before ServUDaemon.ini || true  # diff exits 1 when the files differ, as they should
echo "(only these lines changed; every other line keeps its bytes)"
rm ServUDaemon.ini.before

cp ServUDaemon.ini "$work/snapshot.ini"
run vantrel ini set ServUDaemon.ini GLOBAL Version $'7.0\r\n[DOMAINS]\r\nDomain9=evil'
cmp -s "$work/snapshot.ini" ServUDaemon.ini && echo "(refused: the file is unchanged)"
run vantrel ini get 'C:\Serv-U\ServUDaemon.ini' GLOBAL Version
run vantrel ini get 'c:/serv-u/servudaemon.INI' global VERSION

# First run: the settings file with its factory administrator. Passwords come
# from the environment, never the command line.
run vantrel init
as_admin Vantrel KelpMoor
run vantrel users add frank --home 'C:\ftp\frank' --rule 'C:\ftp\frank|RWAMLCDP' --rule 'C:\ftp\pub|RL' \
    --expire '2030-06-30 18:00:00' --timeout 600 --quota 5000
run vantrel users list
run vantrel users show frank
# --dry-run shows what a change would write, and writes nothing.
run vantrel users modify frank --timeout 900 --rule 'C:\ftp\frank|RL' --dry-run
run vantrel users modify frank --disable --speed-up 100 --rename franklin
run vantrel --json users show franklin
run vantrel users add 'eve|1' --home 'C:\ftp\eve'
run vantrel users delete franklin
run vantrel users list --domain 2
unset VANTREL_ADMIN VANTREL_PASSWORD

# Library administration: the system administrator sets up a domain
# administrator for domain 2 and a public directory; that administrator then
# browses and adds an account within its root folder, and is refused outside it.
as_admin Vantrel KelpMoor
printf '\n$ printf ... | vantrel admins add files --domain 2 --root %s --password-stdin\n' "'D:\\ftp\\files'"
printf 'KelpMoor\nFiles-2\n' | vantrel admins add files --domain 2 --root 'D:\ftp\files' --password-stdin 2>&1 \
  || echo "(exit status $?)"
run vantrel public-dirs add 'D:\ftp\shared'
run vantrel admins list
run vantrel public-dirs list
mkdir -p "$work/root/drives/d"
run vantrel mkdir 'D:\ftp\files\upload'
echo "price list" >"$work/root/drives/d/ftp/files/prices.txt"
as_admin files Files-2
run vantrel browse 'D:\ftp\files'
run vantrel browse 'D:\ftp'
run vantrel users add mallory --domain 2 --home 'D:\ftp\files\mallory'
run vantrel users add oscar --domain 2 --home 'D:\ftp\other'
run vantrel users list --domain 2
unset VANTREL_ADMIN VANTREL_PASSWORD

# Domains: the server version, the domain list, and the system administrator
# adding, changing and deleting a domain (with its users), then the reload
# signal that makes the running FTP server read the file again.
run vantrel version
run vantrel domains list
as_admin Vantrel KelpMoor
run vantrel role --domain 2
run vantrel domains add ftp.new.example 10.0.0.30 --port 2121
run vantrel domains add FTP.NEW.example 10.0.0.31
run vantrel domains add 'evil|host' 10.0.0.31
run vantrel domains modify 3 ftp.renamed.example 10.0.0.30 2200
run vantrel domains delete 1 --dry-run
run vantrel domains delete 1 --yes
run vantrel --json domains list
run vantrel reload
unset VANTREL_ADMIN VANTREL_PASSWORD
