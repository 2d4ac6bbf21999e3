"""Library administration and folder browsing as a Python script uses them:
domain administrators, public directories, the system password, and an
Explorer listing and creating folders, each on a temporary system root."""

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


class TempRoot(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vantrel-py-admins-")
        os.makedirs(os.path.join(self.root, "Windows"))
        self.saved_root = os.environ.get("VANTREL_ROOT")
        os.environ["VANTREL_ROOT"] = self.root
        with open(self.settings_path(), "wb") as f:
            f.write(FACTORY_SETTINGS)

    def tearDown(self):
        if self.saved_root is None:
            os.environ.pop("VANTREL_ROOT", None)
        else:
            os.environ["VANTREL_ROOT"] = self.saved_root
        shutil.rmtree(self.root)

    def settings_path(self):
        return os.path.join(self.root, "Windows", "Vantrel.ini")

    def settings(self):
        with open(self.settings_path(), "rb") as f:
            return f.read()

    def drive(self, letter, *parts):
        return os.path.join(self.root, "drives", letter, *parts)

    def signed_in(self):
        admins = vantrel.CreateObject("Vantrel.AdminOfAdmin")
        admins.Administrator = "VANTREL"
        admins.Password = "KelpMoor"
        return admins


class DomainAdministrators(TempRoot):
    def test_round_trip_through_the_list(self):
        admins = self.signed_in()
        self.assertTrue(admins.AddAdmin("sales", "Pa55", "2", r"D:\ftp\sales"))
        self.assertTrue(admins.AddAdmin("support", "x", 3, r"E:\support"))
        self.assertTrue(admins.GetAdminList())
        listed = [(a.AdminName, a.AdminPassword, a.DomainID, a.RootDir) for a in admins.Admin]
        self.assertEqual(listed, [("sales", "Pa55", 2, r"D:\ftp\sales"), ("support", "x", 3, r"E:\support")])
        self.assertEqual(admins.Admin("SUPPORT").RootDir, r"E:\support")

    def test_duplicates_and_deletes_ignore_letter_case(self):
        admins = self.signed_in()
        self.assertTrue(admins.AddAdmin("sales", "Pa55", 2, r"D:\ftp\sales"))
        before = self.settings()
        self.assertFalse(admins.AddAdmin("Sales", "y", 4, r"D:\y"))
        self.assertEqual(admins.ErrorMsg, "The AdminName exists already")
        self.assertEqual(self.settings(), before)
        self.assertTrue(admins.DelAdmin("SALES"))
        self.assertNotIn(b"sales=", self.settings())
        self.assertFalse(admins.DelAdmin("sales"))
        self.assertEqual(admins.ErrorMsg, "The AdminName does not exist")

    def test_text_that_would_break_the_file_is_refused(self):
        admins = self.signed_in()
        for name, password, root in [("a\r\nb", "p", r"D:\r"), ("a;b", "p", r"D:\r"), ("ok", "p|1", r"D:\r")]:
            self.assertFalse(admins.AddAdmin(name, password, 1, root))
            self.assertTrue(admins.ErrorMsg.startswith("The administrator is refused: "), admins.ErrorMsg)
        self.assertEqual(self.settings(), FACTORY_SETTINGS)

    def test_no_system_credentials_no_access(self):
        page = vantrel.CreateObject("Vantrel.AdminOfAdmin")
        for call in (page.GetAdminList, page.GetPublicDir, lambda: page.AddAdmin("x", "p", 1, r"D:\x")):
            self.assertFalse(call())
            self.assertEqual(page.ErrorMsg, "You have no right!")
        self.assertEqual(self.settings(), FACTORY_SETTINGS)


class SystemPassword(TempRoot):
    def test_change_then_only_the_new_credentials_pass(self):
        admins = self.signed_in()
        self.assertTrue(admins.ChangeSystemPassword("vantrel", "KelpMoor", "Root", "n3w"))
        self.assertFalse(admins.GetAdminList())
        admins.Administrator, admins.Password = "ROOT", "n3w"
        self.assertTrue(admins.GetAdminList())

    def test_wrong_old_credentials_leave_message_and_file(self):
        admins = self.signed_in()
        admins.Password = "nope"
        self.assertFalse(admins.GetAdminList())
        self.assertFalse(admins.ChangeSystemPassword("Vantrel", "kelpmoor", "x", "y"))
        self.assertEqual(admins.ErrorMsg, "You have no right!")
        self.assertEqual(self.settings(), FACTORY_SETTINGS)


class PublicDirectories(TempRoot):
    def stored(self):
        admins = self.signed_in()
        self.assertTrue(admins.GetPublicDir())
        return [d.Directory for d in admins.PublicDir]

    def test_numbering_after_deletes(self):
        admins = self.signed_in()
        self.assertTrue(admins.AddPublicDir(r"D:\two"))
        self.assertTrue(admins.AddPublicDir(r"E:\three"))
        self.assertTrue(admins.DelPublicDir(r"d:\TWO"))
        self.assertIn(b"[PublicDir]\r\ndir1=C:\\Vantrel\r\ndir2=E:\\three\r\n", self.settings())
        self.assertFalse(admins.DelPublicDir(r"F:\none"))
        self.assertEqual(admins.ErrorMsg, "The directory does not exist")
        self.assertEqual(self.stored(), [r"C:\Vantrel", r"E:\three"])

    def test_public_directory_opens_browsing_to_a_domain_administrator(self):
        admins = self.signed_in()
        self.assertTrue(admins.AddAdmin("sales", "Pa55", 2, r"D:\ftp\sales"))
        os.makedirs(self.drive("e", "shared", "docs"))
        explorer = vantrel.CreateObject("Vantrel.Explorer")
        explorer.AdminName, explorer.AdminPassword, explorer.CurrentDir = "sales", "Pa55", r"E:\shared"
        self.assertFalse(explorer.List())
        self.assertEqual(explorer.ErrorMsg, "The HomeDir has no right!")
        self.assertTrue(admins.AddPublicDir(r"E:\Shared"))
        self.assertTrue(explorer.List())
        self.assertEqual([d.DirName for d in explorer.Directory], ["docs"])


class Browsing(TempRoot):
    def setUp(self):
        super().setUp()
        self.assertTrue(self.signed_in().AddAdmin("sales", "Pa55", 2, r"D:\ftp\sales"))
        self.base = self.drive("d", "ftp", "sales")
        for folder in ("a", ".svn"):
            os.makedirs(os.path.join(self.base, folder))
        for name, size in (("x.txt", 0), (".htaccess", 0), ("k.bin", 1000)):
            with open(os.path.join(self.base, name), "wb") as f:
                f.write(b"x" * size)
        self.explorer = vantrel.CreateObject("Vantrel.Explorer")
        self.explorer.AdminName, self.explorer.AdminPassword = "sales", "PA55"
        self.explorer.CurrentDir = r"D:\ftp\sales"

    def test_folders_without_dot_folders_and_every_file(self):
        self.assertTrue(self.explorer.List())
        self.assertEqual([d.DirName for d in self.explorer.Directory], ["a"])
        self.assertEqual(sorted(f.FileName for f in self.explorer.File), [".htaccess", "k.bin", "x.txt"])
        self.assertEqual(self.explorer.File("K.BIN").FileLength, 1000)

    def test_times_are_utc(self):
        moment = datetime.datetime(2003, 12, 31, 23, 30, 15)
        stamp = calendar.timegm(moment.timetuple()) + 0.75
        os.utime(os.path.join(self.base, "x.txt"), (stamp, stamp))
        self.assertTrue(self.explorer.List("x.*"))
        self.assertEqual(self.explorer.File("x.txt").LastWriteTime, moment)

    def test_patterns_and_missing_folders(self):
        self.assertTrue(self.explorer.List("*.TXT"))
        self.assertEqual([f.FileName for f in self.explorer.File], ["x.txt"])
        self.explorer.CurrentDir = r"D:\ftp\sales\missing"
        self.assertTrue(self.explorer.List())
        self.assertEqual(len(self.explorer.File), 0)

    def test_out_of_reach(self):
        self.assertFalse(self.explorer.List(r"..\*.*"))
        self.assertEqual(self.explorer.ErrorMsg, "The HomeDir has no right!")
        self.explorer.AdminPassword = "wrong"
        self.assertFalse(self.explorer.List())
        self.assertTrue(self.explorer.ErrorMsg.startswith("Right Limited!"))

    def test_create_dir_of_a_deep_path_without_credentials(self):
        vantrel.CreateObject("Vantrel.Explorer").CreateDir(r"D:\ftp\sales\new\sub")
        self.assertTrue(os.path.isdir(os.path.join(self.base, "new", "sub")))


if __name__ == "__main__":
    unittest.main()
