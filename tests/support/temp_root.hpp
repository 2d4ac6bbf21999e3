#pragma once
// A fresh system root for one test: <tmp>/root is VANTREL_ROOT (with its
// Windows folder C:\Windows), <tmp>/cwd the current folder. Both are restored and the
// folder removed at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::testing {

std::string ReadBytes(const std::filesystem::path& file);  // "" when missing
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);  // creates the folders

class TempRoot {
 public:
  TempRoot();
  ~TempRoot();
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;

  const std::filesystem::path& path() const { return root_; }
  const std::filesystem::path& top() const { return top_; }
  const std::filesystem::path& cwd() const { return cwd_; }
  std::filesystem::path WindowsFolder() const { return root_ / "drives" / "c" / "Windows"; }
  void WriteSettings(std::string_view bytes) const { WriteBytes(WindowsFolder() / "Vantrel.ini", bytes); }
  std::string ReadSettings() const { return ReadBytes(WindowsFolder() / "Vantrel.ini"); }

 private:
  std::filesystem::path top_, root_, cwd_, savedCwd_;
  std::string savedRoot_;
  bool hadRoot_ = false;
};

// The same as a fixture, with the folders as members.
class TempRootTest : public ::testing::Test {
 protected:
  // Creates a file (and its folders) below the temporary folder with the given bytes.
  std::filesystem::path MakeFile(const std::filesystem::path& path, std::string_view bytes = {}) const;
  static std::string ReadBytes(const std::filesystem::path& file) { return vantrel::testing::ReadBytes(file); }

  TempRoot temp_;
  const std::filesystem::path& top_ = temp_.top();
  const std::filesystem::path& root_ = temp_.path();
  const std::filesystem::path& cwd_ = temp_.cwd();
};

}  // namespace vantrel::testing

namespace vantrel::storage::testing {
using vantrel::testing::TempRootTest;
}  // namespace vantrel::storage::testing
