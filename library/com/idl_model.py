"""Reads Vantrel.idl into a small model: interfaces with their members in slot
order, and coclasses with their GUIDs. Shared by the build steps that derive
code and the widl input from the one interface description."""

import re
from dataclasses import dataclass, field


@dataclass
class Param:
    name: str
    type: str          # as written: "BSTR", "short", "VARIANT*", "_CDomain**", ...
    attrs: list        # "in", "out", "retval", "optional", "defaultvalue(...)"

    @property
    def is_retval(self):
        return "retval" in self.attrs

    def default_text(self):
        for a in self.attrs:
            if a.startswith("defaultvalue("):
                return a[len("defaultvalue("):-1]
        return None


@dataclass
class Method:
    name: str
    kind: str          # "get", "put", "putref" or "method"
    dispid: int
    slot: int          # 0-based position of the member in its interface
    params: list
    line: str


@dataclass
class Interface:
    name: str
    iid: str
    methods: list = field(default_factory=list)


@dataclass
class CoClass:
    name: str
    clsid: str
    interface: str


@dataclass
class Library:
    libid: str
    interfaces: dict
    coclasses: list


def _split_top(text, sep=","):
    """Splits on `sep` outside brackets, parentheses and string literals."""
    parts, depth, quoted, cur = [], 0, False, []
    for ch in text:
        if ch == '"':
            quoted = not quoted
        elif not quoted and ch in "([":
            depth += 1
        elif not quoted and ch in ")]":
            depth -= 1
        if ch == sep and depth == 0 and not quoted:
            parts.append("".join(cur).strip())
            cur = []
        else:
            cur.append(ch)
    if "".join(cur).strip():
        parts.append("".join(cur).strip())
    return parts


_METHOD = re.compile(r'^\s*\[(?P<attrs>[^\]]*)\]\s*HRESULT\s+(?P<name>\w+)\s*\((?P<params>.*)\)\s*;\s*$')
_PARAM = re.compile(r'^\[(?P<attrs>.*)\]\s*(?P<type>[\w]+\s*\**)\s*(?P<name>\w+)$')
_IFACE_ATTRS = re.compile(r'uuid\((?P<uuid>[0-9A-Fa-f-]+)\)')
_IFACE = re.compile(r'^\s*interface\s+(?P<name>\w+)\s*:\s*IDispatch\s*$')
_COCLASS = re.compile(r'^\s*coclass\s+(?P<name>\w+)\s*\{\s*\[default\]\s*interface\s+(?P<iface>\w+)\s*;\s*\}\s*;\s*$')


def parse(path):
    lines = open(path, encoding="utf-8").read().splitlines()
    libid = None
    interfaces, coclasses = {}, []
    last_uuid = None
    current = None
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("//"):
            continue
        m = _IFACE_ATTRS.search(stripped)
        if m and stripped.startswith("["):
            last_uuid = m.group("uuid").upper()
            continue
        if stripped.startswith("uuid(") and libid is None:
            libid = _IFACE_ATTRS.search(stripped).group("uuid").upper()
            continue
        m = _IFACE.match(line)
        if m:
            current = Interface(m.group("name"), last_uuid)
            interfaces[current.name] = current
            continue
        m = _COCLASS.match(line)
        if m:
            coclasses.append(CoClass(m.group("name"), last_uuid, m.group("iface")))
            continue
        if current is not None and stripped == "};":
            current = None
            continue
        if current is None:
            continue
        m = _METHOD.match(line)
        if not m:
            if stripped and stripped != "{":
                raise SystemExit(f"{path}: cannot read member line: {line}")
            continue
        attrs = [a.strip() for a in _split_top(m.group("attrs"))]
        kind = "method"
        for k in ("propget", "propputref", "propput"):
            if k in attrs:
                kind = k.replace("prop", "")
        dispid = None
        for a in attrs:
            if a.startswith("id("):
                dispid = int(a[3:-1], 0)
        params = []
        for p in _split_top(m.group("params")):
            pm = _PARAM.match(p)
            if not pm:
                raise SystemExit(f"{path}: cannot read parameter: {p}")
            params.append(Param(pm.group("name"), pm.group("type").replace(" ", ""),
                                [a.strip() for a in _split_top(pm.group("attrs"))]))
        name = m.group("name")
        known = {}
        for x in current.methods:
            known.setdefault(x.name, x.slot)
        slot = known.get(name, len(known))
        current.methods.append(Method(name, kind, dispid, slot, params, line))
    if libid is None:
        raise SystemExit(f"{path}: no library uuid")
    return Library(libid, interfaces, coclasses)
