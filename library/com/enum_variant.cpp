#include "com/enum_variant.hpp"

#include <new>
#include <vector>

#include "automation/enumerator.hpp"
#include "automation/error.hpp"
#include "com/convert.hpp"
#include "com/module.hpp"
#include "com/unknown_object.hpp"

namespace vantrel::com {
namespace {

class EnumVariant final : public UnknownObject<IEnumVARIANT, IID_IEnumVARIANT> {
 public:
  explicit EnumVariant(automation::Ref<automation::Enumerator> items) : items_(std::move(items)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched != nullptr) *fetched = 0;
    if (count == 0) return S_OK;
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG done = 0;
    try {
      std::vector<automation::Variant> values(count);
      const std::size_t n = items_->Next(count, values.data());
      for (; done < n; ++done) VariantToCom(values[done], &out[done]);
    } catch (...) {
      for (ULONG i = 0; i < done; ++i) VariantClear(&out[i]);
      return E_OUTOFMEMORY;
    }
    if (fetched != nullptr) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return items_->Skip(count) ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE Reset() override {
    items_->Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
      *out = new EnumVariant(items_->Clone());
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    (*out)->AddRef();
    return S_OK;
  }

 private:
  automation::Ref<automation::Enumerator> items_;
};

}  // namespace

IUnknown* NewEnumVariant(const automation::Ref<automation::Object>& enumerator) {
  auto items = automation::RefCast<automation::Enumerator>(enumerator);
  if (!items) throw automation::AutomationError(automation::kTypeMismatch);
  IUnknown* result = new EnumVariant(std::move(items));
  result->AddRef();
  return result;
}

}  // namespace vantrel::com
