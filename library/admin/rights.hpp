#pragma once
// The rights checks every managing operation makes against the settings file,
// with the credentials the page set on its object. Each check reads the file
// anew: a change made by any object or process counts at the next check.
//
// A domain administrator entry (section PrivateDir, key = the name) holds
// "<password>|<domain number>|<root folder>"; an entry with too few fields
// fails the calling operation with automation error 9.
#include <cstdint>
#include <string_view>

namespace vantrel::admin {

// The system administrator: the name matches without regard to letter case,
// the password against the stored salted form with letter case.
bool CheckSystemAdmin(std::u16string_view name, std::u16string_view password);

// The system administrator, or a domain administrator of exactly that domain
// (its stored domain text equals the decimal form of domainID) whose password
// matches without regard to letter case. An empty password never passes.
bool CheckDomainRight(std::u16string_view adminName, std::u16string_view adminPassword, std::int16_t domainID);

// Whether the caller may work in `path`: the system administrator on any drive
// path; anyone below a public directory; a domain administrator below its root
// folder. Folders admit only paths at or below their boundary after lexical
// normalisation and where the path really leads (a link inside a root admits
// nothing outside it); an empty public directory or root folder admits nothing.
bool CheckDirRight(std::u16string_view adminName, std::u16string_view adminPassword, std::u16string_view path);

// The caller's role for a domain.
enum class Role : std::int16_t { SystemAdmin = 0, DomainAdmin = 1, None = 2 };

// As CheckDomainRight, except that an empty password matches an entry whose
// password field is empty.
Role CallerRole(std::u16string_view adminName, std::u16string_view adminPassword, std::int16_t domainID);

}  // namespace vantrel::admin
