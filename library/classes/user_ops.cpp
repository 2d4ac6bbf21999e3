// User operations: placeholders that raise "not implemented" until the user
// management code replaces this file.
#include "classes/not_implemented.hpp"
#include "classes/user.hpp"

namespace vantrel::classes {

bool User::GetUserList(std::int16_t) { ThrowNotImplemented(u"User.GetUserList"); }
bool User::GetUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.GetUser"); }
bool User::ModifyUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.ModifyUser"); }
bool User::DelUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.DelUser"); }
bool User::AddUser(std::int16_t) { ThrowNotImplemented(u"User.AddUser"); }
std::int16_t User::GetRole(std::int16_t) { ThrowNotImplemented(u"User.GetRole"); }
bool User::Reload() { ThrowNotImplemented(u"User.Reload"); }

}  // namespace vantrel::classes
