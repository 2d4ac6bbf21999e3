// Domains and Global as a page drives them: created by ProgID, arguments as
// text coerced to the declared types, results read through default members.
#include <gtest/gtest.h>

#include <vector>

#include "automation/runtime/runtime.hpp"
#include "server_folder.hpp"

namespace vantrel::testing {
namespace {

using namespace automation;
using namespace automation::runtime;

Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}

class LateBoundDomains : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteSettings();
    folder_.WriteServerFile(DomainsSection({"Domain1=10.0.0.1||21|one|2|0", "Domain2=||2121|two|1|0"}));
    Let(*domains_, u"ServUPath", folder_.ServUPath());
    Let(*domains_, u"AdminName", u"vantrel");
    Let(*domains_, u"AdminPassword", u"KelpMoor");
  }
  int ErrorNumberOf(std::u16string_view name, std::vector<Variant> args) {
    try {
      Call(*domains_, name, std::move(args));
    } catch (const AutomationError& e) {
      return e.Number();
    }
    return 0;
  }
  ServerFolder folder_;
  Ref<Object> domains_ = CreateObject(u"Vantrel.Domains");
};

TEST_F(LateBoundDomains, ItemByTextIsTheIdAndByNumberThePosition) {
  ASSERT_TRUE(Call(*domains_, u"GetDomain").AsBool());
  Ref<Object> list = Call(*domains_, u"Domain").AsObject();
  EXPECT_EQ(Call(*list, u"Count").AsI4(), 2);
  Ref<Object> byKey = Call(*list, u"Item", {Variant(u"1")}).AsObject();
  Ref<Object> byPosition = Call(*list, u"", {Variant(std::int32_t{1})}).AsObject();  // default member
  EXPECT_EQ(Call(*byKey, u"HostName").AsString(), u"two");
  EXPECT_EQ(Call(*byKey, u"IP").AsString(), u"127.0.0.1");
  EXPECT_EQ(Call(*byPosition, u"").AsI2(), 2);  // CDomain's default member is ID
}

TEST_F(LateBoundDomains, PortLeftOutIs21AndTextArgumentsAreCoerced) {
  ASSERT_TRUE(Call(*domains_, u"AddDomain", {Variant(u"three"), Variant(u"10.0.0.3")}).AsBool());
  ASSERT_TRUE(Call(*domains_, u"ModifyDomain", {Variant(u" 1 "), Variant(u"two"), Variant(u""), Variant(u"&H50")}).AsBool());
  const std::string file = folder_.ReadServerFile();
  EXPECT_NE(file.find("Domain3=10.0.0.3||21|three|3|0"), std::string::npos);
  EXPECT_NE(file.find("Domain2=||80|two|1|0"), std::string::npos);
}

TEST_F(LateBoundDomains, BadArgumentsFailBeforeTheOperationRuns) {
  const std::string before = folder_.ReadServerFile();
  EXPECT_EQ(ErrorNumberOf(u"AddDomain", {Variant(u"x"), Variant(u"1.1.1.1"), Variant(u"40000")}), kOverflow);
  EXPECT_EQ(ErrorNumberOf(u"DelDomain", {Variant(u"one")}), kTypeMismatch);
  EXPECT_EQ(folder_.ReadServerFile(), before);
}

TEST_F(LateBoundDomains, ResultsAndMessagesFollowTheResultConvention) {
  EXPECT_FALSE(Call(*domains_, u"DelDomain", {Variant(u"9")}).AsBool());
  EXPECT_EQ(Call(*domains_, u"ErrorMsg").AsString(), u"This ID does not exist");
  EXPECT_TRUE(Call(*domains_, u"DelDomain", {Variant(u"2")}).AsBool());
  EXPECT_EQ(Call(*domains_, u"ErrorMsg").AsString(), u"");
  EXPECT_TRUE(Call(*domains_, u"Reload").AsBool());
  EXPECT_NE(folder_.ReadServerFile().find("ReloadSettings=true"), std::string::npos);
}

TEST(LateBoundGlobal, DefaultMemberIsAboutAndVersionReadsTheFile) {
  ServerFolder folder;
  folder.WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.6\r\n");
  Ref<Object> global = CreateObject(u"Vantrel.Global");
  EXPECT_EQ(Call(*global, u"").AsString(), Call(*global, u"About").AsString());
  EXPECT_EQ(Call(*global, u"Version").AsString(), u"Unknown Version");
  Let(*global, u"ServUPath", folder.ServUPath());
  EXPECT_EQ(Call(*global, u"Version").AsString(), u"6.4.0.6");
  EXPECT_EQ(Call(*global, u"ErrorMsg").AsString(), u"ServUPath error");
}

}  // namespace
}  // namespace vantrel::testing
