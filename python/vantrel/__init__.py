"""Late-bound access to the Vantrel library from Python, the way a page uses it.

    import vantrel
    d = vantrel.CreateObject("Vantrel.Domains")
    d.ServUPath = "/srv/ftp"
    if d.GetDomain():
        for domain in d.Domain:
            print(domain.ID, domain.HostName)
        first = d.Domain[1]          # a number is a position (from 1)
        by_key = d.Domain["1"]       # a String is a key
    u = vantrel.CreateObject("Vantrel.User")
    u.GetUser("alice", DomainID="2")  # keyword arguments by the declared names
    help(u.AddUser)                   # signature and types from the object model

Member names are matched without regard to letter case. Strings cross as
str, Integer and Long as int, Boolean as bool, Date as a naive
datetime.datetime (a float automation date is accepted too), objects as
wrapped objects; assigning a wrapped object or None to an object property
is a Set. Failures raise AutomationError with .number and .description;
an index or key that is not there raises SubscriptError (also an IndexError
and a KeyError).

The library is libvantrel.so: the one named by the environment variable
VANTREL_LIBRARY, else the one installed with this module, else the newest one
in the source tree's build folders (a sanitizer build only when there is no
other), else the system's (/usr/lib, /usr/local/lib, the interpreter's
prefix, the loader's search path). LibraryNotFoundError says how to point the
module at it when none loads. The library reads VANTREL_ROOT at every access, so a script may
change os.environ["VANTREL_ROOT"] between calls.
"""

import ctypes
import ctypes.util
import datetime
import glob
import inspect
import math
import os
import sys
import typing

__all__ = ["CreateObject", "AutomationError", "MemberNotFoundError", "SubscriptError", "LibraryNotFoundError",
           "Object", "Missing", "library_path"]

_EMPTY, _MISSING, _I2, _I4, _R8, _DATE, _BOOL, _STRING, _OBJECT, _STRING_SIZED = range(10)
_METHOD, _GET, _PUT, _PUTREF = 1, 2, 4, 8
_FIELD, _READONLY, _OBJECT_GET, _OBJECT_GET_SET, _OPERATION = 1, 2, 3, 4, 5

_DATE_BASE = datetime.datetime(1899, 12, 30)


class AutomationError(Exception):
    """An automation error raised by the library: .number and .description."""

    def __init__(self, number, description):
        super().__init__("error %d: %s" % (number, description))
        self.number = number
        self.description = description


class MemberNotFoundError(AutomationError, AttributeError):
    """Error 438: the object has no member of that name."""


class SubscriptError(AutomationError, IndexError, KeyError):
    """Error 9 or 5 from an index: no item at that position or under that key."""

    __str__ = AutomationError.__str__


class LibraryNotFoundError(OSError):
    """libvantrel.so could not be loaded."""


class _MissingType:
    """Marks an optional argument left out in the middle of an argument list."""

    _instance = None

    def __new__(cls):
        if cls._instance is None:
            cls._instance = super().__new__(cls)
        return cls._instance

    def __repr__(self):
        return "vantrel.Missing"


Missing = _MissingType()


class _Variant(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int32),
        ("int_value", ctypes.c_int32),
        ("real_value", ctypes.c_double),
        ("string_value", ctypes.c_void_p),
        ("object_value", ctypes.c_void_p),
    ]


class _Error(ctypes.Structure):
    _fields_ = [("number", ctypes.c_int32), ("description", ctypes.c_void_p)]


def library_path():
    """The path of the libvantrel.so this module loads."""
    named = os.environ.get("VANTREL_LIBRARY")
    if named:
        return named
    here = os.path.dirname(os.path.abspath(__file__))
    try:  # written by the installation, next to this file
        from ._installed import LIBRARY
        return os.path.normpath(os.path.join(here, LIBRARY))
    except ImportError:
        pass
    source = os.path.dirname(os.path.dirname(here))
    found = glob.glob(os.path.join(source, "build", "*", "library", "automation", "runtime", "libvantrel.so"))
    # A sanitizer build cannot be loaded into a plain interpreter: prefer the others.
    plain = [path for path in found if not _needs_sanitizer_runtime(path)]
    if plain or found:
        return max(plain or found, key=os.path.getmtime)
    return _system_library() or "libvantrel.so"


def _system_library():
    """An installed libvantrel.so: the usual library folders, then the loader's cache."""
    multiarch = getattr(sys.implementation, "_multiarch", "")
    for prefix in dict.fromkeys((sys.prefix, "/usr/local", "/usr")):
        for folder in ("lib", os.path.join("lib", multiarch)) if multiarch else ("lib",):
            candidate = os.path.join(prefix, folder, "libvantrel.so")
            if os.path.exists(candidate):
                return candidate
    return ctypes.util.find_library("vantrel")


def _needs_sanitizer_runtime(path):
    try:
        with open(path, "rb") as f:
            return b"libasan.so" in f.read()
    except OSError:
        return False


_lib = None


def _library():
    global _lib
    if _lib is None:
        path = library_path()
        try:
            lib = ctypes.CDLL(path)
        except OSError as e:
            raise LibraryNotFoundError(
                "cannot load the Vantrel library %s (%s). Install the vantrel package, or set the "
                "environment variable VANTREL_LIBRARY to the full path of libvantrel.so, e.g. "
                "VANTREL_LIBRARY=/path/to/build/library/automation/runtime/libvantrel.so" % (path, e)) from None
        vp, i32 = ctypes.c_void_p, ctypes.c_int32
        lib.vantrel_create.argtypes = [ctypes.c_char_p, ctypes.POINTER(vp), ctypes.POINTER(_Error)]
        lib.vantrel_create.restype = i32
        lib.vantrel_invoke.argtypes = [vp, ctypes.c_char_p, i32, ctypes.POINTER(_Variant), i32,
                                       ctypes.POINTER(_Variant), ctypes.POINTER(_Error)]
        lib.vantrel_invoke.restype = i32
        lib.vantrel_addref.argtypes = [vp]
        lib.vantrel_addref.restype = None
        lib.vantrel_release.argtypes = [vp]
        lib.vantrel_release.restype = None
        lib.vantrel_class_name.argtypes = [vp]
        lib.vantrel_class_name.restype = ctypes.c_char_p
        lib.vantrel_member.argtypes = [vp, ctypes.c_char_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(i32)]
        lib.vantrel_member.restype = i32
        lib.vantrel_member_name.argtypes = [vp, i32, ctypes.POINTER(i32), ctypes.POINTER(i32)]
        lib.vantrel_member_name.restype = ctypes.c_char_p
        lib.vantrel_member_param.argtypes = [vp, ctypes.c_char_p, i32, ctypes.POINTER(i32), ctypes.POINTER(i32)]
        lib.vantrel_member_param.restype = ctypes.c_char_p
        lib.vantrel_enum_next.argtypes = [vp, ctypes.POINTER(_Variant)]
        lib.vantrel_enum_next.restype = i32
        lib.vantrel_variant_clear.argtypes = [ctypes.POINTER(_Variant)]
        lib.vantrel_variant_clear.restype = None
        lib.vantrel_error_clear.argtypes = [ctypes.POINTER(_Error)]
        lib.vantrel_error_clear.restype = None
        _lib = lib
    return _lib


def _raise(error):
    number = error.number
    description = ctypes.string_at(error.description).decode("utf-8") if error.description else ""
    _library().vantrel_error_clear(ctypes.byref(error))
    if number == 438:
        raise MemberNotFoundError(number, description)
    raise AutomationError(number, description)


def _to_date(value):
    whole = math.trunc(value)
    seconds = round(abs(value - whole) * 86400)
    return _DATE_BASE + datetime.timedelta(days=whole, seconds=seconds)


def _from_date(moment):
    if not isinstance(moment, datetime.datetime):
        moment = datetime.datetime(moment.year, moment.month, moment.day)
    days = (moment.date() - _DATE_BASE.date()).days
    time = (moment.hour * 3600 + moment.minute * 60 + moment.second + moment.microsecond / 1e6) / 86400
    return days + time if days >= 0 else days - time


def _marshal(value, keep):
    """A C variant for a Python value; `keep` holds buffers alive for the call."""
    v = _Variant()
    if value is Missing:
        v.type = _MISSING
    elif value is None:
        v.type = _OBJECT
    elif isinstance(value, Object):
        v.type, v.object_value = _OBJECT, value._handle
    elif isinstance(value, bool):
        v.type, v.int_value = _BOOL, 1 if value else 0
    elif isinstance(value, int):
        if -2**31 <= value < 2**31:
            v.type, v.int_value = _I4, value
        else:
            v.type, v.real_value = _R8, float(value)
    elif isinstance(value, float):
        v.type, v.real_value = _R8, value
    elif isinstance(value, (datetime.datetime, datetime.date)):
        v.type, v.real_value = _DATE, _from_date(value)
    elif isinstance(value, str):
        # With its length, so a NUL reaches the library's refusal; a lone
        # surrogate goes as the bytes the library refuses as invalid text.
        data = value.encode("utf-8", "surrogatepass")
        text = ctypes.create_string_buffer(data, len(data) + 1)
        keep.append(text)
        v.type, v.int_value, v.string_value = _STRING_SIZED, len(data), ctypes.cast(text, ctypes.c_void_p)
    else:
        raise TypeError("vantrel cannot pass a %s" % type(value).__name__)
    return v


def _unmarshal(v):
    """The Python value of a C variant; takes over (and clears) what it holds."""
    try:
        t = v.type
        if t in (_I2, _I4):
            return v.int_value
        if t == _R8:
            return v.real_value
        if t == _DATE:
            return _to_date(v.real_value)
        if t == _BOOL:
            return bool(v.int_value)
        if t == _STRING:
            return ctypes.string_at(v.string_value, v.int_value).decode("utf-8") if v.string_value else ""
        if t == _OBJECT:
            if not v.object_value:
                return None
            _library().vantrel_addref(v.object_value)
            return _wrap(v.object_value)
        return None
    finally:
        _library().vantrel_variant_clear(ctypes.byref(v))


def _invoke(handle, name, flags, args):
    keep = []
    array = (_Variant * max(len(args), 1))(*[_marshal(a, keep) for a in args])
    result = _Variant()
    error = _Error()
    rc = _library().vantrel_invoke(handle, name.encode("utf-8"), flags, array, len(args),
                                   ctypes.byref(result), ctypes.byref(error))
    if rc != 0:
        _raise(error)
    return _unmarshal(result)


# Declared types of the object model (vantrel.h's vantrel_declared_type).
_TYPES = {0: None, 1: int, 2: int, 3: bool, 4: datetime.datetime, 5: str, 6: typing.Any,
          8: typing.Iterator[typing.Any]}  # 7, an object, is added below Object
_KINDS = {_FIELD: "property", _READONLY: "read-only property", _OBJECT_GET: "read-only object property",
          _OBJECT_GET_SET: "object property (Set)", _OPERATION: "method"}


def _member_type(handle, declared):
    kind = ctypes.c_int32()
    _library().vantrel_member_param(handle, declared.encode("utf-8"), -1, ctypes.byref(kind), None)
    return _TYPES.get(kind.value, typing.Any)


def _parameters(handle, declared):
    """The declared parameters of a member: (name, type, optional) each."""
    found = []
    kind, optional = ctypes.c_int32(), ctypes.c_int32()
    while True:
        name = _library().vantrel_member_param(handle, declared.encode("utf-8"), len(found), ctypes.byref(kind),
                                               ctypes.byref(optional))
        if name is None:
            return found
        found.append((name.decode("utf-8"), _TYPES.get(kind.value, typing.Any), bool(optional.value)))


def _signature(handle, declared):
    params = [inspect.Parameter(name, inspect.Parameter.POSITIONAL_OR_KEYWORD, annotation=type_,
                                default=Missing if optional else inspect.Parameter.empty)
              for name, type_, optional in _parameters(handle, declared)]
    result = _member_type(handle, declared)
    return inspect.Signature(params, return_annotation=type(None) if result is None else result)


def _arguments(name, params, args, kwargs):
    """Positional values for the declared parameters; a keyword names one in any
    letter case, and parameters left out before a given one are Missing."""
    if len(args) > len(params):
        raise TypeError("%s() takes %d arguments but %d were given" % (name, len(params), len(args)))
    values = list(args)
    index = {p[0].lower(): i for i, p in enumerate(params)}
    for key, value in kwargs.items():
        i = index.get(key.lower())
        if i is None:
            raise TypeError("%s() got an unexpected keyword argument '%s'" % (name, key))
        if i < len(values) and values[i] is not Missing:
            raise TypeError("%s() got multiple values for argument '%s'" % (name, params[i][0]))
        values.extend([Missing] * (i + 1 - len(values)))
        values[i] = value
    return values


def _class_doc(handle, class_name):
    lines = ["Vantrel.%s: an object of the library, its members found by name in any letter case." % class_name, ""]
    slot = 0
    while True:
        kind, hidden = ctypes.c_int32(), ctypes.c_int32()
        name = _library().vantrel_member_name(handle, slot, ctypes.byref(kind), ctypes.byref(hidden))
        if name is None:
            return "\n".join(lines)
        slot += 1
        if hidden.value:
            continue
        name = name.decode("utf-8")
        signature = _signature(handle, name)
        shown = str(signature) if kind.value == _OPERATION or signature.parameters else \
            " -> " + inspect.formatannotation(signature.return_annotation)
        lines.append("    %s%s  (%s)" % (name, shown, _KINDS.get(kind.value, "member")))


_classes = {}


def _wrap(handle):
    """The Python object for a handle: an instance of a subclass of Object per
    class of the library, whose docstring lists the members."""
    name = _library().vantrel_class_name(handle).decode("utf-8")
    cls = _classes.get(name)
    if cls is None:
        cls = type(name, (Object,), {"__slots__": (), "__module__": __name__, "__doc__": _class_doc(handle, name)})
        _classes[name] = cls
    return cls(handle)


class Object:
    """A reference to one of the library's objects."""

    __slots__ = ("_handle",)

    def __init__(self, handle):
        object.__setattr__(self, "_handle", handle)

    def __del__(self):
        handle = getattr(self, "_handle", None)
        if handle and _lib is not None:
            _lib.vantrel_release(handle)
            object.__setattr__(self, "_handle", None)

    def _member(self, name):
        declared = ctypes.c_char_p()
        count = ctypes.c_int32()
        kind = _library().vantrel_member(self._handle, name.encode("utf-8"), ctypes.byref(declared),
                                         ctypes.byref(count))
        return kind, (declared.value or b"").decode("utf-8"), count.value

    def __getattr__(self, name):
        if name.startswith("__"):
            raise AttributeError(name)
        kind, declared, params = self._member(name)
        if kind == 0:
            raise MemberNotFoundError(438, "Object doesn't support this property or method: '%s'" % name)
        if kind == _OPERATION or params > 0:
            handle = self._handle
            declared_params = _parameters(handle, declared)

            def member(*args, **kwargs):
                return _invoke(handle, declared, _METHOD | _GET, _arguments(declared, declared_params, args, kwargs))

            member.__name__ = member.__qualname__ = declared
            member.__signature__ = _signature(handle, declared)
            member.__doc__ = "%s.%s%s: %s of the library's object model." % (
                self.class_name(), declared, member.__signature__, _KINDS.get(kind, "member"))
            member._owner = self  # keeps the object alive while the method is held
            return member
        return _invoke(self._handle, declared, _GET, [])

    def __setattr__(self, name, value):
        kind, declared, _ = self._member(name)
        if kind == 0:
            raise MemberNotFoundError(438, "Object doesn't support this property or method: '%s'" % name)
        flags = _PUTREF if (value is None or isinstance(value, Object)) else _PUT
        _invoke(self._handle, declared, flags, [value])

    def __call__(self, *args):
        return _invoke(self._handle, "", _METHOD | _GET, list(args))

    def __getitem__(self, key):
        """The default member's item: a number is a position (from 1), a String a key."""
        try:
            return self(key)
        except AutomationError as e:
            if e.number in (5, 9):
                raise SubscriptError(e.number, e.description) from None
            raise

    def __iter__(self):
        enumerator = _invoke(self._handle, "NewEnum", _GET, [])
        while True:
            item = _Variant()
            if not _library().vantrel_enum_next(enumerator._handle, ctypes.byref(item)):
                return
            yield _unmarshal(item)

    def __bool__(self):
        return True

    def __len__(self):
        return _invoke(self._handle, "Count", _GET, [])

    def __str__(self):
        kind, _, params = self._member("")
        if kind == 0 or params > 0:
            return repr(self)
        return str(_invoke(self._handle, "", _GET, []))

    def __repr__(self):
        return "<vantrel.%s object>" % self.class_name()

    def __eq__(self, other):
        return isinstance(other, Object) and other._handle == self._handle

    def __hash__(self):
        return hash(self._handle)

    def __dir__(self):
        names = []
        slot = 0
        while True:
            hidden = ctypes.c_int32()
            name = _library().vantrel_member_name(self._handle, slot, None, ctypes.byref(hidden))
            if name is None:
                return names
            if not hidden.value:
                names.append(name.decode("utf-8"))
            slot += 1

    def class_name(self):
        return _library().vantrel_class_name(self._handle).decode("utf-8")


_TYPES[7] = Object


def CreateObject(prog_id):
    """A new object of the class named by its ProgID, e.g. "Vantrel.User"."""
    handle = ctypes.c_void_p()
    error = _Error()
    if _library().vantrel_create(prog_id.encode("utf-8"), ctypes.byref(handle), ctypes.byref(error)) != 0:
        _raise(error)
    return _wrap(handle.value)
