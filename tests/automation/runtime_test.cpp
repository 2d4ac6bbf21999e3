// The POSIX runtime's enumerators and object lifetimes (creation, dispatch by
// name and default members are the golden cases' objects/late_bound.case).
#include "automation/runtime/runtime.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "automation/enumerator.hpp"
#include "model/names.hpp"

namespace {

namespace n = vantrel::model::AnyClass;

using namespace vantrel::automation;
using namespace vantrel::automation::runtime;

Variant Get(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
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
