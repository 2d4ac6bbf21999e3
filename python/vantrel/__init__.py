"""Late-bound access to the Vantrel library from Python, the way a page uses it.

    import vantrel
    d = vantrel.CreateObject("Vantrel.Domains")
    d.ServUPath = "/srv/ftp"
    if d.GetDomain():
        for domain in d.Domain:
            print(domain.ID, domain.HostName)
        first = d.Domain(1)          # calling an object calls its default member
        by_key = d.Domain.Item("1")  # a String is a key, a number a position

Member names are matched without regard to letter case. Strings cross as
str, Integer and Long as int, Boolean as bool, Date as a naive
datetime.datetime (a float automation date is accepted too), objects as
wrapped objects; assigning a wrapped object or None to an object property
is a Set. Failures raise AutomationError with .number and .description.

The library is libvantrel.so: the one named by the environment variable
VANTREL_LIBRARY, else the one installed with this module, else the newest one
in the source tree's build folders (a sanitizer build only when there is no
other), else the system's. The library reads VANTREL_ROOT at every access, so a script may
change os.environ["VANTREL_ROOT"] between calls.
"""

import ctypes
import datetime
import glob
import math
import os

__all__ = ["CreateObject", "AutomationError", "Object", "Missing", "library_path"]

_EMPTY, _MISSING, _I2, _I4, _R8, _DATE, _BOOL, _STRING, _OBJECT = range(9)
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
    return "libvantrel.so"


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
        lib = ctypes.CDLL(library_path())
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
        text = ctypes.create_string_buffer(value.encode("utf-8"))
        keep.append(text)
        v.type, v.string_value = _STRING, ctypes.cast(text, ctypes.c_void_p)
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
            return ctypes.string_at(v.string_value).decode("utf-8") if v.string_value else ""
        if t == _OBJECT:
            if not v.object_value:
                return None
            _library().vantrel_addref(v.object_value)
            return Object(v.object_value)
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

            def member(*args):
                return _invoke(handle, declared, _METHOD | _GET, list(args))

            member.__name__ = declared
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


def CreateObject(prog_id):
    """A new object of the class named by its ProgID, e.g. "Vantrel.User"."""
    handle = ctypes.c_void_p()
    error = _Error()
    if _library().vantrel_create(prog_id.encode("utf-8"), ctypes.byref(handle), ctypes.byref(error)) != 0:
        _raise(error)
    return Object(handle.value)
