"""Domains and Global from Python, as a page uses them: listing, adding,
changing and deleting domains, the reload signal and the server version."""

import os
import shutil
import tempfile
import unittest

import vantrel

# Salt "ab" followed by the MD5 digest of "abKelpMoor".
SETTINGS = "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"

SERVER_FILE = (
    "[GLOBAL]\r\nVersion=6.4.0.6\r\n"
    "[DOMAINS]\r\n"
    "Domain1=192.168.0.5||21|ftp.example.com|1|0\r\n"
    "Domain2=|srv|2121|files.example.org|2|0|extra\r\n"
    "Domain3=10.0.0.20||990|uploads.example.net|4|0\r\n"
    "[Domain1]\r\nUser1=alice|1|0\r\nUser2=bob|1|0\r\n"
    "[USER=alice|1]\r\nHomeDir=D:\\ftp\\alice\r\n"
    "[USER=bob|1]\r\nHomeDir=D:\\ftp\\bob\r\n"
    "[Domain2]\r\nUser1=carol|1|0\r\n"
    "[USER=carol|2]\r\nHomeDir=D:\\ftp\\carol\r\n"
)


class DomainManagement(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vantrel-py-domains-")
        self.saved_root = os.environ.get("VANTREL_ROOT")
        os.environ["VANTREL_ROOT"] = self.root
        os.makedirs(os.path.join(self.root, "Windows"))
        with open(os.path.join(self.root, "Windows", "Vantrel.ini"), "w", newline="") as f:
            f.write(SETTINGS)
        self.servu = os.path.join(self.root, "servu")
        os.makedirs(self.servu)
        self.server_file = os.path.join(self.servu, "ServUDaemon.ini")
        with open(self.server_file, "w", newline="") as f:
            f.write(SERVER_FILE)

    def tearDown(self):
        if self.saved_root is None:
            os.environ.pop("VANTREL_ROOT", None)
        else:
            os.environ["VANTREL_ROOT"] = self.saved_root
        shutil.rmtree(self.root, ignore_errors=True)

    def domains(self, admin=True):
        d = vantrel.CreateObject("Vantrel.Domains")
        d.ServUPath = self.servu
        if admin:
            d.AdminName = "vantrel"
            d.AdminPassword = "KelpMoor"
        return d

    def server_text(self):
        with open(self.server_file, newline="") as f:
            return f.read()

    def test_add_takes_the_smallest_free_id_and_port_21_and_modify_keeps_server_fields(self):
        d = self.domains()
        self.assertTrue(d.AddDomain("new.example", "10.1.1.1"))
        self.assertIn("Domain4=10.1.1.1||21|new.example|3|0\r\n", self.server_text())
        self.assertFalse(d.AddDomain("NEW.EXAMPLE", "10.1.1.2", 22))
        self.assertEqual(d.ErrorMsg, "This HostName exists already")
        self.assertTrue(d.ModifyDomain(2, " files.example.org ", "", 2222))
        self.assertIn("Domain2=|srv|2222|files.example.org|2|0|extra\r\n", self.server_text())

    def test_refusals_leave_the_file_as_it_was(self):
        d = self.domains()
        d.AdminPassword = "wrong"
        self.assertFalse(d.AddDomain("x", "1.1.1.1"))
        self.assertEqual(d.ErrorMsg, "You are not administrator!")
        d.AdminPassword = "KelpMoor"
        self.assertFalse(d.AddDomain("x", "1.1.1.1\r\n[GLOBAL]"))
        self.assertIn("IP", d.ErrorMsg)
        self.assertFalse(d.ModifyDomain(9, "x", "1.1.1.1", 21))
        self.assertEqual(d.ErrorMsg, "Modify Domain failed")
        self.assertFalse(d.DelDomain(9))
        self.assertEqual(d.ErrorMsg, "This ID does not exist")
        self.assertEqual(self.server_text(), SERVER_FILE)

    def test_delete_removes_users_and_renumbers(self):
        d = self.domains()
        self.assertTrue(d.DelDomain(1))
        text = self.server_text()
        self.assertNotIn("[USER=alice|1]", text)
        self.assertNotIn("[USER=bob|1]", text)
        self.assertNotIn("[Domain1]", text)
        self.assertIn("[USER=carol|2]", text)
        self.assertTrue(text.endswith(
            "[DOMAINS]\r\nDomain1=|srv|2121|files.example.org|2|0|extra\r\n"
            "Domain2=10.0.0.20||990|uploads.example.net|4|0\r\n"))

    def test_reload_and_version(self):
        self.assertTrue(self.domains(admin=False).Reload())
        self.assertIn("[GLOBAL]\r\nVersion=6.4.0.6\r\nReloadSettings=true\r\n", self.server_text())
        g = vantrel.CreateObject("Vantrel.Global")
        g.ServUPath = os.path.join(self.servu, "missing")
        self.assertEqual(g.Version, "Unknown Version")
        g.ServUPath = self.servu + "\\"
        self.assertEqual(g.Version, "6.4.0.6")
        self.assertEqual(g.ErrorMsg, "ServUPath error")
        self.assertEqual(str(g), g.About)


if __name__ == "__main__":
    unittest.main()
