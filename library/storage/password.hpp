#pragma once
// The salted password form the system stores instead of passwords: two random
// lower-case letters (the salt) followed by the MD5 digest text of the salt
// and the password together, 34 characters in all.
#include <string>
#include <string_view>

namespace vantrel::storage {

// A new salted form of `password` (which may be empty). The generator is
// reseeded before every form, so two forms of one password normally differ.
std::u16string MakeSaltedPassword(std::u16string_view password);

// True when `stored` is exactly salt + MD5Hex(salt + password), the salt being
// the first two characters of `stored`; letter case is significant, so a
// digest written in lower case never matches.
bool CheckSaltedPassword(std::u16string_view stored, std::u16string_view password);

}  // namespace vantrel::storage
