#pragma once
// Creates the settings file with its factory defaults, and the welcome file
// (also the default login message file of new accounts), when either is
// missing from the Windows folder. A file that exists is never changed, even
// when it is empty.

namespace vantrel::admin {

inline constexpr char16_t kDefaultAdministrator[] = u"Vantrel";
inline constexpr char16_t kDefaultPassword[] = u"KelpMoor";
inline constexpr char16_t kDefaultPublicDir[] = u"C:\\Vantrel";

// Failures to write are not reported: the caller's rights check then fails in
// its own words.
void EnsureSettingsFiles();

}  // namespace vantrel::admin
