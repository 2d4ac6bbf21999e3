#pragma once
// Reading a domain's user list lines into UserList rows, and writing a row
// back as a line. Shared by every User operation that searches or rewrites
// the list (and by Domains.DelDomain through User.GetUserList).
#include <cstdint>
#include <optional>

#include "classes/collections.hpp"
#include "storage/ini_file.hpp"

namespace vantrel::classes {

// Adds one row per user list line of section "Domain" + domainID to `list`,
// in file order, keyed by the user name. A malformed line (too few fields, a
// flag or expiry that is not a number in range) or two names equal without
// regard to letter case raise the automation error; rows added before stay.
void FillUserList(storage::CIniFile& ini, std::int16_t domainID, UserList& list);

// The row as a user list line (name as held, flag, expiry field); nullopt
// when its expiry could not be read back as a 32-bit number of seconds.
std::optional<String> UserListLineOf(const CUserList& row);

}  // namespace vantrel::classes
