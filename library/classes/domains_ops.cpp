// Domains operations: placeholders that raise "not implemented" until the
// domain management code replaces this file.
#include "classes/domains.hpp"
#include "classes/not_implemented.hpp"

namespace vantrel::classes {

bool Domains::GetDomain() { ThrowNotImplemented(u"Domains.GetDomain"); }
bool Domains::AddDomain(const String&, const String&, std::int16_t) { ThrowNotImplemented(u"Domains.AddDomain"); }
bool Domains::DelDomain(std::int16_t) { ThrowNotImplemented(u"Domains.DelDomain"); }
bool Domains::ModifyDomain(std::int16_t, const String&, const String&, std::int16_t) {
  ThrowNotImplemented(u"Domains.ModifyDomain");
}
bool Domains::Reload() { ThrowNotImplemented(u"Domains.Reload"); }

}  // namespace vantrel::classes
