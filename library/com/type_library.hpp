#pragma once
// The type library embedded in Vantrel.dll (TYPELIB resource 1), loaded once
// from the DLL's own file without touching the registry. IDispatch of every
// object goes through it.
#include <windows.h>
#include <oleauto.h>

namespace vantrel::com {

// The type information of one of the library's interfaces (AddRef'ed).
HRESULT TypeInfoOf(REFIID iid, ITypeInfo** out) noexcept;

}  // namespace vantrel::com
