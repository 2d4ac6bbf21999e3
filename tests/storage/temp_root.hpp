#pragma once
// A fresh system root and current folder for each test: VANTREL_ROOT points
// at <tmp>/root, the current folder is <tmp>/cwd; both are restored and
// removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vantrel::storage::testing {

class TempRootTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates a file (and its folders) below the temporary folder with the given bytes.
  std::filesystem::path MakeFile(const std::filesystem::path& path, std::string_view bytes = {});
  static std::string ReadBytes(const std::filesystem::path& path);

  std::filesystem::path top_;   // the temporary folder
  std::filesystem::path root_;  // VANTREL_ROOT
  std::filesystem::path cwd_;   // current folder during the test

 private:
  std::filesystem::path savedCwd_;
  std::string savedRoot_;
  bool hadRoot_ = false;
};

}  // namespace vantrel::storage::testing
