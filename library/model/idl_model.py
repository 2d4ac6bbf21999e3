"""Reads Vantrel.idl into a small model: interfaces with their members in slot
order, and coclasses with their GUIDs. Shared by every build step that derives
code from the one interface description (POSIX and Windows alike).

The reader works on tokens, not lines: an attribute list may hold any
attribute, including helpstring("...") with quotes, commas, brackets or
parentheses in its text, and a declaration may span lines."""

import re
from dataclasses import dataclass, field


@dataclass
class Param:
    name: str
    type: str          # without blanks: "BSTR", "short", "VARIANT*", "_CDomain**", ...
    attrs: list        # "in", "out", "retval", "optional", "defaultvalue(...)", ...

    @property
    def is_retval(self):
        return "retval" in self.attrs

    def default_text(self):
        return _argument(self.attrs, "defaultvalue")


@dataclass
class Method:
    name: str
    kind: str          # "get", "put", "putref" or "method"
    dispid: int
    slot: int          # 0-based position of the member in its interface
    params: list
    attrs: list

    @property
    def hidden(self):
        return "hidden" in self.attrs


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


_TOKEN = re.compile(r'\s+|//[^\n]*|/\*.*?\*/|"(?:[^"\\]|\\.)*"|[A-Za-z_]\w*|-?[0-9][\w.\-]*|.', re.S)


def _tokens(text):
    return [t for t in _TOKEN.findall(text) if t.strip() and not t.startswith(("//", "/*"))]


def _argument(attrs, name):
    """The text inside `name(...)` among the attributes, or None."""
    for a in attrs:
        if a.startswith(name + "(") and a.endswith(")"):
            return a[len(name) + 1:-1]
    return None


class _Reader:
    def __init__(self, path):
        self.path = path
        self.toks = _tokens(open(path, encoding="utf-8").read())
        self.i = 0

    def fail(self, what):
        near = " ".join(self.toks[self.i:self.i + 8])
        raise SystemExit(f"{self.path}: {what} near: {near}")

    def peek(self, ahead=0):
        return self.toks[self.i + ahead] if self.i + ahead < len(self.toks) else None

    def take(self, expected=None):
        t = self.peek()
        if t is None or (expected is not None and t != expected):
            self.fail(f"expected {expected!r}")
        self.i += 1
        return t

    def balanced(self, open_, close):
        """The tokens up to the `close` that matches the `open_` just taken."""
        depth, out = 1, []
        while True:
            t = self.take()
            depth += (t == open_) - (t == close)
            if depth == 0:
                return out
            out.append(t)

    def attributes(self):
        """[a, b(x, y), helpstring("...")] as a list of texts, one per attribute."""
        if self.peek() != "[":
            return []
        self.take("[")
        attrs, cur, depth = [], [], 0
        for t in self.balanced("[", "]") + [","]:
            depth += (t in "([") - (t in ")]")
            if t == "," and depth == 0:
                attrs.append(_join(cur))
                cur = []
            else:
                cur.append(t)
        return [a for a in attrs if a]

    def skip_statement(self):
        depth = 0
        while True:
            t = self.take()
            depth += (t == "{") - (t == "}")
            if t == ";" and depth == 0:
                return


def _join(tokens):
    """Attribute text: identifiers and numbers apart, punctuation joined."""
    out = ""
    for t in tokens:
        if out and re.match(r"\w", t) and re.match(r".*\w$", out):
            out += " "
        out += t
    return out


def _uuid(attrs):
    value = _argument(attrs, "uuid")
    return value.upper() if value else None


def _documented(r, attrs, what):
    """Every type and member carries the help text an object browser shows."""
    if _argument(attrs, "helpstring") in (None, '""'):
        r.fail(f"{what} has no helpstring(...)")


def _member(r, attrs, iface):
    r.take("HRESULT")
    name = r.take()
    _documented(r, attrs, f"member {iface.name}.{name}")
    r.take("(")
    params, cur, depth = [], [], 0
    for t in r.balanced("(", ")") + [","]:
        depth += (t in "([") - (t in ")]")
        if t == "," and depth == 0:
            if cur:
                params.append(_param(r, cur))
            cur = []
        else:
            cur.append(t)
    r.take(";")
    kind = next((k[4:] for k in ("propget", "propputref", "propput") if k in attrs), "method")
    dispid = _argument(attrs, "id")
    if dispid is None:
        r.fail(f"member {name} has no id(...)")
    known = {}
    for m in iface.methods:
        known.setdefault(m.name, m.slot)
    slot = known.get(name, len(known))
    iface.methods.append(Method(name, kind, int(dispid, 0), slot, params, attrs))


def _param(r, tokens):
    sub = _Reader.__new__(_Reader)
    sub.path, sub.toks, sub.i = r.path, tokens, 0
    attrs = sub.attributes()
    rest = sub.toks[sub.i:]
    if len(rest) < 2 or not re.match(r"\w+$", rest[-1]):
        r.fail("cannot read a parameter")
    return Param(rest[-1], "".join(rest[:-1]), attrs)


def parse(path):
    r = _Reader(path)
    libid, interfaces, coclasses = None, {}, []
    while r.peek() is not None:
        attrs = r.attributes()
        t = r.peek()
        if t == "library":
            libid = _uuid(attrs)
            r.take()
            r.take()
            r.take("{")
        elif t == "interface" and r.peek(2) == ":":
            r.take()
            iface = Interface(r.take(), _uuid(attrs))
            _documented(r, attrs, f"interface {iface.name}")
            interfaces[iface.name] = iface
            r.take(":")
            r.take()
            r.take("{")
            while r.peek() != "}":
                _member(r, r.attributes(), iface)
            r.take("}")
            r.take(";")
        elif t == "coclass":
            r.take()
            name = r.take()
            _documented(r, attrs, f"coclass {name}")
            r.take("{")
            default = None
            while r.peek() != "}":
                member_attrs = r.attributes()
                r.take("interface")
                iface_name = r.take()
                r.take(";")
                if default is None or "default" in member_attrs:
                    default = iface_name
            r.take("}")
            r.take(";")
            coclasses.append(CoClass(name, _uuid(attrs), default))
        elif t == "}":
            r.take()
            if r.peek() == ";":
                r.take()
        else:
            r.skip_statement()  # import, importlib, forward declarations
    if libid is None:
        raise SystemExit(f"{path}: no library uuid")
    for c in coclasses:
        if c.interface not in interfaces:
            raise SystemExit(f"{path}: coclass {c.name} names an unknown interface {c.interface}")
    return Library(libid, interfaces, coclasses)
