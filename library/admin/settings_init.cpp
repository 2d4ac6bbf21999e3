#include "admin/settings_init.hpp"

#include <filesystem>
#include <string>

#include "admin/identity.hpp"
#include "admin/settings_file.hpp"
#include "storage/codepage.hpp"
#include "storage/file_io.hpp"
#include "storage/password.hpp"
#include "storage/paths.hpp"

namespace vantrel::admin {
namespace {

namespace fs = std::filesystem;

void CreateSettingsFile() {
  SettingsTransaction transaction;
  // The first access takes the lock; only then is the answer to "is it there?"
  // final, so a concurrent first call waits here and then finds the file.
  ReadSetting(kVantrelSection, u"Administrator");
  if (storage::FileExists(SettingsFilePath())) return;
  WriteSetting(kVantrelSection, u"Version", kProductVersion);
  WriteSetting(kVantrelSection, u"Copyright", kDevelopers);
  WriteSetting(kVantrelSection, u"Email", kContact);
  WriteSetting(kVantrelSection, u"Administrator", kDefaultAdministrator);
  WriteSetting(kVantrelSection, u"Password", storage::MakeSaltedPassword(kDefaultPassword));
  WriteSetting(kPublicDirSection, u"dir1", kDefaultPublicDir);
  transaction.Commit();
}

void CreateWelcomeFile(const std::u16string& path) {
  const std::string text = "Welcome to use Vantrel.dll\r\n" +
                           storage::ToAnsi(std::u16string(kProductName) + u" " + kProductVersion +
                                           u" - Copyright (C) 2026 " + kDevelopers) +
                           "\r\n";
  // Atomic like every file the library writes (a dry run only records it).
  storage::ini::WriteWholeFile(storage::ToNativePath(path), text, 0644);
}

}  // namespace

void EnsureSettingsFiles() {
  const std::u16string windowsFolder = storage::WindowsFolder();
#ifndef _WIN32
  // The stand-in Windows folder is the library's own; a fresh root lacks it
  // (and its drive folder too).
  const fs::path native = storage::ToNativePath(windowsFolder);
  std::error_code ignored;
  if (storage::ini::DryRun* dry = storage::ini::DryRun::Active()) {
    if (!fs::exists(native, ignored)) dry->CreateFolder(native);
  } else {
    fs::create_directories(native, ignored);
  }
#endif
  if (!storage::FileExists(SettingsFilePath())) CreateSettingsFile();
  const std::u16string welcome = storage::PathJoin(windowsFolder, u"Vantrel.txt");
  if (!storage::FileExists(welcome)) CreateWelcomeFile(welcome);
}

}  // namespace vantrel::admin
