#include "com/type_library.hpp"

#include "com/module.hpp"

namespace vantrel::com {
namespace {

// Loaded on first use (LoadTypeLibEx must not run inside DllMain) and kept
// for the life of the process.
ITypeLib* OwnTypeLib() noexcept {
  static ITypeLib* const lib = []() -> ITypeLib* {
    ITypeLib* loaded = nullptr;
    try {
      if (FAILED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &loaded))) return nullptr;
    } catch (...) {
      return nullptr;
    }
    return loaded;
  }();
  return lib;
}

}  // namespace

HRESULT TypeInfoOf(REFIID iid, ITypeInfo** out) noexcept {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  ITypeLib* lib = OwnTypeLib();
  if (lib == nullptr) return TYPE_E_CANTLOADLIBRARY;
  return lib->GetTypeInfoOfGuid(iid, out);
}

}  // namespace vantrel::com
