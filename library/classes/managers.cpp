// The manager classes' own logic: construction and the Password setter. Their
// operations live in one *_ops.cpp file per class.
#include "classes/admin_of_admin.hpp"
#include "classes/user.hpp"
#include "storage/password.hpp"

namespace vantrel::classes {

User::User() {
  DirAccessProperty.Renew();
  UserListProperty.Renew();
}

void User::SetPassword(const String& text) {
  if (text.empty()) {
    password_.clear();
    return;
  }
  storedPassword_ = storage::MakeSaltedPassword(text);
  password_ = u"Encrypted";
}

AdminOfAdmin::AdminOfAdmin() {
  PublicDirProperty.Renew();
  AdminProperty.Renew();
}

}  // namespace vantrel::classes
