// The four entry points of the in-process server (exported through Vantrel.def).
#include <windows.h>
#include <oleauto.h>

#include "com/class_factory.hpp"
#include "com/module.hpp"
#include "com/registration.hpp"

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
  return vantrel::com::GetClassFactory(clsid, riid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return vantrel::com::CanUnload() ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() { return vantrel::com::RegisterServer(); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return vantrel::com::UnregisterServer(); }

}
