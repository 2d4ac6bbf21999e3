// Late-bound scenarios through the POSIX runtime, as a page would write them.
#include "automation/runtime/runtime.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "automation/enumerator.hpp"
#include "model/names.hpp"
#include "error_of.hpp"

namespace {

namespace n = vantrel::model::AnyClass;

using namespace vantrel::automation;
using test_support::ErrorOf;
using namespace vantrel::automation::runtime;

Variant Get(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}

TEST(Runtime, CreatesEveryClassByProgIdInAnyLetterCase) {
  for (const ClassInfo& info : Catalogue()) {
    Ref<Object> o = CreateObject(u"Vantrel." + info.name);
    EXPECT_EQ(o->Class(), info.id);
  }
  EXPECT_EQ(CreateObject(u"VANTREL.useR")->Class(), ClassId::User);
  EXPECT_EQ(ErrorOf([] { CreateObject(u"Vantrel.Nothing"); }), kCannotCreateObject);
  EXPECT_EQ(ErrorOf([] { CreateObject(u"Scripting.Dictionary"); }), kCannotCreateObject);
}

TEST(Runtime, DispatchesByNameWithoutRegardToCase) {
  auto user = CreateObject(u"Vantrel.User");
  Let(*user, u"homedir", String(u"D:\\ftp\\bob"));
  EXPECT_EQ(Get(*user, u"HOMEDIR"), Variant(String(u"D:\\ftp\\bob")));
  EXPECT_EQ(ErrorOf([&] { Get(*user, u"HomeDirectory"); }), kMemberNotFound);
}

TEST(Runtime, CallsTheDefaultMemberForTheEmptyName) {
  auto global = CreateObject(u"Vantrel.Global");
  EXPECT_EQ(Get(*global, u""), Get(*global, n::About));
  auto rule = CreateObject(u"Vantrel.CDirAccess");
  EXPECT_EQ(ErrorOf([&] { Get(*rule, u""); }), kMemberNotFound) << "CDirAccess has no default member";
}

TEST(Runtime, AppliesArgumentsOfAPropertyToItsValuesDefaultMember) {
  auto domains = CreateObject(u"Vantrel.Domains");
  Variant list = Get(*domains, n::Domain);
  Get(*list.AsObject(), n::Add, {std::int16_t{1}, String(u"10.0.0.1"), String(u"one"), std::int16_t{21}, String(u"7")});
  Get(*list.AsObject(), n::Add,
      {std::int16_t{7}, String(u"10.0.0.7"), String(u"seven"), std::int16_t{21}, String(u"1")});
  // d.Domain(1) is the first line; d.Domain("1") the domain filed under key "1".
  EXPECT_EQ(Get(*Get(*domains, n::Domain, {std::int16_t{1}}).AsObject(), n::HostName), Variant(String(u"one")));
  EXPECT_EQ(Get(*Get(*domains, n::Domain, {String(u"1")}).AsObject(), n::HostName), Variant(String(u"seven")));
  EXPECT_EQ(Get(*domains, n::Domain, {std::int16_t{1}}).AsObject(),
            Get(*Get(*domains, n::Domain).AsObject(), n::Item, {String(u"7")}).AsObject())
      << "the record itself, not a copy";
}

TEST(Runtime, EnumeratesInAddingOrderWithNextSkipResetClone) {
  auto list = CreateObject(u"Vantrel.Admin");
  for (const char16_t* name : {u"ann", u"ben", u"cy"})
    Get(*list, n::Add, {String(name), String(u"pw"), std::int16_t{1}, String(u"D:\\"), String(name)});
  Variant e = Get(*list, n::NewEnum);
  auto& enumerator = static_cast<Enumerator&>(*e.AsObject());
  Variant item;
  ASSERT_EQ(enumerator.Next(1, &item), 1u);
  EXPECT_EQ(Get(*item.AsObject(), u""), Variant(String(u"ann")));
  Ref<Enumerator> copy = enumerator.Clone();
  EXPECT_TRUE(enumerator.Skip(1));
  ASSERT_EQ(enumerator.Next(1, &item), 1u);
  EXPECT_EQ(Get(*item.AsObject(), n::AdminName), Variant(String(u"cy")));
  EXPECT_FALSE(enumerator.Skip(1));
  EXPECT_EQ(enumerator.Next(1, &item), 0u);
  ASSERT_EQ(copy->Next(1, &item), 1u);
  EXPECT_EQ(Get(*item.AsObject(), n::AdminName), Variant(String(u"ben"))) << "the clone kept its own position";
  enumerator.Reset();
  ASSERT_EQ(enumerator.Next(1, &item), 1u);
  EXPECT_EQ(Get(*item.AsObject(), n::AdminName), Variant(String(u"ann")));
  // Removing from the collection does not disturb a running enumeration.
  Get(*list, n::Remove, {std::int16_t{1}});
  ASSERT_EQ(copy->Next(1, &item), 1u);
  EXPECT_EQ(Get(*item.AsObject(), n::AdminName), Variant(String(u"cy")));
}

TEST(Runtime, KeepsObjectsAliveWhileReferenced) {
  Ref<Object> rule;
  {
    auto user = CreateObject(u"Vantrel.User");
    Variant rules = Get(*user, n::DirAccess);
    rule = Get(*rules.AsObject(), n::Add, {String(u"D:\\x")}).AsObject();
    EXPECT_EQ(rule->RefCount(), 2) << "held by the collection and by the caller";
  }
  EXPECT_EQ(rule->RefCount(), 1) << "the released owner let go of its collection and items";
  EXPECT_EQ(Get(*rule, n::Directory), Variant(String(u"D:\\x")));
}

}  // namespace
