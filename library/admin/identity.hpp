#pragma once
// The library's identification, shared by Global.About, the settings file's
// informational keys and the welcome file.

namespace vantrel::admin {

inline constexpr char16_t kProductName[] = u"Vantrel";
// The project version, given by the build (project() in CMakeLists.txt).
inline constexpr char16_t kProductVersion[] = u"" VANTREL_VERSION;
inline constexpr char16_t kDevelopers[] = u"The Vantrel developers";
inline constexpr char16_t kContact[] = u"vantrel-team@users.noreply.vantrel.org";

}  // namespace vantrel::admin
