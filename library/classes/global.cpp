// Global's computed properties: the FTP server's version from its file, and
// the library's identification text.
#include "classes/global.hpp"

#include "admin/identity.hpp"
#include "classes/server_file.hpp"

namespace vantrel::classes {

// Unlike the operations, a successful read leaves ErrorMsg as it was.
String Global::Version() {
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return u"Unknown Version";
  return ini->ReadString(u"GLOBAL", u"Version", 255);
}

String Global::About() const {
  return String(admin::kProductName) + u"|Version:" + admin::kProductVersion + u"|Developer:" + admin::kDevelopers +
         u"|Contact:" + admin::kContact;
}

}  // namespace vantrel::classes
