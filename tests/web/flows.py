#!/usr/bin/env python3
"""Whole sessions through the ASP pages and the registered Vantrel.dll: what
the pages add to the library (sign-in and roles, the form token, encoding,
messages, reading forms into the objects, the reload signal), checked in the
HTML and in the two INI files.

usage: flows.py WORK_FOLDER WEB_FOLDER SERVER_INI  (Vantrel.dll registered in $WINEPREFIX)
The release check runs it on an installed release's pages (ServUPath.asp as
its wizard wrote it) and a copy of the example server file."""
import os
import re
import shutil
import sys
import time
from pathlib import Path

from browser import Browser, Site, read_ini, windows_path

RIGHT_LIMITED = "Right Limited!Make sure the programmer had set the AdminName&amp;AdminPassword"
passed = failed = 0


def check(condition, what, response=None):
    global passed, failed
    if condition:
        passed += 1
        return
    failed += 1
    print("FAIL", what)
    if response is not None:
        shown = re.findall(r'<p class="(?:error|notice)"[^>]*>.*?</p>', response.html)
        print("    ", response.url, response.status, shown or response.html[:300])


def system_administrator(site, servu, settings):
    admin = Browser(site, "system")
    page = admin.get("default.asp")
    check('name="password"' in page.html and admin.token, "the sign-in form carries a token", page)
    page = admin.post("default.asp", {"name": "Vantrel", "password": "wrong"})
    check("Wrong name or password." in page, "a wrong password is refused", page)
    # The first sign-in of an installation creates the library's settings file.
    page = admin.post("default.asp", {"name": "vantrel", "password": "KelpMoor"})
    check(page.url == "domains.asp" and "vantrel, system administrator" in page, "signed in as system administrator", page)
    check(settings.exists(), "the settings file was created")
    check(page.html.count("users.asp?domain=") == 3, "the three domains are listed", page)

    # Domains: bad input keeps what was typed; markup comes back encoded.
    page = admin.post("domain.asp", {"host": "new.example", "ip": "10.1.1.1", "port": "99999"})
    check("Port must be a whole number from 1 to 32767." in page and 'value="new.example"' in page,
          "a port out of range is refused and the form keeps the host", page)
    page = admin.post("domain.asp", {"host": "<b>new</b>.example", "ip": "10.1.1.1", "port": "2100"})
    check("&lt;b&gt;new&lt;/b&gt;.example" in page and "<b>new" not in page, "the new host name is shown encoded", page)
    check("The FTP server was asked to reload its settings." in page, "the change was signalled", page)
    ini = read_ini(servu)
    check(ini["DOMAINS"].get("domain4") == "10.1.1.1||2100|<b>new</b>.example|3|0", "the domain line was written")
    check(ini["GLOBAL"].get("reloadsettings") == "true", "ReloadSettings was set")

    # A user with limits, expiry and access rules in the new domain.
    account = {"username": "zoe", "password": "Zoe-pass1", "home": r"C:\Vantrel\zoe", "expire": "1",
               "expiredate": "2027-12-31T08:00", "timeout": "600", "speedup": "512", "quota": "1",
               "quotasize": "1000000", "rules": "2", "r1_dir": r"C:\Vantrel\zoe", "r1_R": "1", "r1_W": "1",
               "r1_L": "1", "r1_P": "1", "r2_dir": r"C:\Vantrel\pub", "r2_R": "1"}
    page = admin.post("user.asp?domain=3", {**account, "timeout": "x"})
    check("Idle time-out must be a whole number" in page and 'value="zoe"' in page and "Zoe-pass1" not in page,
          "a bad number is refused; the form keeps the name but not the password", page)
    page = admin.post("user.asp?domain=3", account)
    check(page.url == "users.asp?domain=3" and "The user zoe was added." in page and "2027-12-31 08:00" in page,
          "the user was added and is listed with its expiry", page)
    user = read_ini(servu)["USER=zoe|3"]
    stored_password = user.get("password", "")
    check(read_ini(servu)["Domain3"].get("user1") == "zoe|1|1830211200", "the user list line holds the expiry")
    check(len(stored_password) == 34 and user.get("homedir") == r"C:\Vantrel\zoe" and user.get("timeout") == "600"
          and user.get("speedlimitup") == "512" and user.get("diskquota") == "1|1000000|0",
          "the account's settings were written")
    check(user.get("access1") == r"C:\Vantrel\zoe|RWLP" and user.get("access2") == r"C:\Vantrel\pub|R",
          "the access rules were written")

    # Shown: the stored values, never the password.
    page = admin.get("user.asp?domain=3&name=ZOE")
    check('value="2027-12-31T08:00"' in page and 'value="C:\\Vantrel\\pub"' in page and "A password is set" in page
          and stored_password not in page and "Zoe-pass1" not in page, "the account is shown without its password", page)

    # Changed with the password field left empty: the stored password stays.
    change = {**account, "password": "", "disable": "1", "expire": "", "r1_dir": "", "r2_W": "1"}
    page = admin.post("user.asp?domain=3&name=zoe", change)
    check("The user zoe was changed." in page and "disabled" in page, "the user was changed", page)
    user = read_ini(servu)["USER=zoe|3"]
    check(user.get("password") == stored_password, "the stored password was kept")
    check(user.get("access1") == r"C:\Vantrel\pub|RW" and "access2" not in user, "the emptied rule was dropped")
    check(read_ini(servu)["Domain3"].get("user1") == "zoe|0|0", "disabled, no longer expiring")

    page = admin.post("user.asp?domain=3&name=zoe", {"action": "delete", "confirm": "1"})
    check("The user zoe was deleted." in page and not read_ini(servu).has_section("USER=zoe|3"), "the user was deleted", page)

    # A forged POST (no token) changes nothing; with the token it works.
    page = admin.post("domain.asp?id=3", {"action": "delete", "confirm": "1"}, token=False)
    check(page.status.startswith("403") and "was not sent by this site" in page
          and read_ini(servu).has_option("DOMAINS", "domain4"), "a POST without the token is refused", page)
    page = admin.post("domain.asp?id=3", {"action": "delete", "confirm": "1"})
    check("The domain &lt;b&gt;new&lt;/b&gt;.example and its users were deleted." in page
          and not read_ini(servu).has_option("DOMAINS", "domain4"), "the domain was deleted", page)

    # A domain administrator, whose password is never shown again.
    page = admin.post("admins.asp", {"name": "sales", "password": "S3cret-pw", "domain": "1",
                                     "root": r"C:\Vantrel\sales"})
    check("The administrator sales was added." in page and "S3cret-pw" not in page and r"C:\Vantrel\sales" in page,
          "the domain administrator was added and listed without its password", page)
    check(read_ini(settings)["PrivateDir"].get("sales") == r"S3cret-pw|1|C:\Vantrel\sales", "its entry was written")

    # An error the library raises instead of returning a message.
    with servu.open("ab") as f:
        f.write(b"[Domain9]\r\nUser1=broken\r\n")
    page = admin.get("users.asp?domain=9")
    check("The library stopped with error 9:" in page, "an automation error is shown with its number", page)

    page = admin.get("server.asp")
    check("6.4.0.6" in page and "Vantrel | Version:1.0.0.0" in page, "the server version and the library are shown", page)
    page = admin.get("browse.asp?dir=" + windows_path(servu.parent))
    check("ServUDaemon.ini" in page, "the folder browser lists the server folder", page)

    # The system password: wrong current password, then a real change.
    form = {"oldname": "Vantrel", "oldpassword": "nope", "newname": "Root", "newpassword": "N3w-pw", "repeat": "N3w-pw"}
    page = admin.post("password.asp", form)
    check("The current name or password is wrong" in page, "a wrong current password is refused", page)
    page = admin.post("password.asp", {**form, "oldpassword": "KelpMoor"})
    check("were changed" in page and "Root, system administrator" in page, "the session goes on with the new name", page)
    check(read_ini(settings)["Vantrel"].get("administrator") == "Root", "the new name was written")

    page = admin.post("signout.asp", {})
    check("You have signed out." in page and "Sign out" not in page, "signed out", page)


def domain_administrator(site, servu):
    sales = Browser(site, "sales")
    sales.get("default.asp")
    page = sales.post("default.asp", {"name": "sales", "password": "S3cret-pw"})
    check(page.url == "users.asp?domain=1" and "administrator of domain 1" in page and "alice" in page
          and "admins.asp" not in page, "signed in as administrator of domain 1", page)
    page = sales.get("users.asp?domain=2")
    check(RIGHT_LIMITED in page and "frank" not in page, "another domain's users are refused", page)
    before = servu.read_bytes()
    page = sales.post("domain.asp", {"host": "mine.example", "ip": "", "port": "21"})
    check(page.status.startswith("403") and "Only the system administrator" in page, "adding a domain is refused", page)
    page = sales.post("user.asp?domain=1", {"username": "sam", "home": r"D:\elsewhere", "rules": "0"})
    check("The HomeDir has no right!" in page and 'value="sam"' in page, "a home folder out of reach is refused", page)
    check(servu.read_bytes() == before, "the refused changes left the server file as it was")


def main():
    work = Path(sys.argv[1])
    settings = Path(os.environ["WINEPREFIX"]) / "drive_c" / "windows" / "Vantrel.ini"
    saved = settings.with_suffix(".ini.saved")
    if settings.exists():
        settings.replace(saved)
    wine = shutil.which("wine64") or "/usr/lib/wine/wine64"
    servu = Path(sys.argv[3])
    site = Site(Path(sys.argv[2]), work, wine)
    start = time.monotonic()
    try:
        system_administrator(site, servu, settings)
        domain_administrator(site, servu)
    except AssertionError as error:
        check(False, str(error))
    finally:
        settings.unlink(missing_ok=True)
        if saved.exists():
            saved.replace(settings)
    print(f"{site.runs} page runs in {time.monotonic() - start:.0f} s")
    print(f"web pages: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
