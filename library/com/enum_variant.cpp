#include "com/enum_variant.hpp"

#include <atomic>
#include <new>
#include <vector>

#include "automation/enumerator.hpp"
#include "automation/error.hpp"
#include "com/convert.hpp"
#include "com/module.hpp"

namespace vantrel::com {
namespace {

class EnumVariant final : public IEnumVARIANT {
 public:
  explicit EnumVariant(automation::Ref<automation::Enumerator> items) : items_(std::move(items)) {
    ObjectCreated();
  }
  ~EnumVariant() { ObjectDestroyed(); }
  EnumVariant(const EnumVariant&) = delete;
  EnumVariant& operator=(const EnumVariant&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long n = --refs_;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

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
  std::atomic<long> refs_{0};
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
