// User operations: listing, reading, adding, deleting and changing the
// accounts of one domain in the FTP server's configuration file.
#include "admin/rights.hpp"
#include "classes/not_implemented.hpp"
#include "classes/server_file.hpp"
#include "classes/user.hpp"
#include "classes/user_list_reader.hpp"

namespace vantrel::classes {

namespace {

constexpr char16_t kRightLimited[] =
    u"Right Limited!Make sure the programmer had set the AdminName&AdminPassword";

}  // namespace

bool User::GetUserList(std::int16_t DomainID) {
  ErrorMsg.clear();
  if (!admin::CheckDomainRight(AdminName, AdminPassword, DomainID)) {
    ErrorMsg = kRightLimited;
    return false;
  }
  ServerFileTransaction tx(ServUPath);
  auto ini = OpenServerFile(ServUPath);
  if (!ini) {
    ErrorMsg = kServUPathError;
    return false;
  }
  FillUserList(*ini, DomainID, *UserListProperty.Renew());
  return true;
}

bool User::GetUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.GetUser"); }
bool User::ModifyUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.ModifyUser"); }
bool User::DelUser(const String&, std::int16_t) { ThrowNotImplemented(u"User.DelUser"); }
bool User::AddUser(std::int16_t) { ThrowNotImplemented(u"User.AddUser"); }
std::int16_t User::GetRole(std::int16_t) { ThrowNotImplemented(u"User.GetRole"); }
bool User::Reload() { ThrowNotImplemented(u"User.Reload"); }

}  // namespace vantrel::classes
