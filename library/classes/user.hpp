#pragma once
// User: one account's settings; lists, reads, adds, changes and deletes accounts.
#include <cstdint>

#include "classes/collections.hpp"
#include "classes/owned_collection.hpp"

namespace vantrel::classes {

class User final : public automation::Object {
 public:
  User();
  ClassId Class() const noexcept override { return ClassId::User; }

  String AdminName;
  String AdminPassword;
  std::int16_t MaxNrUsers = 0;
  std::int32_t SessionTimeOut = 0;
  std::int32_t SpeedLimitDown = 0;
  std::int32_t SpeedLimitUp = 0;
  std::int16_t MaxUsersLoginPerIP = 0;
  std::int32_t DiskQuotaSize = 0;
  bool EnableDiskQuota = false;
  bool ChangePassword = false;
  bool RelPaths = false;
  String LoginMesFile;
  Date ExpireDate{};
  bool Expire = false;
  bool Disable = false;
  std::int16_t TimeOut = 0;
  String HomeDir;
  String UserName;
  String ErrorMsg;  // read-only to callers
  String ServUPath;

  // Property Password: reads "Encrypted" after a non-empty Let, "" after an
  // empty one. A non-empty text also replaces the stored (salted) password,
  // which callers never see; an empty one leaves it as it was.
  const String& Password() const noexcept { return password_; }
  void SetPassword(const String& text);

  // The salted form written under the key Password; GetUser sets it from the file.
  const String& StoredPassword() const noexcept { return storedPassword_; }
  void SetStoredPassword(const String& salted) { storedPassword_ = salted; }

  // Properties DirAccess and UserList (Get/Set; created with the object).
  OwnedCollection<DirAccess> DirAccessProperty;
  OwnedCollection<UserList> UserListProperty;

  // Operations (user.cpp).
  bool GetUserList(std::int16_t DomainID = 1);
  bool GetUser(const String& UserName, std::int16_t DomainID = 1);
  bool ModifyUser(const String& UserName, std::int16_t DomainID = 1);
  bool DelUser(const String& UserName, std::int16_t DomainID = 1);
  bool AddUser(std::int16_t DomainID = 1);
  std::int16_t GetRole(std::int16_t DomainID = 1);
  bool Reload();

 private:
  String password_;
  String storedPassword_;
};

}  // namespace vantrel::classes
