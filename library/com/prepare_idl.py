"""Writes the copy of Vantrel.idl that widl compiles.

widl cannot write two kinds of default value that the interfaces declare: a
Date default (a fractional number) and a String default on a by-reference
String. This step removes those defaultvalue attributes (the parameters stay
optional) and lists them in a JSON file; patch_typelib.py then puts the
values into the compiled type library, so the library still carries every
declared default.

usage: prepare_idl.py Vantrel.idl OUT.idl OUT-defaults.json
"""

import json
import re
import sys

# A DATE parameter with a defaultvalue, or a by-reference BSTR with one.
_UNSUPPORTED = re.compile(
    r'(?P<attrs>\[[^\[\]]*?),\s*defaultvalue\((?P<value>[^()]*)\)(?P<rest>\]\s*(?P<type>DATE|BSTR\s*\*)\s*(?P<name>\w+))')
_INTERFACE = re.compile(r'^\s*interface\s+(\w+)\s*:')
_MEMBER = re.compile(r'HRESULT\s+(\w+)\s*\(')


def main(src, out_idl, out_json):
    removed = []
    out_lines = []
    interface = None
    for line in open(src, encoding="utf-8").read().splitlines():
        m = _INTERFACE.match(line)
        if m:
            interface = m.group(1)
        member = _MEMBER.search(line)

        def drop(match):
            value = match.group("value").strip()
            kind = "date" if match.group("type") == "DATE" else "string"
            removed.append({
                "interface": interface,
                "member": member.group(1) if member else None,
                "param": match.group("name"),
                "kind": kind,
                "value": float(value) if kind == "date" else json.loads(value),
            })
            return match.group("attrs") + match.group("rest")

        out_lines.append(_UNSUPPORTED.sub(drop, line))
    with open(out_idl, "w", encoding="utf-8") as f:
        f.write("\n".join(out_lines) + "\n")
    with open(out_json, "w", encoding="utf-8") as f:
        json.dump(removed, f, indent=1)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
