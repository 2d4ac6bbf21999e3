#include "storage/ini_file.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "storage/codepage.hpp"
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

TEST_F(CIniFileTest, FolderNamedLikeAnIniFilePassesButReadsEmptyAndWritesFail) {
  fs::create_directories(root_ / "drives" / "c" / "folder.ini");
  ini_.SetIniFile(u"C:\\folder.ini");
  EXPECT_TRUE(ini_.CheckIniFile());
  EXPECT_EQ(ini_.ReadString(u"s", u"k", 255), u"");
  EXPECT_FALSE(ini_.DeleteSection(u"s"));
  EXPECT_EQ(ini_.ErrorMsg(), u"Write Error");
  EXPECT_FALSE(ini_.ErrorDetail().empty());
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

}  // namespace
}  // namespace vantrel::storage
