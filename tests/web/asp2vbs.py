#!/usr/bin/env python3
"""Turns a classic ASP page into one VBScript that cscript can run.

Includes (<!--#include file="..."-->) are resolved textually, relative to the
file that names them, as the web server does; literal HTML becomes
Response.Write; <%= expr %> becomes Response.Write expr; the page directive
<%@ ... %> is dropped. Wine's VBScript cannot name a class member End, so
Response.End becomes Response.Finish, which the harness defines. The harness's stand-ins for the ASP objects go in front
and the call that finishes the response after the page. Option Explicit, when
the page opens with it, is moved to the very top, where VBScript wants it.

usage: asp2vbs.py PAGE.asp HARNESS.vbs OUTPUT.vbs
"""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'<!--\s*#include\s+file\s*=\s*"([^"]+)"\s*-->', re.I)
BLOCK = re.compile(r'<%(.*?)%>', re.S)


def expand(path: Path, seen=()) -> str:
    if path in seen:
        raise SystemExit(f"{path}: included from itself")
    text = path.read_text(encoding="utf-8").replace("\r\n", "\n")
    return INCLUDE.sub(lambda m: expand(path.parent / m.group(1).replace("\\", "/"), seen + (path,)), text)


def literal(text: str) -> list:
    lines = text.split("\n")
    out = []
    for i, line in enumerate(lines):
        quoted = '"' + line.replace('"', '""') + '"'
        last = i == len(lines) - 1
        if last and line == "":
            break
        out.append("Response.Write " + quoted + ("" if last else " & vbCrLf"))
    return out


def convert(page: str) -> tuple:
    body, explicit, seen_code, pos = [], False, False, 0
    for m in BLOCK.finditer(page):
        body += literal(page[pos:m.start()])
        code = m.group(1)
        if code.startswith("@"):
            pass
        elif code.startswith("="):
            body.append("Response.Write " + code[1:].strip())
        else:
            if not seen_code and re.match(r'\s*option\s+explicit\b', code, re.I):
                explicit = True
                code = re.sub(r'^\s*option\s+explicit', "", code, flags=re.I)
            seen_code = True
            body.append(re.sub(r'\bResponse\.End\b', "Response.Finish", code, flags=re.I))
        pos = m.end()
    if "<%" in page[pos:]:
        raise SystemExit("a <% block is not closed")
    body += literal(page[pos:])
    return explicit, body


def main():
    page, harness, output = map(Path, sys.argv[1:4])
    explicit, body = convert(expand(page))
    parts = (["Option Explicit"] if explicit else []) + [harness.read_text(encoding="utf-8")] + body + ["Response.Finish"]
    text = "\n".join(parts).replace("\r\n", "\n").replace("\n", "\r\n")
    output.write_text(text + "\r\n", encoding="latin-1", newline="")


if __name__ == "__main__":
    main()
