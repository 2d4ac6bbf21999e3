// Domain administrators: listing, adding, deleting, and what is refused.
#include <gtest/gtest.h>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "admins_fixture.hpp"
#include "automation/error.hpp"
#include "automation/text.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;


TEST_F(AdminsTest, AddedAdministratorsListInFileOrderWithTheirFields) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  ASSERT_TRUE(admins_.AddAdmin(u"Support", u"s3cret", -7, u"E:\\support"));
  EXPECT_NE(Settings().find("sales=Pa55|2|D:\\ftp\\sales\r\n"), std::string::npos) << Settings();
  EXPECT_NE(Settings().find("Support=s3cret|-7|E:\\support\r\n"), std::string::npos);

  ASSERT_TRUE(admins_.GetAdminList());
  auto list = admins_.AdminProperty.Get();
  ASSERT_EQ(list->Count(), 2);
  auto first = list->Item(Variant(std::int32_t{1}));
  EXPECT_EQ(first->AdminName, u"sales");
  EXPECT_EQ(first->AdminPassword, u"Pa55") << "kept in plain text, as stored";
  EXPECT_EQ(first->DomainID, 2);
  EXPECT_EQ(first->RootDir, u"D:\\ftp\\sales");
  auto second = list->Item(Variant(u"SUPPORT"));
  EXPECT_EQ(second->AdminName, u"Support") << "the name keeps its letter case; the key ignores it";
  EXPECT_EQ(second->DomainID, -7);
}

TEST_F(AdminsTest, AddAdminDoesNotRefreshTheListItFilledBeforeWriting) {
  ASSERT_TRUE(admins_.AddAdmin(u"first", u"p", 1, u"D:\\a"));
  auto held = admins_.AdminProperty.Get();
  ASSERT_TRUE(admins_.AddAdmin(u"second", u"p", 1, u"D:\\b"));
  EXPECT_EQ(admins_.AdminProperty.Get()->Count(), 1) << "the list as it was before the second add";
  ASSERT_TRUE(admins_.GetAdminList());
  EXPECT_EQ(admins_.AdminProperty.Get()->Count(), 2);
  EXPECT_EQ(admins_.AdminProperty.Get()->Item(Variant(std::int32_t{2}))->AdminName, u"second") << "listed last";
  EXPECT_EQ(held->Count(), 0) << "an earlier reference keeps its own items";
}

TEST_F(AdminsTest, NameTakenInAnyLetterCaseIsRefusedAndNothingWritten) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  const std::string before = Settings();
  EXPECT_FALSE(admins_.AddAdmin(u"Sales", u"other", 3, u"D:\\x"));
  EXPECT_EQ(admins_.ErrorMsg, u"The AdminName exists already");
  EXPECT_EQ(Settings(), before);
}

TEST_F(AdminsTest, DeleteFindsTheNameInAnyLetterCase) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  ASSERT_TRUE(admins_.AddAdmin(u"keep", u"k", 1, u"D:\\keep"));
  ASSERT_TRUE(admins_.DelAdmin(u"SALES"));
  EXPECT_EQ(admins_.ErrorMsg, u"");
  EXPECT_EQ(admin::ReadSetting(admin::kPrivateDirSection, u"sales"), u"");
  EXPECT_EQ(admin::ReadSetting(admin::kPrivateDirSection, u"keep"), u"k|1|D:\\keep");
  EXPECT_FALSE(admin::CheckDomainRight(u"sales", u"Pa55", 2)) << "a deleted administrator has no rights";
}

TEST_F(AdminsTest, DeletingAnUnknownNameFails) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  const std::string before = Settings();
  EXPECT_FALSE(admins_.DelAdmin(u"sale"));
  EXPECT_EQ(admins_.ErrorMsg, u"The AdminName does not exist");
  EXPECT_EQ(Settings(), before);
}

TEST_F(AdminsTest, WithoutSystemCredentialsNothingIsListedOrWritten) {
  ASSERT_TRUE(admins_.AddAdmin(u"sales", u"Pa55", 2, u"D:\\ftp\\sales"));
  ASSERT_TRUE(admins_.GetAdminList());
  auto held = admins_.AdminProperty.Get();
  const std::string before = Settings();

  classes::AdminOfAdmin page;  // credentials never set
  EXPECT_FALSE(page.GetAdminList());
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");
  EXPECT_FALSE(page.AddAdmin(u"x", u"p", 1, u"D:\\x"));
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");
  EXPECT_FALSE(page.DelAdmin(u"sales"));
  EXPECT_EQ(page.ErrorMsg, u"You have no right!");

  admins_.Password = u"kelpmoor";  // the system password is compared with its letter case
  EXPECT_FALSE(admins_.GetAdminList());
  EXPECT_EQ(admins_.AdminProperty.Get(), held) << "a refused listing keeps the collection";
  EXPECT_EQ(Settings(), before);
}

TEST_F(AdminsTest, EntryWithTooFewFieldsFailsTheListingWithAnError) {
  root_.WriteSettings(Settings() + "[PrivateDir]\r\ngood=p|1|D:\\g\r\nbad=p|1\r\nlater=p|2|D:\\l\r\n");
  try {
    admins_.GetAdminList();
    FAIL() << "expected an automation error";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), automation::kSubscriptOutOfRange);
  }
  EXPECT_EQ(admins_.ErrorMsg, u"");
  EXPECT_EQ(admins_.AdminProperty.Get()->Count(), 1) << "the entries before the bad one";
}

TEST_F(AdminsTest, DomainFieldIsConvertedAsTextToAnInteger) {
  root_.WriteSettings(Settings() + "[PrivateDir]\r\nhex=p|&H10|D:\\h\r\nwide=p|70000|D:\\w\r\n");
  try {
    admins_.GetAdminList();
    FAIL() << "70000 does not fit a 16-bit integer";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), automation::kOverflow);
  }
  EXPECT_EQ(admins_.AdminProperty.Get()->Item(Variant(u"hex"))->DomainID, 16);
}

class RefusedAdmin : public AdminsTest,
                     public ::testing::WithParamInterface<std::tuple<std::u16string, std::u16string, std::u16string>> {};

TEST_P(RefusedAdmin, IsNotWrittenAndSaysWhy) {
  const auto& [name, password, root] = GetParam();
  const std::string before = Settings();
  EXPECT_FALSE(admins_.AddAdmin(name, password, 1, root));
  EXPECT_EQ(admins_.ErrorMsg.rfind(u"The administrator is refused: ", 0), 0u);
  EXPECT_EQ(Settings(), before);
}

INSTANTIATE_TEST_SUITE_P(
    BreakingTheFile, RefusedAdmin,
    ::testing::Values(std::make_tuple(u"", u"p", u"D:\\r"),                    // empty key name
                      std::make_tuple(u"a=b", u"p", u"D:\\r"),                 // "=" ends the name
                      std::make_tuple(u"a;b", u"p", u"D:\\r"),                 // ";" splits key lists
                      std::make_tuple(u"[x", u"p", u"D:\\r"),                  // reads as a section
                      std::make_tuple(u" sales", u"p", u"D:\\r"),              // blanks are dropped
                      std::make_tuple(u"a\r\n[Vantrel]", u"p", u"D:\\r"),      // line injection
                      std::make_tuple(u"sales", u"p|9", u"D:\\r"),              // "|" adds fields
                      std::make_tuple(u"sales", u"p", u"D:\\r|x"),
                      std::make_tuple(u"sales", u"p\nAdministrator=me", u"D:\\r"),
                      std::make_tuple(u"sales", u"p", std::u16string(u"D:\\r\0x", 6)),
                      std::make_tuple(u"sales", u" p", u"D:\\r"),              // leading blank lost
                      std::make_tuple(u"sales", u"\"p", u"D:\\r\"")));         // enclosing quotes lost

TEST_F(AdminsTest, SeparatorsInsideAFieldAreAcceptedWhereTheyReadBack) {
  ASSERT_TRUE(admins_.AddAdmin(u"semi", u"p;=w", 4, u"D:\\a b;c")) << automation::ToUtf8(admins_.ErrorMsg);
  ASSERT_TRUE(admins_.GetAdminList());
  auto item = admins_.AdminProperty.Get()->Item(Variant(u"semi"));
  EXPECT_EQ(item->AdminPassword, u"p;=w");
  EXPECT_EQ(item->RootDir, u"D:\\a b;c");
}

}  // namespace
}  // namespace vantrel::testing
