#pragma once
// The COM object around one automation object: IUnknown, IDispatch through
// the type library, ISupportErrorInfo, and the Call helper that the generated
// vtable methods use to reach the generic slot invoke.
#include <windows.h>
#include <oleauto.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <utility>

#include "automation/bindings/invoke.hpp"
#include "com/byref_arguments.hpp"
#include "com/error_info.hpp"
#include "com/identity.hpp"
#include "com/module.hpp"
#include "com/type_library.hpp"

namespace vantrel::com {

template <class I>
class DispatchObject : public I, public ISupportErrorInfo, public WrapperBase {
 public:
  using Interface = I;

  explicit DispatchObject(automation::Ref<automation::Object> target) : target_(std::move(target)) {
    ObjectCreated();
  }
  virtual ~DispatchObject() { ObjectDestroyed(); }
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(I)) {
      *out = static_cast<I*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else if (riid == kIidWrapper) {
      *out = static_cast<WrapperBase*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long n = --refs_;
    if (n == 0 && ForgetWrapper(target_.get(), refs_)) delete this;
    return static_cast<ULONG>(n);
  }

  // IDispatch: everything through the interface's type information, so the
  // system does the argument coercion, optional defaults and by-reference
  // handling before a vtable method runs.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return TypeInfoOf(__uuidof(I), out);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoOf(__uuidof(I), &info);
    if (FAILED(hr)) return hr;
    hr = info->GetIDsOfNames(names, count, ids);
    info->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argError) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoOf(__uuidof(I), &info);
    if (FAILED(hr)) return hr;
    SetErrorInfo(0, nullptr);
    ByRefArguments byref;
    hr = info->Invoke(static_cast<I*>(this), id, flags, byref.Prepare(info, id, flags, params), result,
                      exception, argError);
    info->Release();
    return hr;
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return riid == __uuidof(I) ? S_OK : S_FALSE;
  }

  // WrapperBase
  const automation::Ref<automation::Object>& Target() const noexcept override { return target_; }
  IDispatch* Dispatch() noexcept override { return static_cast<I*>(this); }

 protected:
  // Runs slot `slot` of the object with the converted arguments and stores
  // the result; every failure becomes an HRESULT with IErrorInfo set.
  template <class Out, class... In>
  HRESULT Call(std::size_t slot, automation::InvokeKind kind, Out out, In... in) noexcept {
    if (!out.Valid()) return E_POINTER;
    out.Clear();
    try {
      std::array<automation::Variant, sizeof...(In)> args{in.Get()...};
      out.Store(automation::Invoke(*target_, slot, kind, args));
      return S_OK;
    } catch (...) {
      return ReportCurrentException(__uuidof(I), ErrorSource());
    }
  }

 private:
  // "Vantrel.<Class>", the source a script reads from Err.Source.
  std::u16string ErrorSource() const noexcept {
    try {
      return u"Vantrel." + automation::ClassOf(*target_).name;
    } catch (...) {
      return {};
    }
  }

  std::atomic<long> refs_{0};
  automation::Ref<automation::Object> target_;
};

}  // namespace vantrel::com
