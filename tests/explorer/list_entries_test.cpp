// Explorer.List: which entries are listed, with which names, sizes and times.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <array>
#include <set>

#include "automation/coercion.hpp"
#include "explorer_fixture.hpp"

namespace vantrel::testing {
namespace {

using automation::Variant;

std::set<std::u16string> DirNames(classes::Explorer& e) {
  std::set<std::u16string> names;
  auto dirs = e.DirectoryProperty.Get();
  for (std::int32_t i = 1; i <= dirs->Count(); ++i) names.insert(dirs->Item(Variant(i))->DirName);
  return names;
}

std::set<std::u16string> FileNames(classes::Explorer& e) {
  std::set<std::u16string> names;
  auto files = e.FileProperty.Get();
  for (std::int32_t i = 1; i <= files->Count(); ++i) names.insert(files->Item(Variant(i))->FileName);
  return names;
}

using Names = std::set<std::u16string>;

// Sets a file's access and modification times to `seconds` + `nanos` (UTC).
void SetTimes(const std::filesystem::path& file, std::time_t seconds, long nanos) {
  const timespec times[2] = {{seconds, nanos}, {seconds, nanos}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

// Runs with the process in another time zone, and back.
class OtherTimeZone {
 public:
  explicit OtherTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old, had_ = true;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~OtherTimeZone() {
    had_ ? ::setenv("TZ", saved_.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string saved_;
  bool had_ = false;
};

class ListingTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    SignInAsSystem();
    explorer_.CurrentDir = u"D:\\ftp\\sales";
  }
  std::filesystem::path Sales(const std::string& rest) const { return Drive('d', "ftp\\sales\\" + rest); }
};

TEST_F(ListingTest, DotFoldersAreSkippedButDotFilesListed) {
  Folder(Sales("a"));
  Folder(Sales(".svn"));
  FileOf(Sales("x.txt"));
  FileOf(Sales(".htaccess"));
  ASSERT_TRUE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, u"");
  EXPECT_EQ(DirNames(explorer_), (Names{u"a"}));
  EXPECT_EQ(FileNames(explorer_), (Names{u"x.txt", u".htaccess"}));
}

TEST_F(ListingTest, EntriesAreReachedByNameInAnyLetterCase) {
  Folder(Sales("a"));
  FileOf(Sales("Report.DOC"), 3);
  ASSERT_TRUE(explorer_.List(u"*.*"));
  auto dir = explorer_.DirectoryProperty.Get()->Item(Variant(u"A"));
  EXPECT_EQ(dir->DirName, u"a") << "the last path part only";
  EXPECT_EQ(explorer_.FileProperty.Get()->Item(Variant(u"report.doc"))->FileLength, 3);
}

TEST_F(ListingTest, FileLengthIsTheSizeInBytes) {
  FileOf(Sales("k.bin"), 1000);
  FileOf(Sales("empty.bin"), 0);
  ASSERT_TRUE(explorer_.List());
  auto files = explorer_.FileProperty.Get();
  EXPECT_EQ(files->Item(Variant(u"k.bin"))->FileLength, 1000);
  EXPECT_EQ(files->Item(Variant(u"empty.bin"))->FileLength, 0);
}

TEST_F(ListingTest, FilesOfTwoGibibytesAndMoreGiveTheLargestLength) {
  for (const auto& [name, size] : {std::pair{"just.bin", 2147483647LL}, std::pair{"two.bin", 2147483648LL},
                                   std::pair{"big.bin", 3LL << 30}}) {
    const int fd = ::open(Sales(name).c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);  // sparse: no disk space used
    ::close(fd);
  }
  ASSERT_TRUE(explorer_.List());
  auto files = explorer_.FileProperty.Get();
  EXPECT_EQ(files->Item(Variant(u"just.bin"))->FileLength, 2147483647);
  EXPECT_EQ(files->Item(Variant(u"two.bin"))->FileLength, 2147483647);
  EXPECT_EQ(files->Item(Variant(u"big.bin"))->FileLength, 2147483647);
}

TEST_F(ListingTest, TimesAreUtcToTheSecondWhateverTheTimeZone) {
  const auto file = FileOf(Sales("stamp.txt"));
  // 2003-12-31 23:30:15.750 UTC.
  const std::time_t at = std::chrono::system_clock::to_time_t(
      std::chrono::sys_days{std::chrono::year{2003} / 12 / 31} + std::chrono::hours{23} + std::chrono::minutes{30} +
      std::chrono::seconds{15});
  SetTimes(file, at, 750'000'000);
  for (const char* zone : {"UTC0", "JST-9", "EST5EDT"}) {
    OtherTimeZone in(zone);
    ASSERT_TRUE(explorer_.List());
    auto entry = explorer_.FileProperty.Get()->Item(Variant(u"stamp.txt"));
    const auto w = automation::SplitDate(entry->LastWriteTime);
    EXPECT_EQ((std::array{w.year, w.month, w.day, w.hour, w.minute, w.second}),
              (std::array{2003, 12, 31, 23, 30, 15}))
        << zone;
    EXPECT_EQ(entry->LastAccessTime, entry->LastWriteTime);
    EXPECT_EQ(entry->LastWriteTime, automation::MakeDate(2003, 12, 31, 23, 30, 15)) << "milliseconds dropped";
  }
}

TEST_F(ListingTest, CreationTimeIsWhenTheEntryCameToBe) {
  const auto before = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  FileOf(Sales("new.txt"));
  Folder(Sales("newdir"));
  const auto after = std::chrono::ceil<std::chrono::seconds>(std::chrono::system_clock::now());
  ASSERT_TRUE(explorer_.List());
  auto toDate = [](auto t) {
    const auto day = std::chrono::floor<std::chrono::days>(t);
    const std::chrono::year_month_day ymd{day};
    const std::chrono::hh_mm_ss hms{t - day};
    return automation::MakeDate(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())),
                                int(hms.hours().count()), int(hms.minutes().count()), int(hms.seconds().count()));
  };
  for (const automation::Date created :
       {explorer_.FileProperty.Get()->Item(Variant(u"new.txt"))->CreationTime,
        explorer_.DirectoryProperty.Get()->Item(Variant(u"newdir"))->CreationTime}) {
    EXPECT_GE(created.value, toDate(before).value);
    EXPECT_LE(created.value, toDate(after).value);
  }
}

TEST_F(ListingTest, PatternsSelectByNameWithoutRegardToCase) {
  FileOf(Sales("a.txt"));
  FileOf(Sales("AB.TXT"));
  FileOf(Sales("c.log"));
  FileOf(Sales("noext"));
  Folder(Sales("notes.txt"));
  ASSERT_TRUE(explorer_.List(u"*.txt"));
  EXPECT_EQ(FileNames(explorer_), (Names{u"a.txt", u"AB.TXT"}));
  EXPECT_EQ(DirNames(explorer_), (Names{u"notes.txt"})) << "folders are matched by the pattern too";
  ASSERT_TRUE(explorer_.List(u"?.TXT"));
  EXPECT_EQ(FileNames(explorer_), (Names{u"a.txt"}));
  ASSERT_TRUE(explorer_.List(u"c.LOG"));
  EXPECT_EQ(FileNames(explorer_), (Names{u"c.log"}));
  ASSERT_TRUE(explorer_.List());
  EXPECT_EQ(FileNames(explorer_), (Names{u"a.txt", u"AB.TXT", u"c.log", u"noext"})) << "*.* matches every name";
}

TEST_F(ListingTest, NoMatchOrNoFolderIsTrueWithEmptyCollections) {
  FileOf(Sales("x.log"));
  Folder(Sales("sub"));
  ASSERT_TRUE(explorer_.List());
  auto earlier = explorer_.FileProperty.Get();
  ASSERT_TRUE(explorer_.List(u"*.txt"));
  EXPECT_EQ(explorer_.FileProperty.Get()->Count(), 0);
  EXPECT_EQ(explorer_.DirectoryProperty.Get()->Count(), 0);
  EXPECT_EQ(earlier->Count(), 1) << "replaced by new collections, not emptied";

  explorer_.CurrentDir = u"D:\\ftp\\sales\\missing";
  EXPECT_TRUE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, u"");
  EXPECT_EQ(explorer_.FileProperty.Get()->Count(), 0);
}


TEST_F(ListingTest, AnErrorWhileAddingKeepsWhatWasAddedAndLeavesNoMessage) {
  // Names differing only in letter case (possible on POSIX) collide as keys.
  FileOf(Sales("same.txt"));
  FileOf(Sales("SAME.txt"));
  EXPECT_FALSE(explorer_.List());
  EXPECT_EQ(explorer_.ErrorMsg, u"");
  EXPECT_EQ(explorer_.FileProperty.Get()->Count(), 1) << "the first of the two";
}

}  // namespace
}  // namespace vantrel::testing
