#pragma once
// Global: the FTP server's version and the library's identification text.
#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::classes {

using automation::ClassId;
using automation::String;

class Global final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::Global; }

  String ErrorMsg;  // read-only to callers
  String ServUPath;

  // Computed properties (global.cpp).
  String Version();
  String About() const;
};

// CIniFile: creatable, but its interface has no members.
class CIniFileObject final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::CIniFile; }
};

}  // namespace vantrel::classes
