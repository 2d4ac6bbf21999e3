#pragma once
// A fresh system root (VANTREL_ROOT) with the factory settings file, and a
// server folder holding ServUDaemon.ini, for one test of the User operations.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "classes/user.hpp"

namespace vantrel::testing {

inline constexpr char16_t kSystemAdmin[] = u"Vantrel";
inline constexpr char16_t kSystemPassword[] = u"KelpMoor";

class UsersTest : public ::testing::Test {
 protected:
  UsersTest();
  ~UsersTest() override;

  std::filesystem::path ServerFile() const { return servu_ / "ServUDaemon.ini"; }
  void WriteServerFile(const std::string& text) const;
  std::string ReadServerFile() const;

  // A User on the server folder with the system administrator's credentials.
  classes::Ref<classes::User> SystemUser() const;
  // A User with the credentials of a domain administrator of `domain` whose
  // root folder is `rootDir` (the entry is written to the settings file).
  classes::Ref<classes::User> DomainAdminUser(std::int16_t domain, const std::u16string& rootDir) const;

  // One value of the server file ("" when missing).
  std::u16string Value(const std::u16string& section, const std::u16string& key) const;
  // The key names of a section, ";"-joined.
  std::u16string Keys(const std::u16string& section) const;

  std::filesystem::path root_;
  std::filesystem::path servu_;
};

// The native folder a drive path of the stand-in root maps to.
std::filesystem::path DriveFolder(const std::filesystem::path& root, char letter, const std::string& rest);

}  // namespace vantrel::testing
