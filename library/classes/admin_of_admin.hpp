#pragma once
// AdminOfAdmin: the library's own administrators and its public directories.
#include <cstdint>

#include "classes/collections.hpp"
#include "classes/owned_collection.hpp"

namespace vantrel::classes {

class AdminOfAdmin final : public automation::Object {
 public:
  AdminOfAdmin();
  ClassId Class() const noexcept override { return ClassId::AdminOfAdmin; }

  String ErrorMsg;  // read-only to callers
  String Password;
  String Administrator;

  // Properties PublicDir and Admin (Get/Set; created with the object).
  OwnedCollection<PublicDir> PublicDirProperty;
  OwnedCollection<Admin> AdminProperty;

  // Operations (admin_of_admin.cpp).
  bool GetAdminList();
  bool GetPublicDir();
  bool DelAdmin(const String& AdminName);
  bool AddAdmin(const String& AdminName, const String& AdminPassword, std::int16_t DomainID, const String& RootDir);
  bool DelPublicDir(const String& SDir);
  bool AddPublicDir(const String& SDir);
  bool ChangeSystemPassword(const String& OldAdministrator, const String& OldPassword,
                            const String& NewAdministrator, const String& NewPassword);
};

}  // namespace vantrel::classes
