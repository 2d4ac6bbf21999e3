#pragma once
// Shared fixture of the INI engine tests: a fresh folder per test, helpers to
// lay down and read back file bytes, and short forms of the profile calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "scoped_locale.hpp"
#include "storage/ini/ini_profile.hpp"
#include "temp_root.hpp"

namespace vantrel::storage::ini::testing {

// What a string read returns: the count and the text up to the first NUL.
struct Read {
  std::uint32_t count = 0;
  std::string text;
};

class IniTest : public vantrel::testing::TempRootTest {
 protected:
  IniTest() { std::filesystem::create_directories(folder_); }

  // The test's file (not created), alone in its folder.
  const std::filesystem::path& file() const { return file_; }
  const std::filesystem::path& folder() const { return folder_; }
  void Lay(const std::string& bytes) const { vantrel::testing::WriteBytes(file_, bytes); }
  std::string Bytes() const { return ReadBytes(file_); }  // "" when missing
  bool Exists() const { return std::filesystem::exists(file_); }

  Read Value(OptText section, OptText key, OptText def = "dflt", std::uint32_t size = 256) const;

 private:
  std::filesystem::path folder_ = top_ / "ini";
  std::filesystem::path file_ = folder_ / "test.ini";
};

using storage::testing::ScopedLocale;

}  // namespace vantrel::storage::ini::testing
