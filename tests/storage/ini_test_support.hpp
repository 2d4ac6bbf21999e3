#pragma once
// Shared fixture of the INI engine tests: a fresh folder per test, helpers to
// lay down and read back file bytes, and short forms of the profile calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "scoped_locale.hpp"
#include "storage/ini/ini_profile.hpp"

namespace vantrel::storage::ini::testing {

// What a string read returns: the count and the text up to the first NUL.
struct Read {
  std::uint32_t count = 0;
  std::string text;
};

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The test's file (not created).
  const std::filesystem::path& file() const { return file_; }
  const std::filesystem::path& folder() const { return folder_; }
  void Lay(const std::string& bytes) const;  // writes the file's bytes
  std::string Bytes() const;                 // the file's bytes ("" when missing)
  bool Exists() const;

  Read Value(OptText section, OptText key, OptText def = "dflt", std::uint32_t size = 256) const;
  // A list read: the whole buffer up to and including the count's end plus two bytes.
  std::string List(OptText section, OptText key, std::uint32_t size, std::uint32_t* count = nullptr) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

using storage::testing::ScopedLocale;

}  // namespace vantrel::storage::ini::testing
