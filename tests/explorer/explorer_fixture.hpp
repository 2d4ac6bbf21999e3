#pragma once
// A fresh system root with the factory settings, a domain administrator
// "sales" (password Pa55, domain 2, root D:\ftp\sales) and helpers that put
// folders and files on the stand-in drives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "classes/explorer.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {

class ExplorerTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // <root>/drives/<letter>/<rest>, with "\" in `rest` taken as "/".
  std::filesystem::path Drive(char letter, const std::string& rest = {}) const;
  // Creates the folder (and its parents).
  std::filesystem::path Folder(const std::filesystem::path& path) const;
  // Creates a file of `size` bytes.
  std::filesystem::path FileOf(const std::filesystem::path& path, std::size_t size = 0) const;

  void SignInAsSystem() {
    explorer_.AdminName = u"Vantrel";
    explorer_.AdminPassword = u"KelpMoor";
  }
  void SignInAsSales() {
    explorer_.AdminName = u"sales";
    explorer_.AdminPassword = u"pa55";  // a domain administrator's password ignores letter case
  }

  TempRoot root_;
  classes::Explorer explorer_;
};

}  // namespace vantrel::testing
