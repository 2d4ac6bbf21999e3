// AddDomain: rights, duplicate tests in their order, new IDs and keys, and
// refusal of text that would break the line.
#include "domains_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

const std::string kThree = DomainsSection({"Domain1=10.0.0.1||21|one.example|1|0", "Domain2=||2121|two.example|2|0",
                                           "Domain3=10.0.0.4||990|four.example|4|0"});

class AddDomainTest : public DomainsTest {};

TEST_F(AddDomainTest, OnlyTheSystemAdministratorMayAddAndARefusalWritesNothing) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  d->AdminPassword = u"kelpmoor";  // the system password is compared with letter case
  EXPECT_FALSE(d->AddDomain(u"new.example", u"1.2.3.4", 21));
  EXPECT_EQ(d->ErrorMsg, u"You are not administrator!");
  d->AdminName = u"dom2";  // a domain administrator
  d->AdminPassword = u"Secret";
  EXPECT_FALSE(d->AddDomain(u"new.example", u"1.2.3.4", 21));
  EXPECT_EQ(d->ErrorMsg, u"You are not administrator!");
  EXPECT_EQ(folder_.ReadServerFile(), kThree);
  d->AdminName = u"VANTREL";  // the name matches without regard to letter case
  d->AdminPassword = kAdminPassword;
  std::filesystem::remove(folder_.ServerFile().parent_path().parent_path() / "Windows" / "Vantrel.ini");
  EXPECT_FALSE(d->AddDomain(u"new.example", u"1.2.3.4", 21));  // no settings file
  EXPECT_EQ(d->ErrorMsg, u"You are not administrator!");
  folder_.WriteSettings();
  EXPECT_TRUE(d->AddDomain(u"new.example", u"1.2.3.4", 21));
}

TEST_F(AddDomainTest, FirstDomainOfAnEmptyFileGetsKeyDomain1AndId1WithPort21) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=6\r\n");
  auto d = NewDomains();
  ASSERT_TRUE(d->AddDomain(u"h.example", u"192.168.0.5"));
  EXPECT_EQ(folder_.ReadServerFile(), "[GLOBAL]\r\nVersion=6\r\n[DOMAINS]\r\nDomain1=192.168.0.5||21|h.example|1|0\r\n");
}

TEST_F(AddDomainTest, TakesTheSmallestFreeIdAndTheNextKey) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  ASSERT_TRUE(d->AddDomain(u"new.example", u"1.2.3.4", 2100));
  EXPECT_EQ(folder_.ReadServerFile(), kThree + "Domain4=1.2.3.4||2100|new.example|3|0\r\n");
}

TEST_F(AddDomainTest, NeverOverwritesAnExistingKeyOfAHandNumberedSection) {
  const std::string gaps = DomainsSection({"Domain1=a||21|one|1|0", "Domain3=c||21|three|3|0"});
  folder_.WriteServerFile(gaps);
  auto d = NewDomains();
  ASSERT_TRUE(d->AddDomain(u"new", u"n", 21));
  EXPECT_EQ(folder_.ReadServerFile(), gaps + "Domain4=n||21|new|2|0\r\n");
}

TEST_F(AddDomainTest, HostNameDifferingOnlyInLetterCaseIsTaken) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  EXPECT_FALSE(d->AddDomain(u"TWO.Example", u"9.9.9.9", 21));
  EXPECT_EQ(d->ErrorMsg, u"This HostName exists already");
  EXPECT_EQ(folder_.ReadServerFile(), kThree);
}

TEST_F(AddDomainTest, SameAddressAndPortIsTakenFirstConflictInListOrderCounts) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  EXPECT_FALSE(d->AddDomain(u"x.example", u"127.0.0.1", 2121));  // the empty address field
  EXPECT_EQ(d->ErrorMsg, u"The port of this IP exists already");
  // Domain1 conflicts by address and port, the later Domain3 by host name.
  EXPECT_FALSE(d->AddDomain(u"four.example", u"10.0.0.1", 21));
  EXPECT_EQ(d->ErrorMsg, u"The port of this IP exists already");
  EXPECT_TRUE(d->AddDomain(u"x.example", u"10.0.0.1", 22));
  EXPECT_EQ(d->ErrorMsg, u"");
}

TEST_F(AddDomainTest, ArgumentsAreWrittenUnchangedAndTheListStaysAsBefore) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  ASSERT_TRUE(d->AddDomain(u" spaced ", u"", 21));
  EXPECT_EQ(d->DomainProperty.Get()->Count(), 3);
  EXPECT_NE(folder_.ReadServerFile().find("Domain4=||21| spaced |3|0\r\n"), std::string::npos);
}

TEST_F(AddDomainTest, BarsAndLineBreaksAreRefusedWithNothingWritten) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  EXPECT_FALSE(d->AddDomain(u"evil|5|0", u"1.2.3.4", 21));
  EXPECT_NE(d->ErrorMsg.find(u"HostName"), std::u16string::npos);
  EXPECT_NE(d->ErrorMsg.find(u"\"|\""), std::u16string::npos);
  EXPECT_FALSE(d->AddDomain(u"ok", u"1.2.3.4\r\n[GLOBAL]", 21));
  EXPECT_NE(d->ErrorMsg.find(u"IP"), std::u16string::npos);
  EXPECT_FALSE(d->AddDomain(u"ok", u"1.2|3", 21));
  EXPECT_NE(d->ErrorMsg.find(u"IP"), std::u16string::npos);
  EXPECT_EQ(folder_.ReadServerFile(), kThree);
}

TEST_F(AddDomainTest, MissingServerFileIsReportedAfterTheRightsCheck) {
  auto d = NewDomains();
  EXPECT_FALSE(d->AddDomain(u"h", u"1.1.1.1", 21));
  EXPECT_EQ(d->ErrorMsg, u"ServUPath error");
  EXPECT_FALSE(std::filesystem::exists(folder_.ServerFile()));
  d->AdminPassword.clear();
  EXPECT_FALSE(d->AddDomain(u"h", u"1.1.1.1", 21));
  EXPECT_EQ(d->ErrorMsg, u"You are not administrator!");
}

TEST_F(AddDomainTest, UnreadableLineRaisesAndWritesNothing) {
  const std::string bad = DomainsSection({"Domain1=a||21|one|1|0", "Domain2=b||x|two|2|0"});
  folder_.WriteServerFile(bad);
  auto d = NewDomains();
  EXPECT_EQ(ErrorOf([&] { d->AddDomain(u"new", u"n", 21); }), automation::kTypeMismatch);
  EXPECT_EQ(d->ErrorMsg, u"");
  EXPECT_EQ(folder_.ReadServerFile(), bad);
}

TEST_F(AddDomainTest, IdsOfDeletedDomainsAreUsedAgain) {
  folder_.WriteServerFile(kThree);
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(1));
  ASSERT_TRUE(d->AddDomain(u"again", u"5.5.5.5", 21));
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Item(Variant(u"1"))->HostName, u"again");
}

}  // namespace
}  // namespace vantrel::testing
