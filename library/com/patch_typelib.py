"""Completes the type library with the default values widl cannot write.

widl (7.0 and 8.0) writes no Date default and no String default on a
by-reference String; prepare_idl.py removed those attributes from its input
and listed them in a JSON file. This step reads the compiled library (the
MSFT format that oleaut32 loads), finds each listed parameter and gives it
its default: the value goes into the custom-data segment, which is moved to
the end of the file so that nothing else shifts, and the parameter gets the
has-default flag.

usage: patch_typelib.py IN.tlb DEFAULTS.json OUT.tlb
"""

import json
import struct
import sys

PARAMFLAG_FHASDEFAULT = 0x20
FKCCIC_HAS_DEFAULTS = 0x1000
VT_BSTR = 8
VT_DATE = 7
SEGMENTS = 15
SEG_CUSTDATA = 11
SEG_NAMETAB = 7
SEG_TYPEINFO = 0
# Size of the PARAMDESCEX that oleaut32 adds to a FUNCDESC per default value.
PARAMDESCEX_SIZE = 32


def i32(data, pos):
    return struct.unpack_from("<i", data, pos)[0]


class TypeLib:
    def __init__(self, data):
        self.data = bytearray(data)
        if self.data[:4] != b"MSFT":
            raise SystemExit("not an MSFT type library")
        varflags = i32(self.data, 0x14)
        self.ntypeinfos = i32(self.data, 0x20)
        pos = 0x54 + (4 if varflags & 0x100 else 0)
        pos += 4 * self.ntypeinfos
        self.segdir = pos
        self.segments = [struct.unpack_from("<iiii", self.data, pos + 16 * k) for k in range(SEGMENTS)]

    def name_at(self, offset):
        base = self.segments[SEG_NAMETAB][0] + offset
        length = self.data[base + 8]
        return self.data[base + 12: base + 12 + length].decode("latin-1")

    def typeinfos(self):
        base = self.segments[SEG_TYPEINFO][0]
        for k in range(self.ntypeinfos):
            yield base + 0x64 * k

    def functions(self, typeinfo):
        """(record position, record length, name) of each function of a typeinfo."""
        memoffset = i32(self.data, typeinfo + 0x04)
        celement = i32(self.data, typeinfo + 0x18)
        nfuncs, nvars = celement & 0xFFFF, (celement >> 16) & 0xFFFF
        if nfuncs == 0:
            return
        infolength = i32(self.data, memoffset)
        names = memoffset + 4 + infolength + 4 * (nfuncs + nvars)
        pos = memoffset + 4
        for k in range(nfuncs):
            reclength = i32(self.data, pos) & 0xFFFF
            yield pos, reclength, self.name_at(i32(self.data, names + 4 * k))
            pos += reclength

    def params(self, record, reclength):
        """(info position, default slot position, name) of each parameter."""
        nargs = struct.unpack_from("<h", self.data, record + 0x14)[0]
        end = record + reclength
        for j in range(nargs):
            info = end - 12 * (nargs - j)
            default = end - 16 * nargs + 4 * j
            yield info, default, self.name_at(i32(self.data, info + 4))

    def existing_empty_string(self):
        """Offset of an empty-String default widl already wrote, if any."""
        for ti in self.typeinfos():
            for rec, length, _ in self.functions(ti):
                if not i32(self.data, rec + 0x10) & FKCCIC_HAS_DEFAULTS:
                    continue
                for info, slot, _ in self.params(rec, length):
                    value = i32(self.data, slot)
                    if value < 0 or not i32(self.data, info + 8) & PARAMFLAG_FHASDEFAULT:
                        continue
                    at = self.segments[SEG_CUSTDATA][0] + value
                    vt, size = struct.unpack_from("<Hi", self.data, at)
                    if vt == VT_BSTR and size == 0:
                        return value
        return None


def main(src, defaults_path, out):
    lib = TypeLib(open(src, "rb").read())
    wanted = json.load(open(defaults_path, encoding="utf-8"))
    cust_offset, cust_length = lib.segments[SEG_CUSTDATA][:2]
    custdata = bytearray(lib.data[cust_offset:cust_offset + max(cust_length, 0)])

    def add_value(blob):
        while len(custdata) % 4:
            custdata.append(0)
        at = len(custdata)
        custdata.extend(blob)
        return at

    interface_names = {w["interface"] for w in wanted}
    done = set()
    for ti in lib.typeinfos():
        tname = lib.name_at(i32(lib.data, ti + 0x34))
        if tname not in interface_names:
            continue
        for rec, length, fname in lib.functions(ti):
            for k, w in enumerate(wanted):
                if w["interface"] != tname or w["member"] != fname:
                    continue
                fkccic = i32(lib.data, rec + 0x10)
                if not fkccic & FKCCIC_HAS_DEFAULTS:
                    raise SystemExit(f"{tname}.{fname}: no default-value slots to fill")
                for info, slot, pname in lib.params(rec, length):
                    if pname != w["param"]:
                        continue
                    if w["kind"] == "date":
                        value = add_value(struct.pack("<Hd", VT_DATE, float(w["value"])))
                    elif w["value"] == "":
                        found = lib.existing_empty_string()
                        value = found if found is not None else add_value(struct.pack("<Hi", VT_BSTR, 0))
                    else:
                        text = w["value"].encode("latin-1")
                        value = add_value(struct.pack("<Hi", VT_BSTR, len(text)) + text)
                    flags = i32(lib.data, info + 8)
                    if not flags & PARAMFLAG_FHASDEFAULT:
                        struct.pack_into("<i", lib.data, info + 8, flags | PARAMFLAG_FHASDEFAULT)
                        size = struct.unpack_from("<h", lib.data, rec + 0x0E)[0]
                        struct.pack_into("<h", lib.data, rec + 0x0E, size + PARAMDESCEX_SIZE)
                    struct.pack_into("<i", lib.data, slot, value)
                    done.add(k)
    missing = [w for k, w in enumerate(wanted) if k not in done]
    if missing:
        raise SystemExit(f"parameters not found in the type library: {missing}")

    # The custom-data segment moves to the end of the file; its entries are
    # addressed relative to the segment, so every reference stays valid.
    while len(lib.data) % 4:
        lib.data.append(0)
    new_offset = len(lib.data)
    lib.data.extend(custdata)
    seg = lib.segdir + 16 * SEG_CUSTDATA
    struct.pack_into("<ii", lib.data, seg, new_offset, len(custdata))
    with open(out, "wb") as f:
        f.write(lib.data)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
