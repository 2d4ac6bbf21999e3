// The User operations as a page drives them: created by ProgID, arguments as
// text coerced to the declared types, optional domain numbers left out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "automation/runtime/runtime.hpp"
#include "model/names.hpp"

namespace {

namespace n = vantrel::model::AnyClass;

using namespace vantrel::automation;
using namespace vantrel::automation::runtime;

Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args = {}) {
  return InvokeByName(o, name, kMethod | kPropertyGet, args);
}
Variant Get(Object& o, std::u16string_view name) { return InvokeByName(o, name, kPropertyGet, {}); }
void Let(Object& o, std::u16string_view name, Variant value) {
  std::vector<Variant> args{std::move(value)};
  InvokeByName(o, name, kPropertyPut, args);
}
String Text(const std::string& s) { return String(s.begin(), s.end()); }

class LateBoundUsers : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-users-lb-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    std::filesystem::create_directories(root_ / "Windows");
    std::filesystem::create_directories(root_ / "drives" / "c");
    ::setenv("VANTREL_ROOT", root_.c_str(), 1);
    std::ofstream(root_ / "ServUDaemon.ini", std::ios::binary)
        << "[Domain1]\r\nUser1=alice|1|0\r\n[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nTimeOut=600\r\n";
    user_ = CreateObject(u"vantrel.user");
    Let(*user_, n::ServUPath, Text(root_.string()));
    Let(*user_, n::AdminName, u"VANTREL");
    Let(*user_, n::AdminPassword, u"KelpMoor");
  }
  void TearDown() override {
    ::unsetenv("VANTREL_ROOT");
    std::filesystem::remove_all(root_);
  }
  std::string ServerFile() const {
    std::ifstream in(root_ / "ServUDaemon.ini", std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

  std::filesystem::path root_;
  Ref<Object> user_;
};

TEST_F(LateBoundUsers, AddWithTextValuesThenReadBack) {
  Let(*user_, n::UserName, u"bob");
  Let(*user_, n::TimeOut, u" &H10 ");
  Let(*user_, n::Disable, u"True");
  Let(*user_, n::SpeedLimitUp, 2.5);  // rounds half to even
  Let(*user_, n::HomeDir, u"C:\\ftp\\bob");
  Variant rules = Get(*user_, n::DirAccess);
  Call(*rules.AsObject(), n::Add, {Variant(u"C:\\ftp\\bob"), Variant(u"True"), Variant(u"1")});
  ASSERT_TRUE(Call(*user_, n::AddUser).AsBool()) << ServerFile();  // DomainID left out: 1
  EXPECT_NE(ServerFile().find("User2=bob|0|0\r\n"), std::string::npos);
  EXPECT_NE(ServerFile().find("TimeOut=16\r\nAccess1=C:\\ftp\\bob|RWLP\r\n"), std::string::npos);
  EXPECT_NE(ServerFile().find("SpeedLimitUp=2\r\n"), std::string::npos);

  Ref<Object> reader = CreateObject(u"Vantrel.User");
  Let(*reader, n::ServUPath, Text(root_.string()));
  Let(*reader, n::AdminName, u"Vantrel");
  Let(*reader, n::AdminPassword, u"KelpMoor");
  ASSERT_TRUE(Call(*reader, n::GetUser, {Variant(u"BOB"), Variant(u"1")}).AsBool());
  EXPECT_EQ(Get(*reader, n::TimeOut).AsI2(), 16);
  EXPECT_TRUE(Get(*reader, n::Disable).AsBool());
  // UserList(1) reads an item through the collection's default member.
  std::vector<Variant> index{Variant(std::int16_t{2})};
  const Variant row = InvokeByName(*reader, n::UserList, kPropertyGet, index);
  EXPECT_EQ(Get(*row.AsObject(), n::UserName).AsString(), u"bob");
}

TEST_F(LateBoundUsers, BadArgumentsFailBeforeTheOperationRuns) {
  Call(*user_, n::AddUser);  // creates the settings file, then stops: no UserName
  const std::string before = ServerFile();
  for (Variant bad : {Variant(u"one"), Variant(u"40000")}) {
    try {
      Call(*user_, n::DelUser, {Variant(u"alice"), bad});
      ADD_FAILURE() << "accepted a bad domain number";
    } catch (const AutomationError& e) {
      EXPECT_TRUE(e.Number() == kTypeMismatch || e.Number() == kOverflow) << e.Number();
    }
  }
  EXPECT_EQ(ServerFile(), before);
  EXPECT_EQ(Get(*user_, n::ErrorMsg).AsString(), u"Username can not be empty");
}

}  // namespace
