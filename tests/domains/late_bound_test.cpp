// Domains and Global as a page drives them: created by ProgID, arguments as
// text coerced to the declared types, results read through default members.
#include <gtest/gtest.h>

#include <vector>

#include "automation/runtime/runtime.hpp"
#include "model/names.hpp"
#include "server_folder.hpp"

namespace vantrel::testing {
namespace {

namespace n = vantrel::model::AnyClass;

using namespace automation;
using namespace automation::runtime;

Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}
int ErrorNumberOf(Object& o, std::u16string_view name, std::vector<Variant> args) {
  try {
    Call(o, name, std::move(args));
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

TEST(LateBoundDomains, ListsAddsAndChangesWithTextArguments) {
  ServerFolder folder;
  folder.WriteSettings();
  folder.WriteServerFile(DomainsSection({"Domain1=10.0.0.1||21|one|2|0", "Domain2=||2121|two|1|0"}));
  Ref<Object> domains = CreateObject(u"Vantrel.Domains");
  Let(*domains, n::ServUPath, folder.ServUPath());
  ASSERT_TRUE(Call(*domains, n::GetDomain).AsBool());
  Ref<Object> list = Call(*domains, n::Domain).AsObject();
  EXPECT_EQ(Call(*Call(*list, n::Item, {Variant(u"1")}).AsObject(), n::HostName).AsString(), u"two");
  EXPECT_EQ(Call(*Call(*list, u"", {Variant(std::int32_t{1})}).AsObject(), u"").AsI2(), 2);  // default members

  Let(*domains, n::AdminName, u"vantrel");
  Let(*domains, n::AdminPassword, u"KelpMoor");
  const std::string before = folder.ReadServerFile();
  EXPECT_EQ(ErrorNumberOf(*domains, n::AddDomain, {Variant(u"x"), Variant(u"1.1.1.1"), Variant(u"40000")}), kOverflow);
  EXPECT_EQ(ErrorNumberOf(*domains, n::DelDomain, {Variant(u"one")}), kTypeMismatch);
  EXPECT_EQ(folder.ReadServerFile(), before);

  ASSERT_TRUE(Call(*domains, n::AddDomain, {Variant(u"three"), Variant(u"10.0.0.3")}).AsBool());
  ASSERT_TRUE(
      Call(*domains, n::ModifyDomain, {Variant(u" 1 "), Variant(u"two"), Variant(u""), Variant(u"&H50")}).AsBool());
  const std::string file = folder.ReadServerFile();
  EXPECT_NE(file.find("Domain3=10.0.0.3||21|three|3|0"), std::string::npos);
  EXPECT_NE(file.find("Domain2=||80|two|1|0"), std::string::npos);
}

TEST(LateBoundGlobal, DefaultMemberIsAboutAndVersionReadsTheFile) {
  ServerFolder folder;
  folder.WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.6\r\n");
  Ref<Object> global = CreateObject(u"Vantrel.Global");
  EXPECT_EQ(Call(*global, u"").AsString(), Call(*global, n::About).AsString());
  EXPECT_EQ(Call(*global, n::Version).AsString(), u"Unknown Version");
  Let(*global, n::ServUPath, folder.ServUPath());
  EXPECT_EQ(Call(*global, n::Version).AsString(), u"6.4.0.6");
  EXPECT_EQ(Call(*global, n::ErrorMsg).AsString(), u"ServUPath error");
}

}  // namespace
}  // namespace vantrel::testing
