#include "com/registration.hpp"

#include <oleauto.h>

#include <string>

#include "Vantrel_h.h"
#include "com/com_classes.hpp"
#include "com/module.hpp"

namespace vantrel::com {
namespace {

constexpr WORD kTypeLibMajor = 1;
constexpr WORD kTypeLibMinor = 0;
constexpr LCID kTypeLibLcid = 0x0409;
// The platform the type library was registered for: the one this DLL is built for.
constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ProgId(const ComClass& c) { return std::wstring(L"Vantrel.") + c.name; }

// Creates `path` under HKEY_CLASSES_ROOT and sets one value (null name: the default value).
LSTATUS SetValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status;
}

LSTATUS DeleteTree(const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS RegisterClass(const ComClass& c, const std::wstring& dll, const std::wstring& libid) {
  const std::wstring progId = ProgId(c);
  const std::wstring clsid = GuidText(*c.clsid);
  const std::wstring clsidKey = L"CLSID\\" + clsid;
  const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> entries[] = {
      {progId, {nullptr, progId}},
      {progId + L"\\CLSID", {nullptr, clsid}},
      {clsidKey, {nullptr, progId}},
      {clsidKey + L"\\InprocServer32", {nullptr, dll}},
      {clsidKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
      {clsidKey + L"\\ProgID", {nullptr, progId}},
      {clsidKey + L"\\TypeLib", {nullptr, libid}},
      {clsidKey + L"\\VERSION", {nullptr, L"1.0"}},
  };
  for (const auto& [path, value] : entries) {
    if (const LSTATUS status = SetValue(path, value.first, value.second); status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

}  // namespace

HRESULT RegisterServer() noexcept {
  try {
    const std::wstring dll = ModulePath();
    if (dll.empty()) return HRESULT_FROM_WIN32(GetLastError());
    const std::wstring libid = GuidText(LIBID_Vantrel);
    for (const ComClass& c : ComClasses()) {
      if (const LSTATUS status = RegisterClass(c, dll, libid); status != ERROR_SUCCESS) {
        UnregisterServer();
        return HRESULT_FROM_WIN32(status);
      }
    }
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLibEx(dll.c_str(), REGKIND_REGISTER, &lib);
    if (FAILED(hr)) {
      UnregisterServer();
      return hr;
    }
    lib->Release();
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterServer() noexcept {
  try {
    HRESULT result = S_OK;
    for (const ComClass& c : ComClasses()) {
      for (const std::wstring& path : {ProgId(c), L"CLSID\\" + GuidText(*c.clsid)}) {
        if (const LSTATUS status = DeleteTree(path); status != ERROR_SUCCESS) result = HRESULT_FROM_WIN32(status);
      }
    }
    // Unregistering a type library that is not registered fails on Wine, so
    // look first: a second unregistration must succeed too.
    BSTR path = nullptr;
    if (SUCCEEDED(QueryPathOfRegTypeLib(LIBID_Vantrel, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, &path))) {
      SysFreeString(path);
      const HRESULT hr = UnRegisterTypeLib(LIBID_Vantrel, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, kSysKind);
      if (FAILED(hr)) result = hr;
    }
    return result;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace vantrel::com
