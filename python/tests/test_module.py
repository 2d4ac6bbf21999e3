"""The Python module as a script uses it: objects, members, collections,
values, errors, and the library and root it finds."""

import datetime
import os
import subprocess
import sys
import unittest

import vantrel


class CreationAndMembers(unittest.TestCase):
    def test_creates_by_prog_id_in_any_letter_case(self):
        self.assertEqual(vantrel.CreateObject("vantrel.USER").class_name(), "User")
        with self.assertRaises(vantrel.AutomationError) as caught:
            vantrel.CreateObject("Vantrel.NoSuchClass")
        self.assertEqual(caught.exception.number, 429)

    def test_matches_attribute_names_without_regard_to_case(self):
        user = vantrel.CreateObject("Vantrel.User")
        user.homedir = r"D:\ftp\bob"
        self.assertEqual(user.HOMEDIR, r"D:\ftp\bob")
        self.assertEqual(user.HomeDir, r"D:\ftp\bob")

    def test_unknown_members_raise_error_438_that_is_also_an_attribute_error(self):
        user = vantrel.CreateObject("Vantrel.User")
        with self.assertRaises(vantrel.AutomationError) as caught:
            user.NoSuchThing
        self.assertEqual(caught.exception.number, 438)
        self.assertFalse(hasattr(user, "NoSuchThing"))

    def test_str_gives_the_default_string_member(self):
        g = vantrel.CreateObject("Vantrel.Global")
        self.assertTrue(str(g).startswith("Vantrel|Version:1.0.0.0|"))
        self.assertEqual(str(g), g.About)
        d = vantrel.CreateObject("Vantrel.CDomain")
        d.ID = 7
        self.assertEqual(str(d), "7")

    def test_dir_lists_the_visible_members(self):
        names = dir(vantrel.CreateObject("Vantrel.Domain"))
        self.assertEqual(sorted(names), ["Add", "Count", "Item", "Remove"])  # NewEnum is hidden


class Collections(unittest.TestCase):
    def setUp(self):
        self.domains = vantrel.CreateObject("Vantrel.Domains")
        listing = self.domains.Domain
        listing.Add(1, "10.0.0.1", "one.example", 21, "7")
        listing.Add(7, "", "seven.example", 2121, "1")

    def test_item_by_number_is_a_position_and_by_string_a_key(self):
        self.assertEqual(self.domains.Domain(1).HostName, "one.example")
        self.assertEqual(self.domains.Domain.Item("1").HostName, "seven.example")
        self.assertEqual(self.domains.Domain("1").ID, 7)
        self.assertEqual(self.domains.Domain.Count, 2)
        self.assertEqual(len(self.domains.Domain), 2)

    def test_for_in_visits_items_in_adding_order(self):
        self.assertEqual([d.HostName for d in self.domains.Domain], ["one.example", "seven.example"])

    def test_records_are_shared(self):
        self.domains.Domain(2).HostName = "changed"
        self.assertEqual(self.domains.Domain.Item("1").HostName, "changed")
        self.assertEqual(self.domains.Domain(2), self.domains.Domain.Item("1"))

    def test_collection_errors_carry_number_and_description(self):
        cases = [(lambda: self.domains.Domain("nope"), 5), (lambda: self.domains.Domain(3), 9),
                 (lambda: self.domains.Domain.Add(2, "", "x", 21, "7"), 457)]
        for call, number in cases:
            with self.assertRaises(vantrel.AutomationError) as caught:
                call()
            self.assertEqual(caught.exception.number, number)
            self.assertTrue(caught.exception.description)
        self.assertEqual(self.domains.Domain.Count, 2)


class Values(unittest.TestCase):
    def test_scalars_cross_as_python_types(self):
        user = vantrel.CreateObject("Vantrel.User")
        user.MaxNrUsers = "12"
        user.SpeedLimitUp = 3.5
        user.Disable = "True"
        self.assertIs(type(user.MaxNrUsers), int)
        self.assertEqual(user.MaxNrUsers, 12)
        self.assertEqual(user.SpeedLimitUp, 4)
        self.assertIs(user.Disable, True)
        self.assertEqual(user.UserName, "")

    def test_dates_cross_as_naive_datetimes_and_floats_are_accepted(self):
        user = vantrel.CreateObject("Vantrel.User")
        user.ExpireDate = datetime.datetime(2004, 1, 1, 8, 0, 0)
        self.assertEqual(user.ExpireDate, datetime.datetime(2004, 1, 1, 8, 0, 0))
        user.ExpireDate = 25569.5
        self.assertEqual(user.ExpireDate, datetime.datetime(1970, 1, 1, 12, 0, 0))
        user.ExpireDate = datetime.datetime(1899, 12, 29, 6, 0)
        self.assertEqual(user.ExpireDate, datetime.datetime(1899, 12, 29, 6, 0))
        row = user.UserList.Add("alice")
        self.assertEqual(row.ExpireDate, datetime.datetime(1970, 1, 1, 8, 0, 0))

    def test_non_ascii_text_round_trips(self):
        user = vantrel.CreateObject("Vantrel.User")
        user.UserName = "J\u00fcrgen \u65e5\u672c \U0001F600"
        self.assertEqual(user.username, "J\u00fcrgen \u65e5\u672c \U0001F600")

    def test_bad_values_raise_13_and_6(self):
        user = vantrel.CreateObject("Vantrel.User")
        for value, number in (("many", 13), (40000, 6), (2 ** 40, 6)):
            with self.assertRaises(vantrel.AutomationError) as caught:
                user.TimeOut = value
            self.assertEqual(caught.exception.number, number)


class ObjectProperties(unittest.TestCase):
    def test_assigning_an_object_is_a_set_and_none_clears(self):
        user = vantrel.CreateObject("Vantrel.User")
        rules = vantrel.CreateObject("Vantrel.DirAccess")
        rules.Add(r"D:\pub")
        user.DirAccess = rules
        self.assertEqual(user.DirAccess, rules)
        self.assertEqual(user.DirAccess(1).Accesses, r"D:\pub|RLP")
        user.DirAccess = None
        fresh = user.DirAccess
        self.assertNotEqual(fresh, rules)
        self.assertEqual(fresh.Count, 0)
        self.assertEqual(rules.Count, 1)

    def test_optional_arguments_may_be_left_out_or_marked_missing(self):
        rules = vantrel.CreateObject("Vantrel.DirAccess")
        self.assertEqual(rules.Add("a").Accesses, "a|RLP")
        self.assertEqual(rules.Add("b", vantrel.Missing, True).Accesses, "b|RWLP")
        with self.assertRaises(vantrel.AutomationError) as caught:
            rules.Add()
        self.assertEqual(caught.exception.number, 449)


class Library(unittest.TestCase):
    def test_uses_the_library_named_by_vantrel_library(self):
        self.assertEqual(vantrel.library_path(), os.environ["VANTREL_LIBRARY"])

    def test_finds_the_library_in_the_build_tree_without_the_variable(self):
        env = dict(os.environ)
        del env["VANTREL_LIBRARY"]
        # Ask a fresh interpreter where it would load from; the build tree may
        # lie anywhere, so only check the shape of the answer.
        out = subprocess.run([sys.executable, "-c", "import vantrel; print(vantrel.library_path())"],
                             env=env, capture_output=True, text=True, check=True).stdout.strip()
        self.assertTrue(out.endswith("libvantrel.so"), out)


if __name__ == "__main__":
    unittest.main()
