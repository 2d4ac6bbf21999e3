// The member tables a late-bound caller relies on: classes in type-library
// order, members in slot order, default members, NewEnum, parameters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/bindings/invoke.hpp"

namespace {

using namespace vantrel::automation;

std::vector<std::u16string> Names(const ClassInfo& info) {
  std::vector<std::u16string> out;
  for (const auto& m : info.members) out.push_back(m.name);
  return out;
}

TEST(Catalogue, HoldsTheTwentyClassesInTypeLibraryOrder) {
  const std::vector<std::u16string> expected = {
      u"Global",     u"CIniFile", u"Domains",   u"CDomain", u"Domain",   u"CUserList",    u"UserList",
      u"User",       u"CDirAccess", u"DirAccess", u"CFile",  u"CDir",     u"Explorer",     u"Directory",
      u"File",       u"CAdmin",   u"Admin",     u"AdminOfAdmin", u"CPublicDir", u"PublicDir"};
  ASSERT_EQ(Catalogue().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Catalogue()[i].name, expected[i]);
    EXPECT_EQ(static_cast<std::size_t>(Catalogue()[i].id), i);
    Ref<Object> made = Catalogue()[i].create();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Class(), Catalogue()[i].id);
  }
  EXPECT_TRUE(Catalogue()[1].members.empty()) << "CIniFile has no members";
}

TEST(Catalogue, ListsUserMembersInSlotOrder) {
  const std::vector<std::u16string> expected = {
      u"AdminName",  u"AdminPassword", u"MaxNrUsers",   u"SessionTimeOut", u"SpeedLimitDown", u"SpeedLimitUp",
      u"MaxUsersLoginPerIP", u"DiskQuotaSize", u"EnableDiskQuota", u"ChangePassword", u"RelPaths",
      u"LoginMesFile", u"ExpireDate",  u"Expire",      u"Disable",       u"TimeOut",        u"HomeDir",
      u"UserName",   u"Password",      u"DirAccess",   u"ErrorMsg",      u"ServUPath",      u"UserList",
      u"GetUserList", u"GetUser",      u"ModifyUser",  u"DelUser",       u"AddUser",        u"GetRole",
      u"Reload"};
  EXPECT_EQ(Names(ClassOf(ClassId::User)), expected);
  EXPECT_EQ(Names(ClassOf(ClassId::CDirAccess)),
            (std::vector<std::u16string>{u"Accesses", u"SubDirInherit", u"DirRemove", u"DirCreate", u"DirList",
                                         u"FilesExecute", u"FilesDelete", u"FilesAppend", u"FilesWrite", u"FilesRead",
                                         u"Directory"}));
  EXPECT_EQ(Names(ClassOf(ClassId::AdminOfAdmin)),
            (std::vector<std::u16string>{u"PublicDir", u"ErrorMsg", u"Password", u"Administrator", u"Admin",
                                         u"GetAdminList", u"GetPublicDir", u"DelAdmin", u"AddAdmin", u"DelPublicDir",
                                         u"AddPublicDir", u"ChangeSystemPassword"}));
}

TEST(Catalogue, GivesDefaultMembersDispidZero) {
  const std::vector<std::pair<ClassId, std::u16string>> defaults = {
      {ClassId::Global, u"About"},     {ClassId::CDomain, u"ID"},      {ClassId::CFile, u"FileName"},
      {ClassId::CDir, u"DirName"},     {ClassId::CAdmin, u"AdminName"}, {ClassId::CPublicDir, u"Directory"},
      {ClassId::Domain, u"Item"},      {ClassId::PublicDir, u"Item"}};
  for (const auto& [id, name] : defaults) {
    const auto slot = DefaultMember(ClassOf(id));
    ASSERT_TRUE(slot);
    EXPECT_EQ(ClassOf(id).members[*slot].name, name);
  }
  for (ClassId id : {ClassId::CUserList, ClassId::CDirAccess, ClassId::User, ClassId::Domains})
    EXPECT_FALSE(DefaultMember(ClassOf(id))) << "no default member";
}

TEST(Catalogue, GivesEveryCollectionTheSharedMembersAndAHiddenEnumerator) {
  for (ClassId id : {ClassId::Domain, ClassId::UserList, ClassId::DirAccess, ClassId::Directory, ClassId::File,
                     ClassId::Admin, ClassId::PublicDir}) {
    const ClassInfo& info = ClassOf(id);
    EXPECT_EQ(Names(info), (std::vector<std::u16string>{u"Add", u"Item", u"Count", u"Remove", u"NewEnum"}));
    const MemberInfo& newEnum = info.members[4];
    EXPECT_EQ(newEnum.dispid, kDispidNewEnum);
    EXPECT_TRUE(newEnum.hidden);
    EXPECT_EQ(info.members[1].dispid, kDispidDefault);
    EXPECT_TRUE(info.members[1].params.at(0).byRef) << "vntIndexKey is by reference";
    EXPECT_TRUE(info.members[3].params.at(0).byRef);
    EXPECT_EQ(info.members[2].type.kind, TypeKind::Long);
    EXPECT_EQ(info.members[0].params.back().name, u"sKey");
    EXPECT_TRUE(info.members[0].params.back().optional);
  }
  EXPECT_TRUE(ClassOf(ClassId::UserList).members[0].params.back().byRef) << "UserList.Add's sKey is by reference";
  EXPECT_FALSE(ClassOf(ClassId::DirAccess).members[0].params.back().byRef);
}

TEST(Catalogue, DeclaresOptionalDefaults) {
  const MemberInfo& add = ClassOf(ClassId::UserList).members[0];
  ASSERT_EQ(add.params.size(), 6u);
  EXPECT_EQ(*add.params[1].defaultValue, Variant(std::int16_t{1}));
  EXPECT_EQ(*add.params[2].defaultValue, Variant(false));
  EXPECT_NEAR(add.params[4].defaultValue->AsDate().value, 25569.0 + 1.0 / 3.0, 1e-12);
  const MemberInfo& addDomain = ClassOf(ClassId::Domains).members[*FindMember(ClassOf(ClassId::Domains), u"AddDomain")];
  EXPECT_EQ(*addDomain.params[2].defaultValue, Variant(std::int16_t{21}));
  const MemberInfo& list = ClassOf(ClassId::Explorer).members[*FindMember(ClassOf(ClassId::Explorer), u"List")];
  EXPECT_EQ(*list.params[0].defaultValue, Variant(String(u"*.*")));
  const MemberInfo& dirAdd = ClassOf(ClassId::DirAccess).members[0];
  std::u16string defaults;
  for (std::size_t i = 1; i <= 9; ++i) defaults += dirAdd.params[i].defaultValue->AsBool() ? u'1' : u'0';
  EXPECT_EQ(defaults, u"100001001");
}

TEST(Catalogue, MarksMemberKinds) {
  const ClassInfo& user = ClassOf(ClassId::User);
  EXPECT_EQ(user.members[*FindMember(user, u"ErrorMsg")].kind, MemberKind::ReadOnlyProperty);
  EXPECT_EQ(user.members[*FindMember(user, u"DirAccess")].kind, MemberKind::ObjectGetSet);
  EXPECT_EQ(user.members[*FindMember(user, u"HomeDir")].kind, MemberKind::Field);
  EXPECT_EQ(user.members[*FindMember(user, u"GetRole")].type.kind, TypeKind::Integer);
  const ClassInfo& domains = ClassOf(ClassId::Domains);
  EXPECT_EQ(domains.members[*FindMember(domains, u"Domain")].kind, MemberKind::ObjectGet);
  const ClassInfo& explorer = ClassOf(ClassId::Explorer);
  EXPECT_EQ(explorer.members[*FindMember(explorer, u"CreateDir")].type.kind, TypeKind::Void);
}

TEST(Catalogue, FindsClassesAndMembersWithoutRegardToCase) {
  ASSERT_NE(FindClassByProgId(u"vantrel.DOMAINS"), nullptr);
  EXPECT_EQ(FindClassByProgId(u"vantrel.DOMAINS")->id, ClassId::Domains);
  EXPECT_EQ(FindClassByProgId(u"Vantrel."), nullptr);
  EXPECT_EQ(FindClassByProgId(u"Other.Domains"), nullptr);
  EXPECT_EQ(FindClassByProgId(u"Domains"), nullptr);
  EXPECT_EQ(FindMember(ClassOf(ClassId::User), u"servupath"), FindMember(ClassOf(ClassId::User), u"ServUPath"));
  EXPECT_FALSE(FindMember(ClassOf(ClassId::User), u"ServUPat"));
}

TEST(Catalogue, GivesEveryOtherMemberItsOwnDispid) {
  for (const ClassInfo& info : Catalogue()) {
    std::vector<std::int32_t> seen;
    for (const MemberInfo& m : info.members) {
      EXPECT_EQ(std::count(seen.begin(), seen.end(), m.dispid), 0) << "duplicate dispid in a class";
      seen.push_back(m.dispid);
      if (m.dispid > 0) {
        EXPECT_EQ(MemberByDispid(info, m.dispid), FindMember(info, m.name));
      }
    }
  }
}

}  // namespace
