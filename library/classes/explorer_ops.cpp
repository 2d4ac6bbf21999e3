// Explorer operations: placeholders that raise "not implemented" until the
// folder browsing code replaces this file.
#include "classes/explorer.hpp"
#include "classes/not_implemented.hpp"

namespace vantrel::classes {

bool Explorer::List(const String&) { ThrowNotImplemented(u"Explorer.List"); }
void Explorer::CreateDir(const String&) { ThrowNotImplemented(u"Explorer.CreateDir"); }

}  // namespace vantrel::classes
