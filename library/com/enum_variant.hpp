#pragma once
// IEnumVARIANT over the automation enumerator that NewEnum returns, so that
// For Each works on every collection.
#include <windows.h>
#include <oleauto.h>

#include "automation/object.hpp"

namespace vantrel::com {

// A new IEnumVARIANT (AddRef'ed, as IUnknown) over an automation Enumerator;
// throws automation error 13 when `enumerator` is not one.
IUnknown* NewEnumVariant(const automation::Ref<automation::Object>& enumerator);

}  // namespace vantrel::com
