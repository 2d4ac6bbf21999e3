// The catalogue joins the member tables generated from Vantrel.idl with the
// C++ classes: every class makes its own objects and is found by name.
#include <gtest/gtest.h>

#include "automation/bindings/invoke.hpp"
#include "model/names.hpp"

namespace {

using namespace vantrel::automation;

TEST(Catalogue, EveryClassIsItsOwnIndexAndMakesItsOwnObjects) {
  for (std::size_t i = 0; i < Catalogue().size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(Catalogue()[i].id), i);
    Ref<Object> made = Catalogue()[i].create();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Class(), Catalogue()[i].id);
  }
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

TEST(Catalogue, FindsMembersByDispid) {
  namespace n = vantrel::model::UserList;
  const ClassInfo& users = ClassOf(ClassId::UserList);
  EXPECT_EQ(DefaultMember(users), FindMember(users, n::Item));
  EXPECT_EQ(MemberByDispid(users, kDispidNewEnum), FindMember(users, n::NewEnum));
  EXPECT_EQ(MemberByDispid(users, 3), FindMember(users, n::Count));
  EXPECT_FALSE(DefaultMember(ClassOf(ClassId::User)));
}

}  // namespace
