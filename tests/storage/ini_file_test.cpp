#include "storage/ini_file.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "storage/codepage.hpp"
#include "storage/ini/ini_transaction.hpp"
#include "storage/paths.hpp"
#include "scoped_locale.hpp"
#include "temp_root.hpp"

namespace vantrel::storage {
namespace {

namespace fs = std::filesystem;
using testing::TempRootTest;

constexpr char kServerFile[] =
    "[GLOBAL]\r\n"
    "Version=6.4.0.6\r\n"
    "[DOMAINS]\r\n"
    "Domain1=192.168.0.5||21|ftp.example.com|1|0\r\n"
    "Domain2=||2121|files.example.org|2|0\r\n"
    "Domain3=10.0.0.1||21|third|3|0\r\n"
    "[Domain1]\r\n"
    "User1=alice|1|0\r\n"
    "Zero=0\r\n"
    "Negative=-17\r\n"
    "Empty=\r\n"
    "[Empty Section]\r\n"
    "; only a comment\r\n";

class CIniFileTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    file_ = MakeFile(root_ / "drives" / "c" / "Serv-U" / "ServUDaemon.ini", kServerFile);
    ini_.SetIniFile(u"C:\\Serv-U\\ServUDaemon.ini");
  }
  std::string Content() const { return ReadBytes(file_); }

  fs::path file_;
  CIniFile ini_;
};

// ---- The file check ------------------------------------------------------

TEST_F(CIniFileTest, PathIsStoredWithoutSurroundingSpaces) {
  ini_.SetIniFile(u"  C:\\Serv-U\\ServUDaemon.ini   ");
  EXPECT_EQ(ini_.IniFile(), u"C:\\Serv-U\\ServUDaemon.ini");
  EXPECT_TRUE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ErrorMsg(), u"");
}

TEST_F(CIniFileTest, EmptyPathFailsEveryOperationWithItsFailureValue) {
  ini_.SetIniFile(u"   ");
  EXPECT_FALSE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is Empty");
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"x", u"1"));
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is Empty");
  EXPECT_FALSE(ini_.DeleteKey(u"GLOBAL", u"Version"));
  EXPECT_FALSE(ini_.DeleteSection(u"GLOBAL"));
  EXPECT_EQ(ini_.ReadString(u"GLOBAL", u"Version", 255), u"");
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Negative"), 0);
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is Empty");
  EXPECT_TRUE(ini_.GetSections().empty());
  EXPECT_TRUE(ini_.GetKeys(u"DOMAINS").empty());
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is Empty");
}

TEST_F(CIniFileTest, ExistenceIsTestedBeforeTheExtension) {
  ini_.SetIniFile(u"C:\\Serv-U\\missing.txt");
  EXPECT_FALSE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is not Exist");
  MakeFile(root_ / "drives" / "c" / "Serv-U" / "present.txt", "[s]\r\n");
  ini_.SetIniFile(u"C:\\Serv-U\\present.txt");
  EXPECT_FALSE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is not an INI file");
  ini_.SetIniFile(u"C:\\Serv-U\\present.txt");
  EXPECT_FALSE(ini_.WriteString(u"s", u"k", u"v"));
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is not an INI file");
  EXPECT_EQ(ReadBytes(root_ / "drives" / "c" / "Serv-U" / "present.txt"), "[s]\r\n");
}

TEST_F(CIniFileTest, WriteToAMissingFileCreatesNothing) {
  ini_.SetIniFile(u"C:\\Serv-U\\Other.ini");
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"ReloadSettings", u"true"));
  EXPECT_EQ(ini_.ErrorMsg(), u"IniFile is not Exist");
  EXPECT_FALSE(fs::exists(root_ / "drives" / "c" / "Serv-U" / "Other.ini"));
  EXPECT_FALSE(ini_.DeleteSection(u"GLOBAL"));
  EXPECT_FALSE(fs::exists(root_ / "drives" / "c" / "Serv-U" / "Other.ini"));
}

TEST_F(CIniFileTest, FolderNamedLikeAnIniFilePassesButReadsEmptyAndWritesFail) {
  fs::create_directories(root_ / "drives" / "c" / "folder.ini");
  ini_.SetIniFile(u"C:\\folder.ini");
  EXPECT_TRUE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ReadString(u"s", u"k", 255), u"");
  EXPECT_TRUE(ini_.GetSections().empty());
  EXPECT_FALSE(ini_.WriteString(u"s", u"k", u"v"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_FALSE(ini_.ErrorDetail().empty());
  EXPECT_FALSE(ini_.DeleteSection(u"s"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
}

TEST_F(CIniFileTest, ErrorMsgIsClearedByTheNextOperation) {
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Missing"), 0);
  EXPECT_EQ(ini_.ErrorMsg(), u"Can't read as Integer");
  EXPECT_EQ(ini_.ReadString(u"GLOBAL", u"Version", 255), u"6.4.0.6");
  EXPECT_EQ(ini_.ErrorMsg(), u"");
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Missing"), 0);
  EXPECT_EQ(ini_.ReadString(u"NoSuchSection", u"Version", 255), u"");  // a missing value is no error
  EXPECT_EQ(ini_.ErrorMsg(), u"");
}

TEST_F(CIniFileTest, PathAndExtensionMatchWithoutRegardToLetterCase) {
  ini_.SetIniFile(u"c:\\SERV-U\\servudaemon.INI");
  EXPECT_TRUE(ini_.CheckIniFile());
  EXPECT_TRUE(ini_.WriteString(u"GLOBAL", u"ReloadSettings", u"true"));
  EXPECT_NE(Content().find("ReloadSettings=true\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "drives" / "c" / "SERV-U"));
}

// ---- Reading -------------------------------------------------------------

TEST_F(CIniFileTest, ReadIntegerTellsAStoredZeroFromAMissingKey) {
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Zero"), 0);
  EXPECT_EQ(ini_.ErrorMsg(), u"");
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Missing"), 0);
  EXPECT_EQ(ini_.ErrorMsg(), u"Can't read as Integer");
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Empty"), 0);
  EXPECT_EQ(ini_.ErrorMsg(), u"Can't read as Integer");
  EXPECT_EQ(ini_.ReadInteger(u"Domain1", u"Negative"), -17);
  EXPECT_EQ(ini_.ErrorMsg(), u"");
}

// ---- Lists ---------------------------------------------------------------

using Names = std::vector<std::u16string>;

TEST_F(CIniFileTest, KeysAndSectionsAreListedInFileOrder) {
  EXPECT_EQ(ini_.GetKeys(u"DOMAINS"), (Names{u"Domain1", u"Domain2", u"Domain3"}));
  EXPECT_EQ(ini_.GetSections(), (Names{u"GLOBAL", u"DOMAINS", u"Domain1", u"Empty Section"}));
  EXPECT_TRUE(ini_.GetKeys(u"Empty Section").empty());
  EXPECT_TRUE(ini_.GetKeys(u"Nowhere").empty());
  EXPECT_EQ(ini_.ErrorMsg(), u"");
}

TEST_F(CIniFileTest, SectionListIsCompleteBeyondFourKilobytes) {
  std::string content;
  Names expected;
  for (int i = 1; i <= 500; ++i) {
    const std::string section = "USER=user" + std::to_string(i) + "|1";
    content += "[" + section + "]\r\nHomeDir=C:\\ftp\r\n";
    expected.emplace_back(section.begin(), section.end());
  }
  MakeFile(file_, content);
  EXPECT_EQ(ini_.GetSections(), expected);
}

TEST_F(CIniFileTest, AnEmptyKeyNameHidesNoLaterKey) {
  MakeFile(file_, "[s]\r\n=0\r\na=1\r\n=2\r\nb=3\r\n");
  EXPECT_EQ(ini_.GetKeys(u"s"), (Names{u"a", u"b"}));
}

// ---- Writing and deleting ------------------------------------------------

// Where lines go is the INI engine's rule (its own tests); here, that the
// calls reach it with their names and values and report success.
TEST_F(CIniFileTest, WritesAndDeletesReachTheFile) {
  EXPECT_TRUE(ini_.WriteString(u"DOMAINS", u"domain2", u"||21|renamed|2|0"));
  EXPECT_TRUE(ini_.WriteString(u"USER=bob|1", u"HomeDir", u"C:\\ftp\\bob"));
  EXPECT_TRUE(ini_.WriteString(u"GLOBAL", u"Blank", u""));
  EXPECT_TRUE(ini_.WriteString(u"GLOBAL", u"Version", std::nullopt));  // a never-assigned value removes the key
  EXPECT_TRUE(ini_.DeleteKey(u"domain1", u"ZERO"));
  EXPECT_TRUE(ini_.DeleteKey(u"Domain1", u"NotThere"));
  EXPECT_TRUE(ini_.DeleteSection(u"Empty Section"));
  EXPECT_TRUE(ini_.DeleteSection(u"NoSuchSection"));
  EXPECT_EQ(ini_.ErrorMsg(), u"");
  EXPECT_EQ(Content(),
            "[GLOBAL]\r\nBlank=\r\n[DOMAINS]\r\nDomain1=192.168.0.5||21|ftp.example.com|1|0\r\n"
            "Domain2=||21|renamed|2|0\r\nDomain3=10.0.0.1||21|third|3|0\r\n[Domain1]\r\nUser1=alice|1|0\r\n"
            "Negative=-17\r\nEmpty=\r\n; only a comment\r\n[USER=bob|1]\r\nHomeDir=C:\\ftp\\bob\r\n");
}

// ---- Refused writes ------------------------------------------------------

TEST_F(CIniFileTest, LineBreaksAndNulAreRefusedAndNothingIsWritten) {
  const std::string before = Content();
  const std::u16string withNul{u'a', u'\0', u'b'};
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"Version", u"1\r\n[DOMAINS]\r\nDomain9=evil"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_FALSE(ini_.ErrorDetail().empty());
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"Key\nInjected", u"v"));
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"Version", withNul));
  EXPECT_FALSE(ini_.DeleteSection(u"DOMAINS\n"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_FALSE(ini_.DeleteKey(u"GLOBAL", u"Version\r"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Delete Error");
  EXPECT_EQ(Content(), before);
}

TEST_F(CIniFileTest, NamesThatWouldReadBackAsSomethingElseAreRefused) {
  const std::string before = Content();
  EXPECT_FALSE(ini_.WriteString(u"DOMAINS]x", u"Domain9", u"v"));  // would read as section DOMAINS
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"Version=1", u"v"));    // would read as key Version
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u" ;hidden", u"v"));
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"  ", u"v"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_EQ(Content(), before);
  EXPECT_TRUE(ini_.WriteString(u"[odd[ name", u"a;b[c]", u"x=y;z]"));  // harmless inside
  EXPECT_EQ(ini_.ReadString(u"[odd[ name", u"a;b[c]", 255), u"x=y;z]");
}

// ---- Code page -----------------------------------------------------------

TEST_F(CIniFileTest, DoubleByteValueReadsBackExactly) {
  testing::ScopedLocale locale("ja_JP.SJIS");
  MakeFile(file_, "[s]\r\nname=\x93\xFA\x96\x7B\x8C\xEA\r\n");  // 日本語 in Shift-JIS
  EXPECT_EQ(ini_.ReadString(u"s", u"name", 255), u"日本語");
  EXPECT_TRUE(ini_.WriteString(u"s", u"other", u"表示"));  // 表 has the trail byte '\'
  EXPECT_NE(Content().find("other=\x95\x5C\x8E\xA6\r\n"), std::string::npos);
  EXPECT_EQ(ini_.ReadString(u"s", u"other", 255), u"表示");
}

TEST_F(CIniFileTest, TextTheCodePageCannotHoldIsRefused) {
  testing::ScopedLocale locale("en_US.ISO-8859-1");
  const std::string before = Content();
  EXPECT_FALSE(ini_.WriteString(u"GLOBAL", u"Owner", u"日本"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_EQ(Content(), before);
  EXPECT_TRUE(ini_.WriteString(u"GLOBAL", u"Owner", u"Jérôme"));
  EXPECT_NE(Content().find("Owner=J\xE9r\xF4me\r\n"), std::string::npos);
  EXPECT_EQ(ini_.ReadString(u"GLOBAL", u"Owner", 255), u"Jérôme");
}

// ---- Transactions --------------------------------------------------------

TEST_F(CIniFileTest, CallsJoinTheTransactionOpenOnTheFile) {
  const std::string before = Content();
  {
    ini::Transaction transaction(ToNativePath(ini_.IniFile()));
    EXPECT_TRUE(ini_.WriteString(u"GLOBAL", u"ReloadSettings", u"true"));
    EXPECT_TRUE(ini_.DeleteSection(u"Domain1"));
    EXPECT_EQ(ini_.ReadString(u"GLOBAL", u"ReloadSettings", 255), u"true");  // sees its own edit
    EXPECT_EQ(Content(), before);                                           // nothing written yet
    EXPECT_TRUE(transaction.Commit());
  }
  EXPECT_NE(Content().find("ReloadSettings=true\r\n"), std::string::npos);
  EXPECT_EQ(Content().find("[Domain1]"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::storage
