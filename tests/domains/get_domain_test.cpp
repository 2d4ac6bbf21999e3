// GetDomain: the DOMAINS section as a Domain collection, including files the
// FTP server or a person wrote in unusual shapes.
#include "domains_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

class GetDomainTest : public DomainsTest {};

TEST_F(GetDomainTest, ListsEveryLineInFileOrderWithoutCredentials) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=6.4\r\n" +
                          DomainsSection({"Domain1=10.0.0.1||21|one.example|7|0", "Domain2=10.0.0.2||2121|two.example|3|0"}));
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->ErrorMsg, u"");
  auto list = d->DomainProperty.Get();
  ASSERT_EQ(list->Count(), 2);
  auto first = list->Item(Variant(1));
  EXPECT_EQ(first->ID, 7);
  EXPECT_EQ(first->IP(), u"10.0.0.1");
  EXPECT_EQ(first->HostName, u"one.example");
  EXPECT_EQ(first->port, 21);
  EXPECT_EQ(list->Item(Variant(2))->ID, 3);
}

TEST_F(GetDomainTest, KeyIsTheIdFieldTextNotThePosition) {
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|one|2|0", "Domain2=b||21|two|1|0"}));
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  auto list = d->DomainProperty.Get();
  EXPECT_EQ(list->Item(Variant(u"1"))->HostName, u"two");
  EXPECT_EQ(list->Item(Variant(1))->HostName, u"one");
}

TEST_F(GetDomainTest, IdFieldTextIsTheKeyExactlyAsWritten) {
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|one|07|0"}));
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  auto list = d->DomainProperty.Get();
  EXPECT_EQ(list->Item(Variant(u"07"))->ID, 7);
  EXPECT_EQ(ErrorOf([&] { list->Item(Variant(u"7")); }), automation::kInvalidArgument);
}

TEST_F(GetDomainTest, MissingOrEmptySectionGivesAnEmptyListAndEmptyAddressIsLocalHost) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=1\r\n");
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Count(), 0);
  folder_.WriteServerFile("[DOMAINS]\r\n[GLOBAL]\r\n");
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Count(), 0);
  folder_.WriteServerFile(DomainsSection({"Domain1=||2121|files|2|0"}));
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Item(Variant(1))->IP(), u"127.0.0.1");
}

TEST_F(GetDomainTest, KeysOfAnyNameAreDomainsAndSevenFieldsReadTheFirstFive) {
  folder_.WriteServerFile(DomainsSection({"Main=1.1.1.1|x|21|main| 5 |9|extra", "Domain1=2.2.2.2||22|second|6|0"}));
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  auto list = d->DomainProperty.Get();
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Item(Variant(1))->ID, 5);  // blanks around a number are allowed
  EXPECT_EQ(list->Item(Variant(u" 5 "))->HostName, u"main");
  EXPECT_EQ(list->Item(Variant(2))->HostName, u"second");
}

TEST_F(GetDomainTest, MissingFileFailsAndKeepsThePreviousList) {
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|one|1|0"}));
  auto d = NewDomains(false);
  ASSERT_TRUE(d->GetDomain());
  auto before = d->DomainProperty.Get();
  std::filesystem::remove(folder_.ServerFile());
  EXPECT_FALSE(d->GetDomain());
  EXPECT_EQ(d->ErrorMsg, u"ServUPath error");
  EXPECT_EQ(d->DomainProperty.Get().get(), before.get());
  EXPECT_EQ(before->Count(), 1);
}

TEST_F(GetDomainTest, UnreadableLineFailsWithItsErrorAfterTheLinesBefore) {
  const struct {
    const char* line;
    int error;
  } cases[] = {
      {"Domain2=b||21|two", automation::kSubscriptOutOfRange},  // too few fields
      {"Domain2=b||21|two|x|0", automation::kTypeMismatch},     // ID not a number
      {"Domain2=b|||two|2|0", automation::kTypeMismatch},       // empty port
      {"Domain2=b||40000|two|2|0", automation::kOverflow},      // port beyond 32767
      {"Domain2=b||21|two|-32769|0", automation::kOverflow},
      {"Domain2=b||22|two|1|0", automation::kDuplicateKey},     // the ID of line 1 again
  };
  auto d = NewDomains(false);
  for (const auto& c : cases) {
    folder_.WriteServerFile(DomainsSection({"Domain1=a||21|one|1|0", c.line, "Domain3=c||21|three|3|0"}));
    EXPECT_EQ(ErrorOf([&] { d->GetDomain(); }), c.error) << c.line;
    EXPECT_EQ(d->ErrorMsg, u"");
    EXPECT_EQ(d->DomainProperty.Get()->Count(), 1) << c.line;
  }
}

TEST_F(GetDomainTest, LineCountsOnlyItsFirst254Bytes) {
  // The ID field starts at byte 254: the listing sees an empty ID field.
  const std::string host(254 - 7, 'h');  // "a||21|" + host + "|" is 254 bytes
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|" + host + "|1|0"}));
  auto d = NewDomains(false);
  EXPECT_EQ(ErrorOf([&] { d->GetDomain(); }), automation::kTypeMismatch);
  const std::string shorter(254 - 8, 'h');  // "a||21|" + host + "|1" is 254 bytes
  folder_.WriteServerFile(DomainsSection({"Domain1=a||21|" + shorter + "|1|0"}));
  ASSERT_TRUE(d->GetDomain());
  EXPECT_EQ(d->DomainProperty.Get()->Item(Variant(1))->ID, 1);
}

}  // namespace
}  // namespace vantrel::testing
