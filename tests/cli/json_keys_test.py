"""Every `vantrel --json` command's output against the key set in the table of
docs/json.md (the one source), on a copy of the bundled example.
Usage: json_keys_test.py VANTREL EXAMPLE_INI DOC"""
import atexit, json, os, re, shutil, subprocess, sys, tempfile

vantrel, example, doc = sys.argv[1:4]
TYPES = {"string": str, "integer": int, "boolean": bool, "array": list, "object": dict, "null": type(None), "date": str}
expected = {}  # (command, object) -> {key: (types, optional)}; key None for items that are not objects
for command, where, keys in re.findall(r"^\| `?(.+?)`? \| `(.+?)` \| (.+?) \|$", open(doc).read(), re.M):
    pairs = re.findall(r"`(\w+)`(\??) ([\w|\\]+)", keys) or [(None, "", keys)]
    expected[(command, where)] = {k: (v.replace("\\", "").split("|"), o == "?") for k, o, v in pairs}

work = tempfile.mkdtemp()
atexit.register(shutil.rmtree, work)
os.makedirs(f"{work}/root/drives/c/Windows")
os.makedirs(f"{work}/servu")
ini = shutil.copy(example, f"{work}/servu/ServUDaemon.ini")
with open(f"{work}/root/drives/c/Windows/Vantrel.ini", "wb") as f:  # Vantrel / KelpMoor
    f.write(b"[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n")
os.environ.update(VANTREL_ROOT=f"{work}/root", SERVU_PATH=f"{work}/servu", VANTREL_ADMIN="Vantrel",
                  VANTREL_PASSWORD="KelpMoor", VANTREL_NEW_PASSWORD="KelpMoor", XDG_CACHE_HOME=f"{work}/cache")
runs = ["init", "version", "reload", "role", "domains list", "domains add new.example 10.9.9.9",
        "domains modify 2 files.example.org 127.0.0.1 2121", "domains delete 4 --yes", "users list", "users show alice",
        "users add gina --timeout 60", "users modify gina --timeout 90", "users delete gina",
        r"admins add sales --domain 2 --root D:\sales", "admins list --show-passwords", "admins delete sales",
        "admins passwd", r"public-dirs add C:\pub", "public-dirs list", r"public-dirs delete C:\pub",
        r"mkdir C:\Windows\new", r"browse C:\Windows", f"ini get {ini} GLOBAL Version", f"ini int {ini} GLOBAL Version",
        f"ini keys {ini} GLOBAL", f"ini sections {ini}", f"ini set {ini} A B C", f"ini delete {ini} A",
        "call Vantrel.User GetUserList 1"]
runs = [(max((c for c, _ in expected if (r + " ").startswith(c + " ")), key=len), r) for r in runs]
runs.append(("error (stderr)", "users show nobody"))
failures = [f"{c}: documented, not run" for c in {c for c, _ in expected} - {c for c, _ in runs}]


def at(value, where):  # the objects (or plain items) at a path of the Object column
    items = [value]
    for step in [] if where == "." else where.split("."):
        items = [v[step.removesuffix("[]")] for v in items] if step != "[]" else items
        if step.endswith("[]"): items = [i for v in items for i in v]
    return items


def fits(v, t):  # type(), as a JSON true is no integer
    return t == "any" or type(v) is TYPES[t] and (t != "date" or re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d", v))


for command, line in runs:
    p = subprocess.run([vantrel, "--json", *line.split()], capture_output=True, text=True)
    error = command.startswith("error")
    if p.returncode != int(error): failures.append(f"{line}: exit {p.returncode}: {p.stderr}")
    output = json.loads(p.stderr if error else p.stdout)
    for (c, where), keys in ((k, v) for k, v in expected.items() if k[0] == command):
        found = at(output, where)
        for item in ({None: i} if None in keys else i for i in found):
            missing = [k for k, (_, optional) in keys.items() if k not in item and not optional]
            wrong = [k for k, v in item.items() if k not in keys or not any(fits(v, t) for t in keys[k][0])]
            if missing or wrong: failures.append(f"{line} {where}: missing {missing}, undocumented or mistyped {wrong}")
        if not found: failures.append(f"{line} {where}: nothing there to check in {output}")
print("\n".join(failures) or f"vantrel --json: {len(runs)} commands match {doc}")
sys.exit(1 if failures else 0)
