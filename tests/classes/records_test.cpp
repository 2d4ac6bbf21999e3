// Record classes: the two members with rules of their own (CDomain.IP and the
// composed Accesses of a directory rule); every other member is a plain field.
#include <gtest/gtest.h>

#include "classes/collections.hpp"

namespace {

using namespace vantrel::classes;
using vantrel::automation::MakeRef;

TEST(CDomainIP, StoresTheLocalHostForTheEmptyAddress) {
  CDomain d;
  EXPECT_EQ(d.IP(), u"") << "only a Let applies the local-host rule";
  d.SetIP(u"");
  EXPECT_EQ(d.IP(), u"127.0.0.1");
  d.SetIP(u" 10.0.0.1 ");
  EXPECT_EQ(d.IP(), u" 10.0.0.1 ") << "any other value is kept unchanged";
  auto list = MakeRef<Domain>();
  EXPECT_EQ(list->Add(3, u"", u"h", 21)->IP(), u"127.0.0.1") << "Add goes through the rule";
}

TEST(DirAccessAdd, ComposesAccessesFromTheRights) {
  auto rules = MakeRef<DirAccess>();
  auto defaults = rules->Add(u"D:\\ftp");
  EXPECT_EQ(defaults->Accesses, u"D:\\ftp|RLP");
  EXPECT_TRUE(defaults->FilesRead && defaults->DirList && defaults->SubDirInherit && !defaults->FilesWrite);
  auto none = rules->Add(u"D:\\none", false, false, false, false, false, false, false, false, false);
  EXPECT_EQ(none->Accesses, u"D:\\none|");
  auto all = rules->Add(u"D:\\all", true, true, true, true, true, true, true, true, true);
  EXPECT_EQ(all->Accesses, u"D:\\all|RWAMELCDP");
  auto some = rules->Add(u"x", false, true, false, true, false, false, true, false, false);
  EXPECT_EQ(some->Accesses, u"x|WMC");
}

TEST(DirAccessAdd, LeavesAccessesAloneWhenRightsChangeLater) {
  auto rules = MakeRef<DirAccess>();
  auto rule = rules->Add(u"D:\\in");
  rule->FilesDelete = true;
  rule->Directory = u"D:\\elsewhere";
  EXPECT_EQ(rule->Accesses, u"D:\\in|RLP");
  EXPECT_EQ(ComposeAccesses(*rule), u"D:\\elsewhere|RMLP");
}

TEST(UserListAdd, StoresEveryArgument) {
  auto rows = MakeRef<UserList>();
  auto row = rows->Add(u"bob", 3, true, true, vantrel::automation::Date{38000.25}, u"bob");
  EXPECT_EQ(row->UserName, u"bob");
  EXPECT_EQ(row->DomainID, 3);
  EXPECT_TRUE(row->Disable);
  EXPECT_TRUE(row->Expire);
  EXPECT_EQ(row->ExpireDate.value, 38000.25);
  EXPECT_NEAR(rows->Add(u"ann")->ExpireDate.value, 25569.0 + 1.0 / 3.0, 1e-12) << "default: the expiry epoch";
}

}  // namespace
