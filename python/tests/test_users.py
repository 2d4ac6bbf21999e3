"""User accounts from Python, as a page manages them: add, list, read,
change and delete, with the fixed messages and the errors a page sees."""

import datetime
import os
import shutil
import tempfile
import unittest

import vantrel

SERVER_FILE = (
    "[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n"
    "[Domain1]\r\nUser1=alice|1|0\r\nUser2=bob|0|1072915200\r\n\r\n"
    "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nTimeOut=600\r\nAccess1=C:\\ftp\\alice|RWLP\r\n"
)


class UserAccounts(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vantrel-py-users-")
        self.saved_root = os.environ.get("VANTREL_ROOT")
        os.environ["VANTREL_ROOT"] = self.root
        os.makedirs(os.path.join(self.root, "Windows"))
        os.makedirs(os.path.join(self.root, "drives", "c"))
        self.servu = os.path.join(self.root, "servu")
        os.makedirs(self.servu)
        self.server_file = os.path.join(self.servu, "ServUDaemon.ini")
        with open(self.server_file, "w", newline="") as f:
            f.write(SERVER_FILE)
        # AddUser creates the settings file with its defaults (administrator
        # Vantrel) before its checks; an empty name then stops it.
        first = self.user()
        self.assertFalse(first.AddUser())
        self.assertEqual(first.ErrorMsg, "Username can not be empty")

    def tearDown(self):
        if self.saved_root is None:
            os.environ.pop("VANTREL_ROOT", None)
        else:
            os.environ["VANTREL_ROOT"] = self.saved_root
        shutil.rmtree(self.root, ignore_errors=True)

    def user(self):
        u = vantrel.CreateObject("Vantrel.User")
        u.ServUPath = self.servu
        u.AdminName = "Vantrel"
        u.AdminPassword = "KelpMoor"
        return u

    def server_text(self):
        with open(self.server_file, newline="") as f:
            return f.read()

    def test_add_then_list_and_read_back(self):
        u = self.user()
        u.UserName = "carol"
        u.Password = "s3cret"
        self.assertEqual(u.Password, "Encrypted")
        u.HomeDir = r"C:\ftp\carol"
        u.Expire = True
        u.ExpireDate = datetime.datetime(2004, 1, 1, 8, 0, 0)
        u.DirAccess.Add(r"C:\ftp\carol", True, True)
        self.assertTrue(u.AddUser(), u.ErrorMsg)
        self.assertIn("User3=carol|1|1072915200\r\n", self.server_text())
        self.assertTrue(os.path.isdir(os.path.join(self.root, "drives", "c", "ftp", "carol")))

        lister = self.user()
        self.assertTrue(lister.GetUserList(1))
        self.assertEqual([row.UserName for row in lister.UserList], ["alice", "bob", "carol"])
        self.assertTrue(lister.UserList("BOB").Disable)

        reader = self.user()
        self.assertTrue(reader.GetUser("Carol"))
        self.assertEqual(reader.UserName, "Carol")
        self.assertEqual(reader.Password, "Encrypted")
        self.assertEqual(reader.ExpireDate, datetime.datetime(2004, 1, 1, 8, 0, 0))
        self.assertEqual([r.Accesses for r in reader.DirAccess], [r"C:\ftp\carol|RWLP"])

    def test_modify_changes_one_setting_and_delete_removes_the_account(self):
        u = self.user()
        self.assertTrue(u.GetUser("alice", 1))
        u.TimeOut = 30
        self.assertTrue(u.ModifyUser("alice", 1), u.ErrorMsg)
        check = self.user()
        self.assertTrue(check.GetUser("alice"))
        self.assertEqual(check.TimeOut, 30)
        self.assertEqual(check.HomeDir, r"C:\ftp\alice")
        self.assertEqual(check.DirAccess(1).Accesses, r"C:\ftp\alice|RWLP")
        self.assertEqual(check.UserList(2).UserName, "alice")  # moved to the end
        self.assertFalse(check.DelUser("ALICE"))  # deletion needs the exact name
        self.assertEqual(check.ErrorMsg, "This username does not exist")
        self.assertTrue(check.DelUser("alice"))
        self.assertIn("[Domain1]\r\nUser1=bob|0|1072915200\r\n", self.server_text())
        self.assertNotIn("USER=alice|1", self.server_text())

    def test_malformed_stored_value_raises_an_automation_error(self):
        with open(self.server_file, "w", newline="") as f:
            f.write("[Domain1]\r\nUser1=alice|x|0\r\n")
        with self.assertRaises(vantrel.AutomationError) as caught:
            self.user().GetUserList()
        self.assertEqual(caught.exception.number, 13)


if __name__ == "__main__":
    unittest.main()
