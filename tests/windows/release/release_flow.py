#!/usr/bin/env python3
"""A first session through the pages of an installed release: the factory
administrator signs in, adds a domain and a user in it, and lists its users;
the server file shows both. The pages' own rules are tested in tests/web.

usage: release_flow.py WEB_FOLDER SERVER_INI WORK_FOLDER"""
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "web"))
from browser import Browser, Site, read_ini  # noqa: E402


def main():
    web, servu, work = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    site = Site(web, work, None, shutil.which("wine64") or "/usr/lib/wine/wine64")
    admin = Browser(site, "admin")
    admin.get("default.asp")
    steps = [
        (admin.post("default.asp", {"name": "Vantrel", "password": "KelpMoor"}),
         "Vantrel, system administrator"),
        (admin.post("domain.asp", {"host": "release.example", "ip": "10.9.9.9", "port": "2121"}),
         "The domain release.example was added."),
        (admin.post("user.asp?domain=3", {"username": "rita", "password": "Rita-1", "home": r"C:\Vantrel\rita",
                                          "rules": "1", "r1_dir": r"C:\Vantrel\rita", "r1_R": "1", "r1_L": "1"}),
         "The user rita was added."),
        (admin.get("users.asp?domain=3"), "rita"),
    ]
    failed = 0
    for page, expected in steps:
        ok = expected in page
        failed += not ok
        print("ok  " if ok else "FAIL", page.url, "->", expected if ok else page.html[:400])
    ini = read_ini(servu)
    for section, key, value in (("DOMAINS", "domain4", "10.9.9.9||2121|release.example|3|0"),
                                ("Domain3", "user1", "rita|1|0"),
                                ("USER=rita|3", "access1", r"C:\Vantrel\rita|RL")):
        found = ini[section].get(key) if ini.has_section(section) else None
        failed += found != value
        print("ok  " if found == value else "FAIL", f"[{section}] {key}={value}"
              + ("" if found == value else f" (found {found})"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
