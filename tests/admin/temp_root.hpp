#pragma once
// A fresh system root for one test: VANTREL_ROOT points at a temporary folder
// holding an empty Windows folder, removed again at the end.
#include <filesystem>
#include <string>

namespace vantrel::testing {

class TempRoot {
 public:
  TempRoot();
  ~TempRoot();
  const std::filesystem::path& path() const { return root_; }
  std::filesystem::path WindowsFolder() const { return root_ / "Windows"; }
  // Writes the settings file with exactly these bytes.
  void WriteSettings(const std::string& bytes) const;
  std::string ReadSettings() const;

 private:
  std::filesystem::path root_;
};

}  // namespace vantrel::testing
