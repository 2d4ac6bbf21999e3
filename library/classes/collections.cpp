#include "classes/collections.hpp"

namespace vantrel::classes {

using automation::MakeRef;

Ref<CDomain> Domain::Add(std::int16_t ID, const String& IP, const String& HostName, std::int16_t port,
                         const String& sKey) {
  auto d = MakeRef<CDomain>();
  d->ID = ID;
  d->SetIP(IP);
  d->HostName = HostName;
  d->port = port;
  return Insert(std::move(d), sKey);
}

Ref<CUserList> UserList::Add(const String& UserName, std::int16_t DomainID, bool Disable, bool Expire,
                             Date ExpireDate, const String& sKey) {
  auto row = MakeRef<CUserList>();
  row->DomainID = DomainID;
  row->UserName = UserName;
  row->Disable = Disable;
  row->ExpireDate = ExpireDate;
  row->Expire = Expire;
  return Insert(std::move(row), sKey);
}

Ref<CDirAccess> DirAccess::Add(const String& Directory, bool FilesRead, bool FilesWrite, bool FilesAppend,
                               bool FilesDelete, bool FilesExecute, bool DirList, bool DirCreate, bool DirRemove,
                               bool SubDirInherit, const String& sKey) {
  auto rule = MakeRef<CDirAccess>();
  rule->Directory = Directory;
  rule->FilesRead = FilesRead;
  rule->FilesWrite = FilesWrite;
  rule->FilesAppend = FilesAppend;
  rule->FilesDelete = FilesDelete;
  rule->FilesExecute = FilesExecute;
  rule->DirList = DirList;
  rule->DirCreate = DirCreate;
  rule->DirRemove = DirRemove;
  rule->SubDirInherit = SubDirInherit;
  rule->Accesses = ComposeAccesses(*rule);
  return Insert(std::move(rule), sKey);
}

Ref<CDir> Directory::Add(const String& DirName, Date CreationTime, const String& sKey) {
  auto dir = MakeRef<CDir>();
  dir->DirName = DirName;
  dir->CreationTime = CreationTime;
  return Insert(std::move(dir), sKey);
}

Ref<CFile> File::Add(const String& FileName, std::int32_t FileLength, Date LastWriteTime, Date CreationTime,
                     Date LastAccessTime, const String& sKey) {
  auto file = MakeRef<CFile>();
  file->FileName = FileName;
  file->FileLength = FileLength;
  file->LastWriteTime = LastWriteTime;
  file->CreationTime = CreationTime;
  file->LastAccessTime = LastAccessTime;
  return Insert(std::move(file), sKey);
}

Ref<CAdmin> Admin::Add(const String& AdminName, const String& AdminPassword, std::int16_t DomainID,
                       const String& RootDir, const String& sKey) {
  auto admin = MakeRef<CAdmin>();
  admin->AdminName = AdminName;
  admin->AdminPassword = AdminPassword;
  admin->DomainID = DomainID;
  admin->RootDir = RootDir;
  return Insert(std::move(admin), sKey);
}

Ref<CAdmin> Admin::AddNamed(String AdminName, String AdminPassword, std::int16_t DomainID, String RootDir) {
  auto admin = MakeRef<CAdmin>();
  admin->AdminName = std::move(AdminName);
  admin->AdminPassword = std::move(AdminPassword);
  admin->DomainID = DomainID;
  admin->RootDir = std::move(RootDir);
  return Insert(admin, admin->AdminName);
}

Ref<CPublicDir> PublicDir::Add(const String& Directory, const String& sKey) {
  auto dir = MakeRef<CPublicDir>();
  dir->Directory = Directory;
  return Insert(std::move(dir), sKey);
}

}  // namespace vantrel::classes
