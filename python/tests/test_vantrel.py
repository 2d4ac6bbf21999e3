"""What the Python module adds (the operations' rules are the golden cases):
members by name as attributes, values as Python types, collections as Python
sequences, automation errors as exceptions, and the library it loads."""

import datetime
import inspect
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import unittest.mock

import vantrel


class Module(unittest.TestCase):
    def test_errors_are_exceptions_with_number_and_description(self):
        user = vantrel.CreateObject("Vantrel.User")
        for call, number in ((lambda: vantrel.CreateObject("Vantrel.NoSuchClass"), 429),
                             (lambda: setattr(user, "TimeOut", 2 ** 40), 6)):
            with self.assertRaises(vantrel.AutomationError) as caught:
                call()
            self.assertEqual(caught.exception.number, number)
            self.assertTrue(caught.exception.description)
        self.assertFalse(hasattr(user, "NoSuchThing"))  # 438 is an AttributeError too

    def test_values_cross_as_python_types(self):
        user = vantrel.CreateObject("vantrel.USER")
        user.MaxNrUsers = "12"
        user.Disable = "True"
        user.UserName = "J\u00fcrgen \u65e5\u672c \U0001F600"
        self.assertIs(type(user.MaxNrUsers), int)
        self.assertIs(user.Disable, True)
        self.assertEqual(user.username, "J\u00fcrgen \u65e5\u672c \U0001F600")
        user.ExpireDate = datetime.datetime(2004, 1, 1, 8, 0, 0)
        self.assertEqual(user.ExpireDate, datetime.datetime(2004, 1, 1, 8, 0, 0))
        g = vantrel.CreateObject("Vantrel.Global")
        self.assertEqual(str(g), g.About)  # str() is the default member

    def test_strings_cross_whole_so_nul_reaches_the_refusal(self):
        root = tempfile.mkdtemp(prefix="vantrel-nul-")
        self.addCleanup(shutil.rmtree, root, True)
        os.makedirs(os.path.join(root, "Windows"))
        with open(os.path.join(root, "Windows", "Vantrel.ini"), "wb") as f:
            f.write(b"[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n")
        with unittest.mock.patch.dict(os.environ, {"VANTREL_ROOT": root}):
            domains = vantrel.CreateObject("Vantrel.Domains")
            domains.AdminName, domains.AdminPassword = "Vantrel", "KelpMoor"
            added = domains.AddDomain("a\0b", "1.2.3.4")
        self.assertEqual((added, domains.ErrorMsg), (False, "Refused: the HostName holds a line break or NUL character"))

    def test_collections_are_sequences_and_objects_are_set_by_assignment(self):
        domains = vantrel.CreateObject("Vantrel.Domains")
        domains.Domain.Add(1, "10.0.0.1", "one.example", 21, "7")
        domains.Domain.Add(7, "", "seven.example", 2121, "1")
        self.assertEqual(domains.Domain("1").ID, 7)
        self.assertEqual((domains.Domain[2].ID, domains.Domain["7"].ID), (7, 1))  # position, key
        with self.assertRaises(IndexError):
            domains.Domain[3]
        with self.assertRaises(KeyError):
            domains.Domain["none"]
        self.assertEqual(len(domains.Domain), 2)
        self.assertEqual([d.HostName for d in domains.Domain], ["one.example", "seven.example"])
        user = vantrel.CreateObject("Vantrel.User")
        rules = vantrel.CreateObject("Vantrel.DirAccess")
        self.assertEqual(rules.Add("b", vantrel.Missing, True).Accesses, "b|RWLP")
        self.assertEqual(rules.Add("c", filesread=False, DirCreate=True).Accesses, "c|LCP")  # keywords, any case
        self.assertRaises(TypeError, rules.Add, "d", Nothing=1)
        user.DirAccess = rules
        self.assertEqual(user.DirAccess, rules)

    def test_help_shows_the_declared_members(self):
        user = vantrel.CreateObject("Vantrel.User")
        self.assertEqual(str(inspect.signature(user.GetUser)),
                         "(UserName: str, DomainID: int = vantrel.Missing) -> bool")
        self.assertIn("DirAccess -> vantrel.Object  (object property (Set))", type(user).__doc__)

    def test_uses_vantrel_library_or_finds_the_build_tree(self):
        self.assertEqual(vantrel.library_path(), os.environ["VANTREL_LIBRARY"])
        env = dict(os.environ)
        del env["VANTREL_LIBRARY"]
        out = subprocess.run([sys.executable, "-c", "import vantrel; print(vantrel.library_path())"],
                             env=env, capture_output=True, text=True, check=True).stdout.strip()
        self.assertTrue(out.endswith("libvantrel.so"), out)
        env["VANTREL_LIBRARY"] = "/nonexistent/libvantrel.so"
        failed = subprocess.run([sys.executable, "-c", "import vantrel; vantrel.CreateObject('Vantrel.User')"],
                                env=env, capture_output=True, text=True)
        self.assertIn("LibraryNotFoundError: cannot load the Vantrel library /nonexistent/libvantrel.so", failed.stderr)
        self.assertIn("set the environment variable VANTREL_LIBRARY", failed.stderr)


if __name__ == "__main__":
    unittest.main()
