"""A build backend for `pip install ./python` that needs nothing from a package
index: it packs the vantrel folder into a wheel with the standard library."""

import base64
import hashlib
import os
import zipfile

NAME, VERSION = "vantrel", "1.0.0"
_HERE = os.path.dirname(os.path.abspath(__file__))
_INFO = "%s-%s.dist-info" % (NAME, VERSION)
_METADATA = ("Metadata-Version: 2.1\nName: %s\nVersion: %s\n"
             "Summary: Late-bound access to the Vantrel library (libvantrel.so)\nLicense: MIT\n"
             "Requires-Python: >=3.9\n" % (NAME, VERSION))
_WHEEL = "Wheel-Version: 1.0\nGenerator: vantrel build_backend\nRoot-Is-Purelib: true\nTag: py3-none-any\n"


def _digest(data):
    return "sha256=" + base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b"=").decode()


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    name = "%s-%s-py3-none-any.whl" % (NAME, VERSION)
    files = []
    package = os.path.join(_HERE, NAME)
    for entry in sorted(os.listdir(package)):
        if entry.endswith((".py", ".pyi")) or entry == "py.typed":
            with open(os.path.join(package, entry), "rb") as f:
                files.append(("%s/%s" % (NAME, entry), f.read()))
    files += [(_INFO + "/METADATA", _METADATA.encode()), (_INFO + "/WHEEL", _WHEEL.encode())]
    record = "".join("%s,%s,%d\n" % (path, _digest(data), len(data)) for path, data in files)
    record += _INFO + "/RECORD,,\n"
    with zipfile.ZipFile(os.path.join(wheel_directory, name), "w", zipfile.ZIP_DEFLATED) as wheel:
        for path, data in files + [(_INFO + "/RECORD", record.encode())]:
            wheel.writestr(path, data)
    return name
