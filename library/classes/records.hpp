#pragma once
// The record classes: one small object per listed item. All members are
// plain fields except CDomain.IP, whose Let has a rule of its own.
#include <cstdint>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::classes {

using automation::ClassId;
using automation::Date;
using automation::Ref;
using automation::String;

class CDomain final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CDomain; }

  std::int16_t port = 0;
  String HostName;
  std::int16_t ID = 0;

  const String& IP() const noexcept { return ip_; }
  // The empty address stands for the local host: it is stored as "127.0.0.1".
  void SetIP(const String& ip);

 private:
  String ip_;
};

class CUserList final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CUserList; }
  bool Expire = false;
  Date ExpireDate{};
  bool Disable = false;
  String UserName;
  std::int16_t DomainID = 0;
};

// One directory access rule. Setting a right does not recompose Accesses:
// the text is composed once by DirAccess.Add and written back as it stands.
class CDirAccess final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CDirAccess; }
  String Accesses;
  bool SubDirInherit = false;
  bool DirRemove = false;
  bool DirCreate = false;
  bool DirList = false;
  bool FilesExecute = false;
  bool FilesDelete = false;
  bool FilesAppend = false;
  bool FilesWrite = false;
  bool FilesRead = false;
  String Directory;
};

// The access line of a rule: its directory, "|", then the letters of the
// granted rights in the fixed order R W A M E L C D P.
String ComposeAccesses(const CDirAccess& rule);

class CFile final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CFile; }
  Date LastAccessTime{};
  Date CreationTime{};
  Date LastWriteTime{};
  std::int32_t FileLength = 0;
  String FileName;
};

class CDir final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CDir; }
  Date CreationTime{};
  String DirName;
};

class CAdmin final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CAdmin; }
  String RootDir;
  std::int16_t DomainID = 0;
  String AdminPassword;
  String AdminName;
};

class CPublicDir final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CPublicDir; }
  String Directory;
};

}  // namespace vantrel::classes
