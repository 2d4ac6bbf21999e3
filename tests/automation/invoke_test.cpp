// The generic slot invoke: accessor kinds, argument checks and coercion,
// optional defaults, object arguments and results.
#include "automation/bindings/invoke.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "classes/collections.hpp"
#include "classes/user.hpp"
#include "model/names.hpp"
#include "error_of.hpp"

namespace {

using namespace vantrel::automation;
using test_support::ErrorOf;
namespace n = vantrel::model::AnyClass;

std::size_t Slot(ClassId id, std::u16string_view name) { return *FindMember(ClassOf(id), name); }

Ref<Object> Make(ClassId id) { return ClassOf(id).create(); }

Variant Get(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return Invoke(o, Slot(o.Class(), name), InvokeKind::PropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  Invoke(o, Slot(o.Class(), name), InvokeKind::PropertyPut, args);
}

TEST(Invoke, LetsAndGetsFieldsCoercedToTheirType) {
  auto user = Make(ClassId::User);
  Let(*user, n::MaxNrUsers, String(u" &H10 "));
  EXPECT_EQ(Get(*user, n::MaxNrUsers), Variant(std::int16_t{16}));
  Let(*user, n::SessionTimeOut, 2.5);
  EXPECT_EQ(Get(*user, n::SessionTimeOut), Variant(std::int32_t{2}));
  Let(*user, n::Disable, String(u"True"));
  EXPECT_EQ(Get(*user, n::Disable), Variant(true));
  Let(*user, n::HomeDir, std::int16_t{12});
  EXPECT_EQ(Get(*user, n::HomeDir), Variant(String(u"12")));
  Let(*user, n::ExpireDate, String(u"2004-01-01 08:00:00"));
  EXPECT_EQ(Get(*user, n::ExpireDate).Type(), VarType::Date);
}

TEST(Invoke, RefusesABadValueBeforeTheMemberRuns) {
  auto user = Make(ClassId::User);
  Let(*user, n::TimeOut, std::int16_t{5});
  EXPECT_EQ(ErrorOf([&] { Let(*user, n::TimeOut, String(u"five")); }), kTypeMismatch);
  EXPECT_EQ(ErrorOf([&] { Let(*user, n::TimeOut, std::int32_t{40000}); }), kOverflow);
  EXPECT_EQ(Get(*user, n::TimeOut), Variant(std::int16_t{5})) << "the failed Let stored nothing";
}

TEST(Invoke, AllowsOnlyTheAccessorsAMemberHas) {
  auto user = Make(ClassId::User);
  EXPECT_EQ(ErrorOf([&] { Let(*user, n::ErrorMsg, String(u"x")); }), kMemberNotFound);
  std::vector<Variant> one{Variant::Nothing()};
  EXPECT_EQ(ErrorOf([&] { Invoke(*user, Slot(ClassId::User, n::HomeDir), InvokeKind::PropertyPutRef, one); }),
            kMemberNotFound);
  EXPECT_EQ(ErrorOf([&] { Let(*user, n::DirAccess, Variant::Nothing()); }), kMemberNotFound);
  auto domains = Make(ClassId::Domains);
  EXPECT_EQ(ErrorOf([&] { Invoke(*domains, Slot(ClassId::Domains, n::Domain), InvokeKind::PropertyPutRef, one); }),
            kMemberNotFound)
      << "Domains.Domain has no Set";
  EXPECT_EQ(ErrorOf([&] { Invoke(*user, 999, InvokeKind::PropertyGet, {}); }), kMemberNotFound);
}

TEST(Invoke, ChecksTheArgumentCount) {
  auto dirs = Make(ClassId::DirAccess);
  EXPECT_EQ(ErrorOf([&] { Get(*dirs, n::Add); }), kArgumentNotOptional);
  std::vector<Variant> tooMany(12, Variant(String(u"x")));
  EXPECT_EQ(ErrorOf([&] { Invoke(*dirs, 0, InvokeKind::Method, tooMany); }), kWrongArgumentCount);
  EXPECT_EQ(ErrorOf([&] { Get(*dirs, n::Count, {Variant(std::int16_t{1})}); }), kWrongArgumentCount);
  EXPECT_EQ(Get(*dirs, n::Count), Variant(std::int32_t{0})) << "no failed call added anything";
}

TEST(Invoke, FillsOmittedOptionalsWithTheirDefaults) {
  auto dirs = Make(ClassId::DirAccess);
  // Directory given, FilesWrite given, the rest Missing or left off.
  std::vector<Variant> args{Variant(String(u"D:\\ftp")), Variant::Missing(), Variant(String(u"True"))};
  Variant rule = Invoke(*dirs, 0, InvokeKind::Method, args);
  EXPECT_EQ(Get(*rule.AsObject(), n::Accesses), Variant(String(u"D:\\ftp|RWLP")));
  auto rows = Make(ClassId::UserList);
  std::vector<Variant> name{Variant(String(u"alice"))};
  Variant row = Invoke(*rows, 0, InvokeKind::Method, name);
  EXPECT_EQ(Get(*row.AsObject(), n::DomainID), Variant(std::int16_t{1}));
  EXPECT_NEAR(Get(*row.AsObject(), n::ExpireDate).AsDate().value, 25569.0 + 1.0 / 3.0, 1e-9);
  EXPECT_EQ(ErrorOf([&] { Get(*rows, n::Item, {Variant(String(u""))}); }), kInvalidArgument)
      << "an omitted sKey adds no key, not the empty key";
}

TEST(Invoke, RequiresObjectsOfTheDeclaredClassForSet) {
  auto user = Make(ClassId::User);
  const std::size_t slot = Slot(ClassId::User, n::DirAccess);
  std::vector<Variant> wrongClass{Variant(Make(ClassId::UserList))};
  EXPECT_EQ(ErrorOf([&] { Invoke(*user, slot, InvokeKind::PropertyPutRef, wrongClass); }), kTypeMismatch);
  std::vector<Variant> notAnObject{Variant(String(u"x"))};
  EXPECT_EQ(ErrorOf([&] { Invoke(*user, slot, InvokeKind::PropertyPutRef, notAnObject); }), kObjectRequired);
  auto mine = Make(ClassId::DirAccess);
  std::vector<Variant> right{Variant(mine)};
  Invoke(*user, slot, InvokeKind::PropertyPutRef, right);
  EXPECT_EQ(Get(*user, n::DirAccess).AsObject(), mine);
}

TEST(Invoke, TakesTheDefaultValueOfAnObjectPassedForAScalar) {
  auto domain = Make(ClassId::CDomain);
  Let(*domain, n::ID, std::int16_t{7});
  auto rows = Make(ClassId::UserList);
  std::vector<Variant> args{Variant(String(u"bob")), Variant(domain)};
  Variant row = Invoke(*rows, 0, InvokeKind::Method, args);
  EXPECT_EQ(Get(*row.AsObject(), n::DomainID), Variant(std::int16_t{7}));
  auto noDefault = Make(ClassId::CUserList);
  std::vector<Variant> bad{Variant(String(u"bob")), Variant(noDefault)};
  EXPECT_EQ(ErrorOf([&] { Invoke(*rows, 0, InvokeKind::Method, bad); }), kTypeMismatch);
}

TEST(Invoke, PassesVariantParametersUnchanged) {
  auto domains = Make(ClassId::Domain);
  std::vector<Variant> add{Variant(std::int16_t{1}), Variant(String(u"")), Variant(String(u"a")),
                           Variant(std::int16_t{21}), Variant(String(u"1"))};
  Invoke(*domains, 0, InvokeKind::Method, add);
  std::vector<Variant> add2{Variant(std::int16_t{2}), Variant(String(u"")), Variant(String(u"b")),
                            Variant(std::int16_t{21}), Variant(String(u"x"))};
  Invoke(*domains, 0, InvokeKind::Method, add2);
  // A String index is a key even when it holds digits, so "2" is not position 2.
  EXPECT_EQ(ErrorOf([&] { Get(*domains, n::Item, {Variant(String(u"2"))}); }), kInvalidArgument);
  EXPECT_EQ(Get(*Get(*domains, n::Item, {Variant(std::int16_t{2})}).AsObject(), n::HostName), Variant(String(u"b")));
}

TEST(Invoke, RunsRuledSetters) {
  auto domain = Make(ClassId::CDomain);
  Let(*domain, n::IP, String(u""));
  EXPECT_EQ(Get(*domain, n::IP), Variant(String(u"127.0.0.1")));
  auto user = Make(ClassId::User);
  Let(*user, n::Password, String(u"secret"));
  EXPECT_EQ(Get(*user, n::Password), Variant(String(u"Encrypted")));
}

}  // namespace
