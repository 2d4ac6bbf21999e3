"""A browser stand-in for the ASP pages: each request runs one converted page
under Wine's cscript (see harness.vbs), with a session kept in the browser's
own exchange folder between requests."""
import configparser
import os
import re
import shutil
import subprocess
from pathlib import Path
from urllib.parse import parse_qsl, urlsplit

HERE = Path(__file__).resolve().parent
TOKEN = re.compile(r'name="token" value="([^"]*)"')


def windows_path(path) -> str:
    return "Z:" + str(path).replace("/", "\\")


def read_ini(path) -> configparser.ConfigParser:
    ini = configparser.ConfigParser(delimiters=("=",), interpolation=None, strict=False)
    ini.optionxform = str.lower
    ini.read(path, encoding="latin-1")
    return ini


class Response:
    def __init__(self, url, status, html):
        self.url, self.status, self.html = url, status, html

    def __contains__(self, text):
        return text in self.html


class Site:
    """The copied web folder, its pages converted once, and a count of runs."""

    def __init__(self, web: Path, work: Path, wine: str):
        self.web, self.work, self.wine, self.runs = work / "web", work, wine, 0
        shutil.copytree(web, self.web)
        self.converted = {}

    def script(self, page: str) -> Path:
        if page not in self.converted:
            out = self.work / (page.replace(".asp", "") + ".vbs")
            subprocess.run(["python3", str(HERE / "asp2vbs.py"), str(self.web / page), str(HERE / "harness.vbs"),
                            str(out)], check=True)
            self.converted[page] = out
        return self.converted[page]


class Browser:
    """One visitor: a session of its own, the token of the last page seen,
    and redirects followed as a browser would."""

    def __init__(self, site: Site, name: str):
        self.site, self.exchange, self.token = site, site.work / name, ""
        self.exchange.mkdir()

    def get(self, url: str) -> Response:
        return self.request("GET", url, {})

    def post(self, url: str, form: dict, token=True) -> Response:
        if token:
            form = {"token": self.token, **form}
        return self.request("POST", url, form)

    def request(self, method, url, form) -> Response:
        parts = urlsplit(url)
        lines = [("S", "REQUEST_METHOD", method)] + [("Q", k, v) for k, v in parse_qsl(parts.query)] + \
                [("F", k, v) for k, v in form.items()]
        (self.exchange / "request.txt").write_text("".join(f"{a}\t{b}\t{c}\r\n" for a, b, c in lines),
                                                   encoding="latin-1")
        for name in ("response.txt", "response.html"):
            (self.exchange / name).unlink(missing_ok=True)
        script = self.site.script(parts.path)
        self.site.runs += 1
        # Wine's cscript reports no script error; its VBScript notes syntax
        # errors and missing built-ins on the fixme channel.
        run = subprocess.run([self.site.wine, "cscript", "//nologo", windows_path(script), windows_path(self.exchange)],
                             cwd=self.site.work, capture_output=True, text=True, errors="replace", timeout=120,
                             env={**os.environ, "WINEDEBUG": "-all,fixme+vbscript"})
        meta = self.exchange / "response.txt"
        if not meta.exists():
            raise AssertionError(f"{method} {url}: the page stopped with a script error {run.stderr[-600:]}")
        fields = dict(line.split("\t", 1) for line in meta.read_text(encoding="latin-1").splitlines() if "\t" in line)
        html = (self.exchange / "response.html").read_text(encoding="latin-1")
        found = TOKEN.search(html)
        if found:
            self.token = found.group(1)
        if "Location" in fields:
            return self.get(fields["Location"])
        return Response(url, fields.get("Status", ""), html)
