#pragma once
// One account's user section (USER=<name>|<domain>) as the User operations
// read and write it: the keys, their value forms, their order and the
// conditions under which each is written.
#include <cstdint>
#include <optional>

#include "classes/collections.hpp"
#include "storage/ini_file.hpp"

namespace vantrel::classes {

class User;

// The settings of a user section as read. Absent keys give their defaults.
struct StoredAccount {
  String storedPassword;
  bool enableDiskQuota = false;
  std::int32_t diskQuotaSize = 0;
  Ref<DirAccess> rules;
  String homeDir;
  String loginMesFile;
  bool relPaths = false;
  bool changePassword = false;
  std::int16_t timeOut = 0;
  std::int16_t maxUsersLoginPerIP = 0;
  std::int32_t speedLimitUp = 0;
  std::int32_t speedLimitDown = 0;
  std::int32_t sessionTimeOut = 0;
  std::int16_t maxNrUsers = 0;
};

// Reads a user section. A malformed number or access line raises the
// automation error (nothing is handed back then).
StoredAccount ReadStoredAccount(storage::CIniFile& ini, const String& section);

// The rules of `user.DirAccess` that the caller may grant, in collection
// order: both the rule's Directory and the directory inside its Accesses text
// pass the directory right check.
std::vector<Ref<CDirAccess>> AdmittedRules(User& user);

// Why the account in `user` (to be written under `name`) would break the file
// or not read back as written (storage/file_text.hpp); empty when it can be written.
String AccountRefusal(User& user, const String& name, const std::vector<Ref<CDirAccess>>& rules);

// Writes the account of `user` as `name` into domain `domainID`: the user list
// line under `listKey`, then the cleared user section with its keys in their
// fixed order; creates the folders of the admitted rules. False as soon as a
// write fails (the caller then does not commit).
bool WriteAccount(storage::CIniFile& ini, User& user, const String& name, std::int16_t domainID,
                  const String& listKey, const std::vector<Ref<CDirAccess>>& rules);

}  // namespace vantrel::classes
