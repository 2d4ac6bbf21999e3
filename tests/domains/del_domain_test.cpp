// DelDomain: the section rebuilt without the domain, its users and user index
// removed, the FTP server's fields kept, and all of it one transaction.
#include "domains_fixture.hpp"

namespace vantrel::testing {
namespace {

const std::string kHead = "[GLOBAL]\r\nVersion=6.4\r\n";
const std::string kUsersOfOne =
    "[Domain1]\r\nUser1=alice|1|0\r\nUser2= bob |0|0\r\n"
    "[USER=alice|1]\r\nHomeDir=D:\\a\r\n[USER=bob|1]\r\nHomeDir=D:\\b\r\n";
const std::string kUsersOfTwo = "[Domain2]\r\nUser1=alice|1|0\r\n[USER=alice|2]\r\nHomeDir=D:\\c\r\n";

class DelDomainTest : public DomainsTest {};

TEST_F(DelDomainTest, RemovesTheDomainItsUsersAndIndexAndRenumbersTheRest) {
  folder_.WriteServerFile(kHead +
                          DomainsSection({"Domain1=10.0.0.1||21|one|1|0", "Domain2=10.0.0.2||22|two|2|0",
                                          "Domain3=10.0.0.4||24|four|4|0"}) +
                          kUsersOfOne + kUsersOfTwo);
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(1));
  EXPECT_EQ(d->ErrorMsg, u"");
  // The rebuilt section stands at the end of the file.
  EXPECT_EQ(folder_.ReadServerFile(),
            kHead + kUsersOfTwo + DomainsSection({"Domain1=10.0.0.2||22|two|2|0", "Domain2=10.0.0.4||24|four|4|0"}));
}

TEST_F(DelDomainTest, UnknownIdFailsAndLeavesTheFileAsItWas) {
  const std::string file = kHead + DomainsSection({"Domain2=a||21|one|1|0", "Domain1=b||22|two|2|0"}) + kUsersOfOne;
  folder_.WriteServerFile(file);
  auto d = NewDomains();
  EXPECT_FALSE(d->DelDomain(3));
  EXPECT_EQ(d->ErrorMsg, u"This ID does not exist");
  EXPECT_EQ(folder_.ReadServerFile(), file);
}

TEST_F(DelDomainTest, KeepsServerFieldsAndEmptyAddressesOfTheRemainingLines) {
  folder_.WriteServerFile(DomainsSection({"Domain1=|srv|2121|files|2|7|extra", "Domain2=1.1.1.1||21|gone|1|0",
                                          "Domain3=2.2.2.2|x|22|kept|3"}));
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(1));
  EXPECT_EQ(folder_.ReadServerFile(),
            DomainsSection({"Domain1=|srv|2121|files|2|7|extra", "Domain2=2.2.2.2|x|22|kept|3|0"}));
}

TEST_F(DelDomainTest, KeepsTheWholeOfLinesLongerThanTheListingSees) {
  const std::string tail(300, 't');
  folder_.WriteServerFile(DomainsSection({"Domain1=1.1.1.1||21|long|2|0|" + tail, "Domain2=3.3.3.3||21|gone|1|0"}));
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(1));
  EXPECT_EQ(folder_.ReadServerFile(), DomainsSection({"Domain1=1.1.1.1||21|long|2|0|" + tail}));
}

TEST_F(DelDomainTest, DeletingTheLastDomainLeavesAnEmptySection) {
  folder_.WriteServerFile(kHead + DomainsSection({"Domain1=a||21|one|1|0"}) + kUsersOfOne);
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(1));
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Count(), 0);
  EXPECT_EQ(folder_.ReadServerFile().find("USER="), std::string::npos);
}

TEST_F(DelDomainTest, UnreadableUserListRaisesAndWritesNothing) {
  // The user list of the domain being deleted has a line of too few fields.
  const std::string file =
      kHead + DomainsSection({"Domain1=a||21|one|1|0", "Domain2=b||22|two|2|0"}) + "[Domain1]\r\nUser1=alice\r\n";
  folder_.WriteServerFile(file);
  auto d = NewDomains();
  EXPECT_NE(ErrorOf([&] { d->DelDomain(1); }), 0);
  EXPECT_EQ(d->ErrorMsg, u"");
  EXPECT_EQ(folder_.ReadServerFile(), file);
}

TEST_F(DelDomainTest, NeedsTheSystemAdministratorAndAnExistingFile) {
  const std::string file = DomainsSection({"Domain1=a||21|one|1|0"});
  folder_.WriteServerFile(file);
  auto d = NewDomains();
  d->AdminName = u"dom2";
  d->AdminPassword = u"Secret";
  EXPECT_FALSE(d->DelDomain(1));
  EXPECT_EQ(d->ErrorMsg, u"You are not administrator!");
  EXPECT_EQ(folder_.ReadServerFile(), file);
  auto elsewhere = NewDomains();
  elsewhere->ServUPath += u"\\missing";
  EXPECT_FALSE(elsewhere->DelDomain(1));
  EXPECT_EQ(elsewhere->ErrorMsg, u"ServUPath error");
}

TEST_F(DelDomainTest, ListIsRefilledBeforeTheChangeAndNotAfter) {
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|one|1|0", "Domain2=b||22|two|2|0"}));
  auto d = NewDomains();
  ASSERT_TRUE(d->DelDomain(2));
  EXPECT_EQ(d->DomainProperty.Get()->Count(), 2);
}

}  // namespace
}  // namespace vantrel::testing
