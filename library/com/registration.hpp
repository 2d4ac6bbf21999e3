#pragma once
// Registry entries of the server: per class the ProgID "Vantrel.<Class>",
// the CLSID with its in-process server (this DLL's path, Apartment), ProgID
// and type library; and the type library itself.
#include <windows.h>

namespace vantrel::com {

HRESULT RegisterServer() noexcept;
// Removes the same entries; entries that are already gone are not an error.
HRESULT UnregisterServer() noexcept;

}  // namespace vantrel::com
