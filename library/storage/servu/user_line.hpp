#pragma once
// User list lines of a domain's user index section ("Domain" + number):
// keys User1, User2, ... holding "name|flag|expiry".
#include <string>
#include <string_view>

namespace vantrel::storage::servu {

// "Domain" + the domain number in decimal.
std::u16string UserIndexSection(int domainID);

// "USER=" + name + "|" + domain number: the section of one account.
std::u16string UserSection(std::u16string_view trimmedName, int domainID);

// "User" + position.
std::u16string UserKey(int position);

// Whether a key of the user index section is a user list line: its first four
// characters, lowered, are "user" (so USERS and user7x count; Note does not).
bool IsUserListKey(std::u16string_view key);

// Whether a key of a user section is an access line ("access" first, any case).
bool IsAccessKey(std::u16string_view key);

// The written form: name, "|0|" (disabled) or "|1|", then the expiry field.
std::u16string ComposeUserLine(std::u16string_view name, bool disable, std::u16string_view expiryField);

}  // namespace vantrel::storage::servu
