// Reading values as whole numbers.
#include "ini_test_support.hpp"
#include "storage/ini/ini_access.hpp"

namespace vantrel::storage::ini::testing {
namespace {

using GetIntTest = IniTest;

TEST_F(GetIntTest, NumberForms) {
  Lay("[n]\r\na=42\r\nb=0x10\r\nc=-0x10\r\nd=010\r\ne=12abc\r\nf=3.9\r\ng= 12 \r\nh=\t9\t\r\ni=\"42\"\r\nj=+7\r\n"
      "k=1e3\r\n");
  EXPECT_EQ(ReadInt(file(), "n", "a", -1), 42);
  EXPECT_EQ(ReadInt(file(), "n", "b", -1), 16);
  EXPECT_EQ(ReadInt(file(), "n", "c", -1), -16);
  EXPECT_EQ(ReadInt(file(), "n", "d", -1), 10);
  EXPECT_EQ(ReadInt(file(), "n", "e", -1), 12);
  EXPECT_EQ(ReadInt(file(), "n", "f", -1), 3);
  EXPECT_EQ(ReadInt(file(), "n", "g", -1), 12);
  EXPECT_EQ(ReadInt(file(), "n", "h", -1), 9);
  EXPECT_EQ(ReadInt(file(), "n", "i", -1), 42);
  EXPECT_EQ(ReadInt(file(), "n", "j", -1), 7);
  EXPECT_EQ(ReadInt(file(), "n", "k", -1), 1);
}

TEST_F(GetIntTest, NoDigitsGiveZeroButMissingOrEmptyGiveTheDefault) {
  Lay("[n]\r\nabc=abc\r\nminus=-\r\nspaced=- 5\r\nempty=\r\n");
  EXPECT_EQ(ReadInt(file(), "n", "abc", 9), 0);
  EXPECT_EQ(ReadInt(file(), "n", "minus", 9), 0);
  EXPECT_EQ(ReadInt(file(), "n", "spaced", 9), 0);
  EXPECT_EQ(ReadInt(file(), "n", "empty", 9), 9);
  EXPECT_EQ(ReadInt(file(), "n", "missing", -5), -5);
  EXPECT_EQ(ReadInt(file(), "missing", "abc", 3), 3);
}

TEST_F(GetIntTest, OverflowWrapsModulo2To32) {
  Lay("[n]\r\na=99999999999\r\nb=4294967296\r\nc=4294967295\r\nd=2147483648\r\n");
  EXPECT_EQ(GetProfileInt("n", "a", 0, file()), 1215752191u);
  EXPECT_EQ(GetProfileInt("n", "b", 0, file()), 0u);
  EXPECT_EQ(GetProfileInt("n", "c", 0, file()), 0xFFFFFFFFu);
  EXPECT_EQ(GetProfileInt("n", "d", 0, file()), 0x80000000u);
}

TEST_F(GetIntTest, NullNamesGiveZero) {
  Lay("[n]\r\na=5\r\n");
  EXPECT_EQ(GetProfileInt(std::nullopt, "a", 7, file()), 0u);
  EXPECT_EQ(GetProfileInt("n", std::nullopt, 7, file()), 0u);
}

TEST_F(GetIntTest, MissingFileGivesTheDefault) {
  EXPECT_EQ(ReadInt(file(), "n", "a", -3), -3);
  EXPECT_FALSE(Exists());
}

}  // namespace
}  // namespace vantrel::storage::ini::testing
