// AdminOfAdmin operations: placeholders that raise "not implemented" until the
// administrator management code replaces this file.
#include "classes/admin_of_admin.hpp"
#include "classes/not_implemented.hpp"

namespace vantrel::classes {

bool AdminOfAdmin::GetAdminList() { ThrowNotImplemented(u"AdminOfAdmin.GetAdminList"); }
bool AdminOfAdmin::GetPublicDir() { ThrowNotImplemented(u"AdminOfAdmin.GetPublicDir"); }
bool AdminOfAdmin::DelAdmin(const String&) { ThrowNotImplemented(u"AdminOfAdmin.DelAdmin"); }
bool AdminOfAdmin::AddAdmin(const String&, const String&, std::int16_t, const String&) {
  ThrowNotImplemented(u"AdminOfAdmin.AddAdmin");
}
bool AdminOfAdmin::DelPublicDir(const String&) { ThrowNotImplemented(u"AdminOfAdmin.DelPublicDir"); }
bool AdminOfAdmin::AddPublicDir(const String&) { ThrowNotImplemented(u"AdminOfAdmin.AddPublicDir"); }
bool AdminOfAdmin::ChangeSystemPassword(const String&, const String&, const String&, const String&) {
  ThrowNotImplemented(u"AdminOfAdmin.ChangeSystemPassword");
}

}  // namespace vantrel::classes
