// ModifyDomain: duplicate tests that skip the domain itself, the domain's own
// key, trimmed text, and the FTP server's fields carried over.
#include "domains_fixture.hpp"

namespace vantrel::testing {
namespace {

const std::string kTwo = DomainsSection({"Domain1=10.0.0.1||21|one.example|1|0", "Domain2=||2121|two.example|2|0"});

class ModifyDomainTest : public DomainsTest {};

TEST_F(ModifyDomainTest, ChangingOnlyThePortKeepsTheOwnHostName) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  ASSERT_TRUE(d->ModifyDomain(1, u"one.example", u"10.0.0.1", 2100));
  EXPECT_EQ(folder_.ReadServerFile(),
            DomainsSection({"Domain1=10.0.0.1||2100|one.example|1|0", "Domain2=||2121|two.example|2|0"}));
}

TEST_F(ModifyDomainTest, UnknownIdFailsAndWritesNothing) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  EXPECT_FALSE(d->ModifyDomain(9, u"nine", u"9.9.9.9", 21));
  EXPECT_EQ(d->ErrorMsg, u"Modify Domain failed");
  EXPECT_EQ(folder_.ReadServerFile(), kTwo);
}

TEST_F(ModifyDomainTest, ConflictsWithOtherDomainsAreRefused) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  EXPECT_FALSE(d->ModifyDomain(1, u"TWO.example", u"10.0.0.1", 21));
  EXPECT_EQ(d->ErrorMsg, u"This HostName exists already");
  EXPECT_FALSE(d->ModifyDomain(1, u"one.example", u"127.0.0.1", 2121));
  EXPECT_EQ(d->ErrorMsg, u"The port of this IP exists already");
  EXPECT_EQ(folder_.ReadServerFile(), kTwo);
}

TEST_F(ModifyDomainTest, HostNameAndAddressAreWrittenWithoutSurroundingSpaces) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  ASSERT_TRUE(d->ModifyDomain(2, u"  renamed.example ", u" 10.0.0.9  ", 2121));
  EXPECT_NE(folder_.ReadServerFile().find("Domain2=10.0.0.9||2121|renamed.example|2|0\r\n"), std::string::npos);
}

TEST_F(ModifyDomainTest, RewritesTheDomainsOwnKeyInAHandNumberedSection) {
  const std::string odd = DomainsSection({"Second=b||22|two|2|0", "Domain1=a||21|one|1|0"});
  folder_.WriteServerFile(odd);
  auto d = NewDomains();
  // Position 1 holds the domain with ID 2; its key is "Second", not Domain1.
  ASSERT_TRUE(d->ModifyDomain(2, u"two", u"b", 2222));
  EXPECT_EQ(folder_.ReadServerFile(), DomainsSection({"Second=b||2222|two|2|0", "Domain1=a||21|one|1|0"}));
}

TEST_F(ModifyDomainTest, KeepsTheServersFieldsOfTheLine) {
  folder_.WriteServerFile(DomainsSection({"Domain1=1.1.1.1|srv|21|one|1|5|six|seven"}));
  auto d = NewDomains();
  ASSERT_TRUE(d->ModifyDomain(1, u"uno", u"2.2.2.2", 2121));
  EXPECT_EQ(folder_.ReadServerFile(), DomainsSection({"Domain1=2.2.2.2|srv|2121|uno|1|5|six|seven"}));
}

TEST_F(ModifyDomainTest, RefusesBarsAndLineBreaksAndNeedsTheSystemAdministrator) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  EXPECT_FALSE(d->ModifyDomain(1, u"one\n[X]", u"10.0.0.1", 21));
  EXPECT_NE(d->ErrorMsg.find(u"HostName"), std::u16string::npos);
  EXPECT_FALSE(d->ModifyDomain(1, u"one", u"10.0.0.1|9", 21));
  EXPECT_NE(d->ErrorMsg.find(u"IP"), std::u16string::npos);
  auto guest = NewDomains(false);
  EXPECT_FALSE(guest->ModifyDomain(1, u"one", u"10.0.0.1", 22));
  EXPECT_EQ(guest->ErrorMsg, u"You are not administrator!");
  EXPECT_EQ(folder_.ReadServerFile(), kTwo);
}

TEST_F(ModifyDomainTest, ErrorMsgIsClearedBySuccess) {
  folder_.WriteServerFile(kTwo);
  auto d = NewDomains();
  EXPECT_FALSE(d->ModifyDomain(9, u"x", u"y", 1));
  EXPECT_TRUE(d->ModifyDomain(1, u"one.example", u"10.0.0.1", 21));
  EXPECT_EQ(d->ErrorMsg, u"");
}

}  // namespace
}  // namespace vantrel::testing
