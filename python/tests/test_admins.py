"""Library administration and folder browsing as a Python script uses them,
each on a temporary system root: domain administrators, public directories,
the system password, and an Explorer listing and creating folders."""

import calendar
import datetime
import os
import shutil
import tempfile
import unittest

import vantrel

# The factory state: Vantrel / KelpMoor (salt "ab"), public directory C:\Vantrel.
FACTORY_SETTINGS = (
    b"[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"
    b"[PublicDir]\r\ndir1=C:\\Vantrel\r\n"
)


class AdminsAndBrowsing(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vantrel-py-admins-")
        os.makedirs(os.path.join(self.root, "Windows"))
        self.saved_root = os.environ.get("VANTREL_ROOT")
        os.environ["VANTREL_ROOT"] = self.root
        self.settings_path = os.path.join(self.root, "Windows", "Vantrel.ini")
        with open(self.settings_path, "wb") as f:
            f.write(FACTORY_SETTINGS)
        self.admins = vantrel.CreateObject("Vantrel.AdminOfAdmin")
        self.admins.Administrator, self.admins.Password = "VANTREL", "KelpMoor"
        self.sales = os.path.join(self.root, "drives", "d", "ftp", "sales")
        os.makedirs(os.path.join(self.sales, "a"))
        os.makedirs(os.path.join(self.sales, ".svn"))
        with open(os.path.join(self.sales, "k.bin"), "wb") as f:
            f.write(b"x" * 1000)
        self.explorer = vantrel.CreateObject("Vantrel.Explorer")
        self.explorer.AdminName, self.explorer.AdminPassword = "sales", "PA55"
        self.explorer.CurrentDir = r"D:\ftp\sales"

    def tearDown(self):
        if self.saved_root is None:
            os.environ.pop("VANTREL_ROOT", None)
        else:
            os.environ["VANTREL_ROOT"] = self.saved_root
        shutil.rmtree(self.root)

    def test_administrators_round_trip_and_letter_case(self):
        self.assertTrue(self.admins.AddAdmin("sales", "Pa55", "2", r"D:\ftp\sales"))
        self.assertFalse(self.admins.AddAdmin("Sales", "x", 3, r"D:\x"))
        self.assertEqual(self.admins.ErrorMsg, "The AdminName exists already")
        self.assertTrue(self.admins.GetAdminList())
        listed = [(a.AdminName, a.AdminPassword, a.DomainID, a.RootDir) for a in self.admins.Admin]
        self.assertEqual(listed, [("sales", "Pa55", 2, r"D:\ftp\sales")])
        self.assertTrue(self.admins.DelAdmin("SALES"))
        self.assertNotIn(b"sales=", open(self.settings_path, "rb").read())

    def test_system_password_change(self):
        self.assertFalse(self.admins.ChangeSystemPassword("Vantrel", "kelpmoor", "x", "y"))
        self.assertEqual(open(self.settings_path, "rb").read(), FACTORY_SETTINGS)
        self.assertTrue(self.admins.ChangeSystemPassword("vantrel", "KelpMoor", "Root", "n3w"))
        self.assertFalse(self.admins.GetAdminList())
        self.assertEqual(self.admins.ErrorMsg, "You have no right!")
        self.admins.Administrator, self.admins.Password = "ROOT", "n3w"
        self.assertTrue(self.admins.GetAdminList())

    def test_public_directory_numbering_and_the_rights_it_gives(self):
        self.assertTrue(self.admins.AddAdmin("sales", "Pa55", 2, r"D:\ftp\sales"))
        os.makedirs(os.path.join(self.root, "drives", "e", "shared", "docs"))
        self.explorer.CurrentDir = r"E:\shared"
        self.assertFalse(self.explorer.List())
        self.assertEqual(self.explorer.ErrorMsg, "The HomeDir has no right!")
        self.assertTrue(self.admins.AddPublicDir(r"E:\Shared"))
        self.assertTrue(self.explorer.List())
        self.assertEqual([d.DirName for d in self.explorer.Directory], ["docs"])
        self.assertTrue(self.admins.DelPublicDir(r"c:\VANTREL"))
        self.assertIn(b"[PublicDir]\r\ndir1=E:\\Shared\r\n", open(self.settings_path, "rb").read())

    def test_listing_sizes_times_and_reach(self):
        self.assertTrue(self.admins.AddAdmin("sales", "Pa55", 2, r"D:\ftp\sales"))
        moment = datetime.datetime(2003, 12, 31, 23, 30, 15)
        stamp = calendar.timegm(moment.timetuple()) + 0.75
        os.utime(os.path.join(self.sales, "k.bin"), (stamp, stamp))
        self.assertTrue(self.explorer.List())
        self.assertEqual([d.DirName for d in self.explorer.Directory], ["a"])
        self.assertEqual(self.explorer.File("K.BIN").FileLength, 1000)
        self.assertEqual(self.explorer.File("k.bin").LastWriteTime, moment)
        self.assertFalse(self.explorer.List(r"..\*.*"))
        self.assertEqual(self.explorer.ErrorMsg, "The HomeDir has no right!")
        vantrel.CreateObject("Vantrel.Explorer").CreateDir(r"D:\ftp\sales\new\sub")
        self.assertTrue(os.path.isdir(os.path.join(self.sales, "new", "sub")))


if __name__ == "__main__":
    unittest.main()
