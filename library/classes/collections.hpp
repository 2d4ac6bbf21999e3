#pragma once
// The seven collection classes. Each Add creates a new record, stores every
// argument through the record's property of the same name and adds it under
// sKey (no key when sKey is empty); the caller and the collection then share
// the record.
#include <cstdint>

#include "classes/keyed_collection.hpp"
#include "classes/records.hpp"
#include "storage/servu/expiry.hpp"

namespace vantrel::classes {

class Domain final : public Collection<CDomain, ClassId::Domain> {
 public:
  Ref<CDomain> Add(std::int16_t ID, const String& IP, const String& HostName, std::int16_t port,
                   const String& sKey = {});
};

// The expiry epoch 1970-01-01 08:00:00: the default ExpireDate of a row.
inline constexpr Date kExpiryEpoch{storage::servu::kExpiryEpochDays};

class UserList final : public Collection<CUserList, ClassId::UserList> {
 public:
  Ref<CUserList> Add(const String& UserName, std::int16_t DomainID = 1, bool Disable = false, bool Expire = false,
                     Date ExpireDate = kExpiryEpoch, const String& sKey = {});
};

class DirAccess final : public Collection<CDirAccess, ClassId::DirAccess> {
 public:
  // Also composes the rule's Accesses text from the directory and rights.
  Ref<CDirAccess> Add(const String& Directory, bool FilesRead = true, bool FilesWrite = false,
                      bool FilesAppend = false, bool FilesDelete = false, bool FilesExecute = false,
                      bool DirList = true, bool DirCreate = false, bool DirRemove = false,
                      bool SubDirInherit = true, const String& sKey = {});
};

class Directory final : public Collection<CDir, ClassId::Directory> {
 public:
  Ref<CDir> Add(const String& DirName, Date CreationTime, const String& sKey = {});
};

class File final : public Collection<CFile, ClassId::File> {
 public:
  Ref<CFile> Add(const String& FileName, std::int32_t FileLength, Date LastWriteTime, Date CreationTime,
                 Date LastAccessTime, const String& sKey = {});
};

class Admin final : public Collection<CAdmin, ClassId::Admin> {
 public:
  Ref<CAdmin> Add(const String& AdminName, const String& AdminPassword, std::int16_t DomainID,
                  const String& RootDir, const String& sKey = {});
  // Add with the name as key and the texts moved in: a long list is filled with no copies.
  Ref<CAdmin> AddNamed(String AdminName, String AdminPassword, std::int16_t DomainID, String RootDir);
};

class PublicDir final : public Collection<CPublicDir, ClassId::PublicDir> {
 public:
  Ref<CPublicDir> Add(const String& Directory, const String& sKey = {});
};

}  // namespace vantrel::classes
