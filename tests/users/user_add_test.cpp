// User.AddUser: checks in order, the keys written and their order, access
// rules, the free list key, stale sections, and refusals that write nothing.
#include <gtest/gtest.h>

#include <fstream>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "users_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

constexpr char16_t kRightLimited[] = u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword";

class UserAddTest : public UsersTest {
 protected:
  UserAddTest() {
    WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.1\r\n\r\n[Domain1]\r\nUser1=alice|1|0\r\nNote=x\r\n\r\n"
                    "[USER=alice|1]\r\nHomeDir=C:\\ftp\\alice\r\nTimeOut=600\r\n");
  }
  // The user section's lines as the file holds them.
  std::string SectionText(const std::string& header) const {
    const std::string all = ReadServerFile();
    const std::size_t start = all.find("[" + header + "]");
    if (start == std::string::npos) return "(missing)";
    const std::size_t end = all.find("\r\n[", start + 1);
    return all.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
  }
  std::string DefaultLoginFile() const { return automation::ToUtf8(Value(u"USER=erin|1", u"LoginMesFile")); }
};

TEST_F(UserAddTest, WritesListLineAndSectionInFixedOrder) {
  auto user = SystemUser();
  user->UserName = u"  erin ";
  user->SetPassword(u"pw");
  user->HomeDir = u"C:\\ftp\\erin";
  user->TimeOut = 300;
  user->DirAccessProperty.Get()->Add(u"C:\\ftp\\erin");
  user->RelPaths = true;
  user->ChangePassword = true;
  user->EnableDiskQuota = true;
  user->DiskQuotaSize = 1000;
  user->MaxUsersLoginPerIP = 3;
  user->MaxNrUsers = 4;
  user->SpeedLimitUp = 5;
  user->SpeedLimitDown = 6;
  user->SessionTimeOut = 7;
  user->Expire = true;
  user->ExpireDate = automation::MakeDate(2004, 1, 1, 8);
  ASSERT_TRUE(user->AddUser(1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"erin|1|1072915200");
  const std::string salted = automation::ToUtf8(user->StoredPassword());
  EXPECT_EQ(SectionText("USER=erin|1"), "[USER=erin|1]\r\nHomeDir=C:\\ftp\\erin\r\nPassword=" + salted +
                                            "\r\nTimeOut=300\r\nAccess1=C:\\ftp\\erin|RLP\r\nLoginMesFile=" +
                                            DefaultLoginFile() +
                                            "\r\nRelPaths=1\r\nChangePassword=1\r\nDiskQuota=1|1000|0\r\n"
                                            "MaxUsersLoginPerIP=3\r\nMaxNrUsers=4\r\nSpeedLimitUp=5\r\n"
                                            "SpeedLimitDown=6\r\nSessionTimeOut=7\r\n");
  EXPECT_EQ(DefaultLoginFile(), automation::ToUtf8(automation::FromUtf8((root_ / "Windows").string())) + "\\Vantrel.txt");
  EXPECT_TRUE(std::filesystem::is_directory(DriveFolder(root_, 'c', "ftp/erin")));
  EXPECT_EQ(user->UserListProperty.Get()->Count(), 1);  // the list as read, without erin
}

TEST_F(UserAddTest, ZeroSettingsWriteOnlyTheAlwaysKeys) {
  auto user = SystemUser();
  user->UserName = u"erin";
  user->Disable = true;
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"erin|0|0");
  EXPECT_EQ(Keys(u"USER=erin|1"), u"HomeDir;TimeOut;LoginMesFile");
  EXPECT_EQ(Value(u"USER=erin|1", u"HomeDir"), u"C:\\Vantrel\\Pub");
  EXPECT_EQ(user->HomeDir, u"C:\\Vantrel\\Pub");
  EXPECT_EQ(Value(u"USER=erin|1", u"TimeOut"), u"0");
}

TEST_F(UserAddTest, ExistingLoginMessageFileIsKept) {
  const auto file = DriveFolder(root_, 'c', "msg.txt");
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "hi";
  auto user = SystemUser();
  user->UserName = u"erin";
  user->LoginMesFile = u"C:\\msg.txt";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"USER=erin|1", u"LoginMesFile"), u"C:\\msg.txt");
}

TEST_F(UserAddTest, ChecksRunInOrderAndWriteNothing) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  user->AdminPassword = u"bad";
  user->UserName = u"   ";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, kRightLimited);
  user->AdminPassword = kSystemPassword;
  user->ServUPath = u"/nowhere";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"Username can not be empty");
  user->UserName = u" ALICE ";
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"ServUPath error");
  user->ServUPath = automation::FromUtf8(servu_.string());
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"This username exists already");
  EXPECT_EQ(ReadServerFile(), before);
}

TEST_F(UserAddTest, DomainAdministratorIsBoundToItsRootFolder) {
  auto user = DomainAdminUser(1, u"C:\\ftp\\boss");
  user->UserName = u"erin";
  user->HomeDir = u"C:\\ftp\\bossy";  // not below the root at a folder boundary
  const std::string before = ReadServerFile();
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(user->ErrorMsg, u"The HomeDir has no right!");
  EXPECT_EQ(ReadServerFile(), before);
  user->HomeDir = u"";  // the default lies below the public directory C:\Vantrel
  EXPECT_TRUE(user->AddUser(1));
  EXPECT_FALSE(user->AddUser(2));
  EXPECT_EQ(user->ErrorMsg, kRightLimited);
}

TEST_F(UserAddTest, RefusedRulesAreSkippedAndNumberingHasNoGap) {
  auto user = DomainAdminUser(1, u"C:\\ftp\\boss");
  user->UserName = u"erin";
  user->HomeDir = u"C:\\ftp\\boss\\erin";
  auto rules = user->DirAccessProperty.Get();
  rules->Add(u"C:\\ftp\\boss\\a", true, true);
  rules->Add(u"C:\\other");
  rules->Add(u"C:\\ftp\\boss\\..\\..\\escape");
  rules->Add(u"C:\\ftp\\boss\\b", false, false, false, false, false, false);
  ASSERT_TRUE(user->AddUser(1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_EQ(Value(u"USER=erin|1", u"Access1"), u"C:\\ftp\\boss\\a|RWLP");
  EXPECT_EQ(Value(u"USER=erin|1", u"Access2"), u"C:\\ftp\\boss\\b|P");
  EXPECT_EQ(Value(u"USER=erin|1", u"Access3"), u"");
  EXPECT_TRUE(std::filesystem::is_directory(DriveFolder(root_, 'c', "ftp/boss/a")));
  EXPECT_FALSE(std::filesystem::exists(DriveFolder(root_, 'c', "other")));
  EXPECT_FALSE(std::filesystem::exists(DriveFolder(root_, 'c', "escape")));
}

TEST_F(UserAddTest, TheWrittenDirectoryInsideAccessesIsCheckedAndCreated) {
  auto user = DomainAdminUser(1, u"C:\\ftp\\boss");
  user->UserName = u"erin";
  user->HomeDir = u"C:\\ftp\\boss";
  auto rules = user->DirAccessProperty.Get();
  rules->Add(u"C:\\ftp\\boss\\x")->Accesses = u"C:\\secret|RWAMLCDP";    // changed after Add: refused
  rules->Add(u"C:\\ftp\\boss\\y")->Accesses = u"C:\\ftp\\boss\\z|RL";  // changed, still admitted
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"USER=erin|1", u"Access1"), u"C:\\ftp\\boss\\z|RL");
  EXPECT_EQ(Value(u"USER=erin|1", u"Access2"), u"");
  EXPECT_TRUE(std::filesystem::is_directory(DriveFolder(root_, 'c', "ftp/boss/z")));
  EXPECT_FALSE(std::filesystem::exists(DriveFolder(root_, 'c', "secret")));
}

TEST_F(UserAddTest, NewLineTakesTheFirstFreeKey) {
  // Two users, numbered with a gap: User2 (count + 1) holds bob already.
  WriteServerFile("[Domain1]\r\nUser2=bob|1|0\r\nUser7=carol|1|0\r\n");
  auto user = SystemUser();
  user->UserName = u"erin";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"bob|1|0");
  EXPECT_EQ(Value(u"Domain1", u"User3"), u"erin|1|0");
  user->UserName = u"fred";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User4"), u"fred|1|0");
}

TEST_F(UserAddTest, StaleSectionOfTheSameNameIsCleared) {
  WriteServerFile("[Domain1]\r\n[USER=ERIN|1]\r\nPassword=zz00000000000000000000000000000000\r\nAccess1=C:\\old|RWAMLCDP\r\n");
  auto user = SystemUser();
  user->UserName = u"erin";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"USER=erin|1", u"Password"), u"");
  EXPECT_EQ(Value(u"USER=erin|1", u"Access1"), u"");
  EXPECT_EQ(Keys(u"USER=erin|1"), u"HomeDir;TimeOut;LoginMesFile");
}

TEST_F(UserAddTest, EmptyPasswordPropertyWritesNoPasswordKey) {
  auto user = SystemUser();
  user->SetPassword(u"pw");
  user->SetPassword(u"");  // keeps the stored password but the property is empty
  user->UserName = u"erin";
  ASSERT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"USER=erin|1", u"Password"), u"");
}

TEST_F(UserAddTest, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  const std::string before = ReadServerFile();
  const struct {
    std::u16string name, home, rule, accesses;
  } cases[] = {
      {u"a|b", u"", u"", u""},
      {u"a]b", u"", u"", u""},
      {u"a\r\nUser9=x|1|0", u"", u"", u""},
      {u"erin", u"C:\\x\r\n[GLOBAL]", u"", u""},
      {u"erin", u"", u"C:\\a|b", u""},
      {u"erin", u"", u"C:\\a", u"C:\\a"},
      {u"erin", u"", u"C:\\a", u"C:\\a|R\nL"},
  };
  for (const auto& c : cases) {
    auto user = SystemUser();
    user->UserName = c.name;
    user->HomeDir = c.home;
    if (!c.rule.empty()) {
      auto rule = user->DirAccessProperty.Get()->Add(c.rule);
      if (!c.accesses.empty()) rule->Accesses = c.accesses;
    }
    const bool added = user->AddUser(1);
    EXPECT_FALSE(added) << automation::ToUtf8(c.name + c.home + c.rule + c.accesses);
    EXPECT_EQ(user->ErrorMsg.substr(0, 9), u"Refused: ") << automation::ToUtf8(user->ErrorMsg);
    EXPECT_EQ(ReadServerFile(), before);
  }
}

TEST_F(UserAddTest, ExpiryBeyondThirtyTwoBitSecondsIsRefused) {
  const std::string before = ReadServerFile();
  auto user = SystemUser();
  user->UserName = u"erin";
  user->Expire = true;
  user->ExpireDate = automation::MakeDate(2040, 1, 1);
  EXPECT_FALSE(user->AddUser(1));
  EXPECT_EQ(ReadServerFile(), before);
  user->Expire = false;  // the date does not matter when the account does not expire
  EXPECT_TRUE(user->AddUser(1));
  EXPECT_EQ(Value(u"Domain1", u"User2"), u"erin|1|0");
}

TEST_F(UserAddTest, AddedAccountReadsBackTheSame) {
  auto user = SystemUser();
  user->UserName = u"carol";
  user->Expire = true;
  user->ExpireDate = automation::MakeDate(2004, 1, 1, 8);
  user->SetPassword(u"secret");
  user->HomeDir = u"C:\\ftp\\carol";
  user->DirAccessProperty.Get()->Add(u"C:\\ftp\\carol", true, true, false, true);
  user->SpeedLimitDown = -1;
  ASSERT_TRUE(user->AddUser(1));
  auto reader = SystemUser();
  ASSERT_TRUE(reader->GetUser(u"carol", 1));
  EXPECT_EQ(reader->StoredPassword(), user->StoredPassword());
  EXPECT_EQ(reader->Password(), u"Encrypted");
  EXPECT_TRUE(reader->Expire);
  EXPECT_NEAR(reader->ExpireDate.value, user->ExpireDate.value, 1e-9);
  EXPECT_EQ(reader->SpeedLimitDown, -1);
  EXPECT_EQ(reader->DirAccessProperty.Get()->Item(Variant(std::int32_t{1}))->Accesses, u"C:\\ftp\\carol|RWMLP");
}

TEST_F(UserAddTest, AddCreatesTheSettingsFilesFirst) {
  std::filesystem::remove(root_ / "Windows" / "Vantrel.ini");
  std::filesystem::remove(root_ / "Windows" / "Vantrel.txt");
  auto user = SystemUser();
  user->UserName = u"erin";
  ASSERT_TRUE(user->AddUser(1)) << automation::ToUtf8(user->ErrorMsg);
  EXPECT_TRUE(std::filesystem::exists(root_ / "Windows" / "Vantrel.txt"));
}

}  // namespace
}  // namespace vantrel::testing
