#include "com/class_factory.hpp"


#include "automation/bindings/invoke.hpp"
#include "com/com_classes.hpp"
#include "com/error_info.hpp"
#include "com/identity.hpp"
#include "com/module.hpp"
#include "com/unknown_object.hpp"

namespace vantrel::com {
namespace {

class ClassFactory final : public UnknownObject<IClassFactory, IID_IClassFactory> {
 public:
  explicit ClassFactory(std::size_t index) : index_(index) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    const ComClass& info = ComClasses()[index_];
    try {
      IDispatch* object = WrapObject(automation::Catalogue().at(index_).create());
      const HRESULT hr = object->QueryInterface(riid, out);
      object->Release();
      return hr;
    } catch (...) {
      return ReportCurrentException(*info.iid, u"Vantrel");
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  std::size_t index_;
};

}  // namespace

HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** out) noexcept {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  const auto classes = ComClasses();
  for (std::size_t i = 0; i < classes.size(); ++i) {
    if (*classes[i].clsid != clsid) continue;
    ClassFactory* factory = nullptr;
    try {
      factory = new ClassFactory(i);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, out);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace vantrel::com
