#include "com/convert.hpp"

#include <new>

#include "automation/error.hpp"
#include "automation/object.hpp"
#include "com/enum_variant.hpp"
#include "com/identity.hpp"

namespace vantrel::com {
namespace {

using automation::AutomationError;
using automation::Variant;

// Keeps a VARIANT cleared on every path.
struct ScopedVariant {
  VARIANT v;
  ScopedVariant() { VariantInit(&v); }
  ~ScopedVariant() { VariantClear(&v); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};

// The value of a foreign object's default member, as a script host passes it.
Variant DefaultValueOf(IDispatch* object, int depth);

Variant Convert(const VARIANT& value, int depth) {
  if (depth > 8) throw AutomationError(automation::kTypeMismatch);
  if (V_VT(&value) & VT_BYREF) {
    ScopedVariant plain;
    const HRESULT hr = VariantCopyInd(&plain.v, const_cast<VARIANT*>(&value));
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(hr)) throw AutomationError(automation::kTypeMismatch);
    return Convert(plain.v, depth + 1);
  }
  switch (V_VT(&value)) {
    case VT_EMPTY:
      return Variant();
    case VT_ERROR:
      if (V_ERROR(&value) == DISP_E_PARAMNOTFOUND) return Variant::Missing();
      throw AutomationError(automation::kTypeMismatch);
    case VT_I2:
      return Variant(static_cast<std::int16_t>(V_I2(&value)));
    case VT_I4:
      return Variant(static_cast<std::int32_t>(V_I4(&value)));
    case VT_R8:
      return Variant(V_R8(&value));
    case VT_DATE:
      return Variant(automation::Date{V_DATE(&value)});
    case VT_BOOL:
      return Variant(V_BOOL(&value) != VARIANT_FALSE);
    case VT_BSTR:
      return Variant(StringFromBstr(V_BSTR(&value)));
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      IUnknown* unknown = V_VT(&value) == VT_DISPATCH ? V_DISPATCH(&value) : V_UNKNOWN(&value);
      if (unknown == nullptr) return Variant::Nothing();
      if (auto own = UnwrapObject(unknown)) return Variant(own);
      IDispatch* dispatch = nullptr;
      if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        throw AutomationError(automation::kTypeMismatch);
      try {
        Variant result = DefaultValueOf(dispatch, depth + 1);
        dispatch->Release();
        return result;
      } catch (...) {
        dispatch->Release();
        throw;
      }
    }
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_CY:
    case VT_DECIMAL: {
      // Other numbers keep their value: a Long when they fit, else a Double.
      const bool fractional = V_VT(&value) == VT_R4 || V_VT(&value) == VT_CY || V_VT(&value) == VT_DECIMAL;
      ScopedVariant number;
      if (!fractional && SUCCEEDED(VariantChangeType(&number.v, const_cast<VARIANT*>(&value), 0, VT_I4)))
        return Variant(static_cast<std::int32_t>(V_I4(&number.v)));
      VariantClear(&number.v);
      if (FAILED(VariantChangeType(&number.v, const_cast<VARIANT*>(&value), 0, VT_R8))) throw AutomationError(automation::kOverflow);
      return Variant(V_R8(&number.v));
    }
    default:
      throw AutomationError(automation::kTypeMismatch);
  }
}

Variant DefaultValueOf(IDispatch* object, int depth) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  ScopedVariant result;
  const HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                    &result.v, nullptr, nullptr);
  if (FAILED(hr)) throw AutomationError(automation::kTypeMismatch);
  return Convert(result.v, depth);
}

}  // namespace

std::wstring WideFrom(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

automation::String StringFromBstr(BSTR text) {
  if (text == nullptr) return {};
  return automation::String(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

BSTR BstrFromString(std::u16string_view text) {
  BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  if (result == nullptr) throw std::bad_alloc();
  return result;
}

automation::Variant VariantFromCom(const VARIANT& value) { return Convert(value, 0); }

void VariantToCom(const automation::Variant& value, VARIANT* out) {
  VariantInit(out);
  switch (value.Type()) {
    case automation::VarType::Empty:
      return;
    case automation::VarType::Missing:
      V_VT(out) = VT_ERROR;
      V_ERROR(out) = DISP_E_PARAMNOTFOUND;
      return;
    case automation::VarType::I2:
      V_VT(out) = VT_I2;
      V_I2(out) = value.AsI2();
      return;
    case automation::VarType::I4:
      V_VT(out) = VT_I4;
      V_I4(out) = value.AsI4();
      return;
    case automation::VarType::R8:
      V_VT(out) = VT_R8;
      V_R8(out) = value.AsR8();
      return;
    case automation::VarType::Date:
      V_VT(out) = VT_DATE;
      V_DATE(out) = value.AsDate().value;
      return;
    case automation::VarType::Bool:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.AsBool() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case automation::VarType::String:
      V_BSTR(out) = BstrFromString(value.AsString());
      V_VT(out) = VT_BSTR;
      return;
    case automation::VarType::Object: {
      const auto& object = value.AsObject();
      if (object && object->Class() == automation::ClassId::Enumerator) {
        V_UNKNOWN(out) = NewEnumVariant(object);
        V_VT(out) = VT_UNKNOWN;
        return;
      }
      V_DISPATCH(out) = WrapObject(object);
      V_VT(out) = VT_DISPATCH;
      return;
    }
  }
}

}  // namespace vantrel::com
