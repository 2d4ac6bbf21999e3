"""The IDL reader: attributes anywhere, with any text in a helpstring."""
import os
import tempfile
import unittest

import idl_model

IDL = r'''
import "oaidl.idl";
[uuid(11111111-2222-3333-4444-555555555555), version(1.0), helpstring("Lib, \"quoted\" (x) [y]")]
library L
{
    importlib("stdole2.tlb");
    interface _A;
    [odl, uuid(aaaaaaaa-0000-0000-0000-000000000001), dual, helpstring("An ] interface; {odd}")]
    interface _A : IDispatch
    {
        [id(1), propget, helpstring("Get, it")] HRESULT Name([out, retval] BSTR* value);
        [id(1), propput,
         helpstring("Let (it)")] HRESULT Name([in] BSTR value);
        [id(0), helpstring("Adds [one]")] HRESULT Add([in, optional, defaultvalue("a,b")] BSTR sKey,
                                                    [out, retval] _A** result);
    };
    [uuid(AAAAAAAA-0000-0000-0000-000000000002), helpstring("coclass; A }")]
    coclass A { [default] interface _A; };
};
'''


class ReaderTest(unittest.TestCase):
    def test_reads_members_and_classes_whatever_the_helpstrings_hold(self):
        with tempfile.NamedTemporaryFile("w", suffix=".idl", delete=False) as f:
            f.write(IDL)
        try:
            lib = idl_model.parse(f.name)
        finally:
            os.unlink(f.name)
        self.assertEqual(lib.libid, "11111111-2222-3333-4444-555555555555")
        members = lib.interfaces["_A"].methods
        self.assertEqual([(m.name, m.kind, m.dispid, m.slot) for m in members],
                         [("Name", "get", 1, 0), ("Name", "put", 1, 0), ("Add", "method", 0, 1)])
        self.assertEqual([(p.name, p.type) for p in members[2].params], [("sKey", "BSTR"), ("result", "_A**")])
        self.assertEqual(members[2].params[0].default_text(), '"a,b"')
        self.assertEqual([(c.name, c.clsid, c.interface) for c in lib.coclasses],
                         [("A", "AAAAAAAA-0000-0000-0000-000000000002", "_A")])


if __name__ == "__main__":
    unittest.main()
