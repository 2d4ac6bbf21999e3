#pragma once
// Conversions between the COM types and the automation types, used at the
// boundary only: BSTR and String, VARIANT and Variant, VARIANT_BOOL and bool.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "automation/variant.hpp"

namespace vantrel::com {

std::wstring WideFrom(std::u16string_view text);
// A null BSTR is the empty string, as automation treats it.
automation::String StringFromBstr(BSTR text);
// A new BSTR; throws std::bad_alloc when the system has no memory.
BSTR BstrFromString(std::u16string_view text);

// A VARIANT as the automation layer sees it: by-reference values are
// followed, a missing optional argument becomes Missing, our own objects are
// unwrapped, a foreign object stands for the value of its default member,
// other numeric types become Long or Double. Anything else throws 13.
automation::Variant VariantFromCom(const VARIANT& value);

// Writes `value` into `out` (which must hold nothing that needs freeing):
// objects as IDispatch of their wrapper, enumerators as IEnumVARIANT.
void VariantToCom(const automation::Variant& value, VARIANT* out);

}  // namespace vantrel::com
