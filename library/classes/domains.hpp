#pragma once
// Domains: lists, adds, changes and deletes the FTP server's domains.
#include <cstdint>

#include "classes/collections.hpp"
#include "classes/owned_collection.hpp"

namespace vantrel::classes {

class Domains final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::Domains; }

  String AdminPassword;
  String AdminName;
  String ErrorMsg;  // read-only to callers
  String ServUPath;

  // Property Domain (Get only; created on the first Get).
  OwnedCollection<Domain> DomainProperty;

  // Operations (domains.cpp).
  bool GetDomain();
  bool AddDomain(const String& HostName, const String& IP, std::int16_t port = 21);
  bool DelDomain(std::int16_t ID);
  bool ModifyDomain(std::int16_t ID, const String& HostName, const String& IP, std::int16_t port);
  bool Reload();
};

}  // namespace vantrel::classes
