// AdminOfAdmin and Explorer as a page drives them: created by ProgID, arguments as text,
// results read through collection items and default members.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "automation/runtime/runtime.hpp"
#include "model/names.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

namespace n = vantrel::model::AnyClass;

using namespace automation;
using namespace automation::runtime;

// Salt "ab" followed by the MD5 digest of "abKelpMoor".
constexpr char kFactorySettings[] =
    "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"
    "[PublicDir]\r\ndir1=C:\\Vantrel\r\n";

Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}

class LateBoundAdmins : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.WriteSettings(kFactorySettings);
    Let(*admins_, n::Administrator, u"vantrel");
    Let(*admins_, n::Password, u"KelpMoor");
  }
  TempRoot root_;
  Ref<Object> admins_ = CreateObject(u"Vantrel.AdminOfAdmin");
};

TEST_F(LateBoundAdmins, AddsAndListsWithTheDomainGivenAsText) {
  EXPECT_EQ(Call(*admins_, n::AddAdmin, {u"sales", u"Pa55", u" 2 ", u"D:\\ftp\\sales"}), Variant(true));
  EXPECT_EQ(Call(*admins_, n::GetAdminList), Variant(true));
  Variant list = Call(*admins_, n::Admin);
  Variant item = Call(*list.AsObject(), u"", {u"SALES"});
  EXPECT_EQ(Call(*item.AsObject(), n::DomainID), Variant(std::int16_t{2}));
  EXPECT_EQ(Call(*item.AsObject(), u""), Variant(u"sales")) << "AdminName is the default member";
  EXPECT_EQ(Call(*item.AsObject(), n::RootDir), Variant(u"D:\\ftp\\sales"));
}

TEST_F(LateBoundAdmins, DomainTextThatIsNoIntegerFailsBeforeTheOperationRuns) {
  try {
    Call(*admins_, n::AddAdmin, {u"sales", u"Pa55", u"two", u"D:\\ftp\\sales"});
    FAIL() << "expected a type mismatch";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), kTypeMismatch);
  }
  EXPECT_EQ(root_.ReadSettings(), kFactorySettings);
}



TEST_F(LateBoundAdmins, ExplorerListsWithItsDefaultPatternWhenNoneIsGiven) {
  EXPECT_EQ(Call(*admins_, n::AddAdmin, {u"sales", u"Pa55", u"2", u"D:\\ftp\\sales"}), Variant(true));
  std::filesystem::create_directories(root_.path() / "drives/d/ftp/sales/In");
  Ref<Object> explorer = CreateObject(u"Vantrel.Explorer");
  Let(*explorer, n::AdminName, u"SALES");
  Let(*explorer, n::AdminPassword, u"pa55");
  Let(*explorer, n::CurrentDir, u"D:\\ftp\\sales");
  ASSERT_EQ(Call(*explorer, n::List), Variant(true));
  Variant dir = Call(*explorer, n::Directory, {u"in"});
  EXPECT_EQ(Call(*dir.AsObject(), u""), Variant(u"In")) << "DirName is the default member";
}

}  // namespace
}  // namespace vantrel::testing
