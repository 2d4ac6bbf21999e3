// Global's computed properties. Version is replaced by its implementation
// when the server-file reading lands.
#include "classes/global.hpp"
#include "classes/not_implemented.hpp"

namespace vantrel::classes {

String Global::Version() { ThrowNotImplemented(u"Global.Version"); }

String Global::About() const {
  return u"Vantrel|Version:1.0.0.0|Author:The Vantrel developers|Contact:vantrel@localhost";
}

}  // namespace vantrel::classes
