// Explorer as a page drives it: created by ProgID, List with its default
// pattern, entries read through the collections' default members.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "automation/runtime/runtime.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {
namespace {

using namespace automation;
using namespace automation::runtime;

constexpr char kSettings[] =
    "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"
    "[PrivateDir]\r\nsales=Pa55|2|D:\\ftp\\sales\r\n";

Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}

TEST(LateBoundExplorer, ListsWithTheDefaultPatternAsADomainAdministrator) {
  TempRoot root;
  root.WriteSettings(kSettings);
  const auto sales = root.path() / "drives/d/ftp/sales";
  std::filesystem::create_directories(sales / "In");
  std::ofstream(sales / "a.txt") << "hello";

  Ref<Object> explorer = CreateObject(u"Vantrel.Explorer");
  Let(*explorer, u"AdminName", u"SALES");
  Let(*explorer, u"AdminPassword", u"Pa55");
  Let(*explorer, u"CurrentDir", u"D:\\ftp\\sales");
  ASSERT_EQ(Call(*explorer, u"List"), Variant(true));
  Variant dirs = Call(*explorer, u"Directory");
  EXPECT_EQ(Call(*dirs.AsObject(), u"Count"), Variant(std::int32_t{1}));
  Variant dir = Call(*dirs.AsObject(), u"", {u"in"});
  EXPECT_EQ(Call(*dir.AsObject(), u""), Variant(u"In")) << "DirName is the default member";
  Variant file = Call(*explorer, u"File", {std::int32_t{1}});
  EXPECT_EQ(Call(*file.AsObject(), u"FileLength"), Variant(std::int32_t{5}));
  EXPECT_EQ(Call(*file.AsObject(), u""), Variant(u"a.txt"));
}

TEST(LateBoundExplorer, CreateDirHasNoResultAndNeedsNoSignIn) {
  TempRoot root;
  std::filesystem::create_directories(root.path() / "drives/d");
  Ref<Object> explorer = CreateObject(u"Vantrel.Explorer");
  EXPECT_TRUE(Call(*explorer, u"CreateDir", {u"D:\\a\\b"}).IsEmpty());
  EXPECT_TRUE(std::filesystem::is_directory(root.path() / "drives/d/a/b"));
}

}  // namespace
}  // namespace vantrel::testing
