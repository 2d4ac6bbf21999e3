#pragma once
// IClassFactory for one of the 20 classes: creates the automation object and
// hands out its COM wrapper.
#include <windows.h>
#include <oleauto.h>

#include <cstddef>

namespace vantrel::com {

// The factory of the class with this CLSID; CLASS_E_CLASSNOTAVAILABLE for others.
HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** out) noexcept;

}  // namespace vantrel::com
