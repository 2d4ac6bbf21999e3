#pragma once
// Argument and result adapters of the generated vtable methods: each holds
// the raw COM value and converts it inside DispatchObject::Call, so a failed
// conversion is reported like any other error.
#include <windows.h>
#include <oleauto.h>

#include "Vantrel_h.h"
#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "com/convert.hpp"
#include "com/dispatch_object.hpp"
#include "com/enum_variant.hpp"
#include "com/identity.hpp"

namespace vantrel::com {

struct InBstr {
  BSTR value;
  automation::Variant Get() const { return automation::Variant(StringFromBstr(value)); }
};
struct InShort {
  short value;
  automation::Variant Get() const { return automation::Variant(static_cast<std::int16_t>(value)); }
};
struct InLong {
  LONG value;
  automation::Variant Get() const { return automation::Variant(static_cast<std::int32_t>(value)); }
};
struct InBool {
  VARIANT_BOOL value;
  automation::Variant Get() const { return automation::Variant(value != VARIANT_FALSE); }
};
struct InDate {
  DATE value;
  automation::Variant Get() const { return automation::Variant(automation::Date{value}); }
};
// By-reference parameters are read, never written back.
struct InVariantRef {
  VARIANT* value;
  automation::Variant Get() const { return value ? VariantFromCom(*value) : automation::Variant::Missing(); }
};
struct InBstrRef {
  BSTR* value;
  automation::Variant Get() const {
    return value ? automation::Variant(StringFromBstr(*value)) : automation::Variant::Missing();
  }
};
// The object of a Set accessor (by reference): one of ours, or Nothing.
template <class I>
struct InObjectRef {
  I** value;
  automation::Variant Get() const {
    if (value == nullptr || *value == nullptr) return automation::Variant::Nothing();
    auto target = UnwrapObject(*value);
    if (!target) throw automation::AutomationError(automation::kTypeMismatch);
    return automation::Variant(target);
  }
};

struct OutNone {
  bool Valid() const { return true; }
  void Clear() const {}
  void Store(const automation::Variant&) const {}
};
struct OutBstr {
  BSTR* out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = nullptr; }
  void Store(const automation::Variant& v) const { *out = BstrFromString(automation::ToString(v)); }
};
struct OutShort {
  short* out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = 0; }
  void Store(const automation::Variant& v) const { *out = automation::ToInteger(v); }
};
struct OutLong {
  LONG* out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = 0; }
  void Store(const automation::Variant& v) const { *out = automation::ToLong(v); }
};
struct OutBool {
  VARIANT_BOOL* out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = VARIANT_FALSE; }
  void Store(const automation::Variant& v) const { *out = automation::ToBoolean(v) ? VARIANT_TRUE : VARIANT_FALSE; }
};
struct OutDate {
  DATE* out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = 0; }
  void Store(const automation::Variant& v) const { *out = automation::ToDate(v).value; }
};
template <class I>
struct OutObject {
  I** out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = nullptr; }
  void Store(const automation::Variant& v) const {
    if (!v.IsObject()) throw automation::AutomationError(automation::kTypeMismatch);
    IDispatch* dispatch = WrapObject(v.AsObject());
    if (dispatch == nullptr) return;  // Nothing
    const HRESULT hr = dispatch->QueryInterface(__uuidof(I), reinterpret_cast<void**>(out));
    dispatch->Release();
    if (FAILED(hr)) throw automation::AutomationError(automation::kTypeMismatch);
  }
};
struct OutEnum {
  IUnknown** out;
  bool Valid() const { return out != nullptr; }
  void Clear() const { *out = nullptr; }
  void Store(const automation::Variant& v) const {
    if (!v.IsObject()) throw automation::AutomationError(automation::kTypeMismatch);
    *out = NewEnumVariant(v.AsObject());
  }
};

}  // namespace vantrel::com
