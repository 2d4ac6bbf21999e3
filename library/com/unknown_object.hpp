#pragma once
// IUnknown for the server's objects that expose one interface: reference
// counting, QueryInterface for IUnknown and that interface, and the module's
// object count that DllCanUnloadNow reads.
#include <windows.h>

#include <atomic>

#include "com/module.hpp"

namespace vantrel::com {

template <class Interface, const IID& kIid>
class UnknownObject : public Interface {
 public:
  UnknownObject() { ObjectCreated(); }
  virtual ~UnknownObject() { ObjectDestroyed(); }
  UnknownObject(const UnknownObject&) = delete;
  UnknownObject& operator=(const UnknownObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == kIid) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
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

 private:
  std::atomic<long> refs_{0};
};

}  // namespace vantrel::com
