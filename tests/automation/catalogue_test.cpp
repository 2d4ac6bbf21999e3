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

// The names and slot order themselves are checked against the type library
// on Windows; here, that every entry makes an object of its own class.
TEST(Catalogue, EveryClassIsItsOwnIndexAndMakesItsOwnObjects) {
  for (std::size_t i = 0; i < Catalogue().size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(Catalogue()[i].id), i);
    Ref<Object> made = Catalogue()[i].create();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Class(), Catalogue()[i].id);
  }
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
