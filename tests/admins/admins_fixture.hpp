#pragma once
// A fresh system root whose settings file holds the factory defaults (system
// administrator Vantrel / KelpMoor, public directory C:\Vantrel), and an
// AdminOfAdmin object signed in as that administrator.
#include <gtest/gtest.h>

#include <string>

#include "admin/settings_init.hpp"
#include "classes/admin_of_admin.hpp"
#include "temp_root.hpp"

namespace vantrel::testing {

class AdminsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    admin::EnsureSettingsFiles();
    SignIn(admins_);
  }

  static void SignIn(classes::AdminOfAdmin& object) {
    object.Administrator = admin::kDefaultAdministrator;
    object.Password = admin::kDefaultPassword;
  }

  std::string Settings() const { return root_.ReadSettings(); }

  // The settings file with the factory [Vantrel] section and `rest` after it
  // in place of the default public directory.
  void ReplaceAfterVantrelSection(const std::string& rest) const {
    const std::string text = Settings();
    root_.WriteSettings(text.substr(0, text.find("[PublicDir]")) + rest);
  }

  TempRoot root_;
  classes::AdminOfAdmin admins_;
};

}  // namespace vantrel::testing
