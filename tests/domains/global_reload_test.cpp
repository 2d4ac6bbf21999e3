// Global.Version and About, and Domains.Reload.
#include "classes/global.hpp"
#include "domains_fixture.hpp"

namespace vantrel::testing {
namespace {

class GlobalTest : public DomainsTest {
 protected:
  automation::Ref<classes::Global> NewGlobal(const std::u16string& path) const {
    auto g = automation::MakeRef<classes::Global>();
    g->ServUPath = path;
    return g;
  }
};

TEST_F(GlobalTest, VersionComesFromGlobalWithOrWithoutTrailingSeparator) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.6\r\n");
  EXPECT_EQ(NewGlobal(folder_.ServUPath())->Version(), u"6.4.0.6");
  auto g = NewGlobal(folder_.ServUPath() + u"\\");
  EXPECT_EQ(g->Version(), u"6.4.0.6");
  EXPECT_EQ(g->ErrorMsg, u"");
}

TEST_F(GlobalTest, MissingKeyGivesEmptyTextAndLeavesErrorMsg) {
  folder_.WriteServerFile("[GLOBAL]\r\nProcessID=1\r\n");
  auto g = NewGlobal(folder_.ServUPath());
  EXPECT_EQ(g->Version(), u"");
  EXPECT_EQ(g->ErrorMsg, u"");
}

TEST_F(GlobalTest, WrongFolderGivesUnknownVersionAndTheMessageStays) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=6.4.0.6\r\n");
  auto g = NewGlobal(folder_.ServUPath() + u"\\nowhere");
  EXPECT_EQ(g->Version(), u"Unknown Version");
  EXPECT_EQ(g->ErrorMsg, u"ServUPath error");
  g->ServUPath = folder_.ServUPath();
  EXPECT_EQ(g->Version(), u"6.4.0.6");
  EXPECT_EQ(g->ErrorMsg, u"ServUPath error");
}

TEST_F(GlobalTest, EmptyServUPathLooksInTheCurrentFolder) {
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(folder_.ServerFile().parent_path());
  auto g = NewGlobal(u"");
  EXPECT_EQ(g->Version(), u"Unknown Version");
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=5.0\r\n");
  EXPECT_EQ(g->Version(), u"5.0");
  std::filesystem::current_path(here);
}

TEST_F(GlobalTest, VersionIsCutTo254Bytes) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=" + std::string(300, 'v') + "\r\n");
  EXPECT_EQ(NewGlobal(folder_.ServUPath())->Version(), std::u16string(254, u'v'));
}

TEST_F(GlobalTest, AboutHasFourLabelledFields) {
  const std::u16string about = NewGlobal(u"")->About();
  EXPECT_EQ(about.rfind(u"Vantrel|Version:1.0.0.0|", 0), 0u);
  std::size_t bars = 0, colons = 0;
  for (char16_t c : about) {
    bars += c == u'|';
    colons += c == u':';
  }
  EXPECT_EQ(bars, 3u);
  EXPECT_GE(colons, 3u);
}

class ReloadTest : public DomainsTest {};

TEST_F(ReloadTest, WritesTheSignalWithoutCredentials) {
  folder_.WriteServerFile("[GLOBAL]\r\nVersion=6\r\n[DOMAINS]\r\n");
  auto d = NewDomains(false);
  ASSERT_TRUE(d->Reload());
  EXPECT_EQ(folder_.ReadServerFile(), "[GLOBAL]\r\nVersion=6\r\nReloadSettings=true\r\n[DOMAINS]\r\n");
}

TEST_F(ReloadTest, ExistingSignalLeavesTheFileAsItWasAndMissingSectionIsAdded) {
  const std::string file = "[GLOBAL]\r\nReloadSettings=true\r\n";
  folder_.WriteServerFile(file);
  auto d = NewDomains(false);
  ASSERT_TRUE(d->Reload());
  EXPECT_EQ(folder_.ReadServerFile(), file);
  folder_.WriteServerFile("[DOMAINS]\r\n");
  ASSERT_TRUE(d->Reload());
  EXPECT_EQ(folder_.ReadServerFile(), "[DOMAINS]\r\n[GLOBAL]\r\nReloadSettings=true\r\n");
}

TEST_F(ReloadTest, MissingFileIsNotCreated) {
  auto d = NewDomains(false);
  EXPECT_FALSE(d->Reload());
  EXPECT_EQ(d->ErrorMsg, u"ServUPath error");
  EXPECT_FALSE(std::filesystem::exists(folder_.ServerFile()));
}

}  // namespace
}  // namespace vantrel::testing
