// The COM contract of Vantrel.dll as an early-bound client sees it, without
// registration: class objects from DllGetClassObject, unload counts,
// QueryInterface rules, what vtable calls add (BSTR length, null pointers),
// IDispatch through the type library and IEnumVARIANT. Values, defaults and
// automation errors as a script meets them are in vbs/; every type and
// member's help string is required where the IDL is read.
//
// usage: com_server_test.exe PATH\Vantrel.dll
#include <initguid.h>

#include <windows.h>
#include <cguid.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "Vantrel_h.h"

namespace {

int g_passed = 0;
int g_failed = 0;

void Record(bool ok, const char* what, int line) {
  if (ok) {
    ++g_passed;
  } else {
    ++g_failed;
    std::printf("FAIL line %d: %s\n", line, what);
  }
}
#define CHECK(expr) Record((expr), #expr, __LINE__)

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
GetClassObjectFn g_get_class_object = nullptr;
CanUnloadFn g_can_unload = nullptr;

template <class I>
I* Create(REFCLSID clsid) {
  IClassFactory* factory = nullptr;
  if (FAILED(g_get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return nullptr;
  I* object = nullptr;
  factory->CreateInstance(nullptr, __uuidof(I), reinterpret_cast<void**>(&object));
  factory->Release();
  return object;
}

// Reads and frees a BSTR result.
std::wstring Take(BSTR b) {
  std::wstring t = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
  SysFreeString(b);
  return t;
}

void TestClassObjects() {
  IClassFactory* factory = nullptr;
  CHECK(g_get_class_object(CLSID_Domains, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK);
  if (!factory) return;
  IUnknown* object = nullptr;
  // Any outer object asks for aggregation, which the classes refuse.
  CHECK(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown,
                                reinterpret_cast<void**>(&object)) == CLASS_E_NOAGGREGATION);
  CHECK(object == nullptr);
  CHECK(factory->CreateInstance(nullptr, IID__Domains, reinterpret_cast<void**>(&object)) == S_OK);
  if (object) object->Release();
  CHECK(factory->CreateInstance(nullptr, IID__User, reinterpret_cast<void**>(&object)) == E_NOINTERFACE);
  factory->Release();

  void* none = nullptr;
  CHECK(g_get_class_object(IID__Domains, IID_IClassFactory, &none) == CLASS_E_CLASSNOTAVAILABLE);
  CHECK(none == nullptr);
}

void TestUnloadCounts() {
  CHECK(g_can_unload() == S_OK);  // nothing alive yet
  IClassFactory* factory = nullptr;
  g_get_class_object(CLSID_CDomain, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  CHECK(g_can_unload() == S_FALSE);  // a class object is alive
  factory->LockServer(TRUE);
  factory->Release();
  CHECK(g_can_unload() == S_FALSE);  // the lock holds the server
  g_get_class_object(CLSID_CDomain, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  factory->LockServer(FALSE);
  factory->Release();
  CHECK(g_can_unload() == S_OK);

  _Domain* domains = Create<_Domain>(CLSID_Domain);
  CHECK(g_can_unload() == S_FALSE);
  IUnknown* enumerator = nullptr;
  domains->get_NewEnum(&enumerator);
  domains->Release();
  CHECK(g_can_unload() == S_FALSE);  // the enumerator still holds the module
  enumerator->Release();
  CHECK(g_can_unload() == S_OK);
}

void TestQueryInterface() {
  _CDomain* d = Create<_CDomain>(CLSID_CDomain);
  CHECK(d != nullptr);
  if (!d) return;
  IUnknown* u1 = nullptr;
  IUnknown* u2 = nullptr;
  IDispatch* disp = nullptr;
  ISupportErrorInfo* support = nullptr;
  void* other = nullptr;
  CHECK(d->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&u1)) == S_OK);
  CHECK(d->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)) == S_OK);
  CHECK(disp->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&u2)) == S_OK);
  CHECK(u1 == u2);  // one identity
  CHECK(d->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)) == S_OK);
  CHECK(support->InterfaceSupportsErrorInfo(IID__CDomain) == S_OK);
  CHECK(support->InterfaceSupportsErrorInfo(IID__User) == S_FALSE);
  CHECK(d->QueryInterface(IID__CFile, &other) == E_NOINTERFACE);
  CHECK(other == nullptr);
  support->Release();
  u1->Release();
  u2->Release();
  disp->Release();
  d->Release();
}

// What a vtable call adds to a script's: the BSTR's length, a null BSTR and
// a null result pointer. Values and their VARIANT types are in vbs/arguments.vbs.
void TestVtableCalls() {
  _CDomain* d = Create<_CDomain>(CLSID_CDomain);
  // Embedded NUL characters travel with the BSTR's length.
  BSTR in = SysAllocStringLen(L"a\0b", 3);
  CHECK(d->put_HostName(in) == S_OK);
  SysFreeString(in);
  BSTR out = nullptr;
  CHECK(d->get_HostName(&out) == S_OK);
  CHECK(SysStringLen(out) == 3 && Take(out) == std::wstring(L"a\0b", 3));
  // A null BSTR is the empty string; IP's rule turns it into 127.0.0.1.
  CHECK(d->put_IP(nullptr) == S_OK);
  d->get_IP(&out);
  CHECK(Take(out) == L"127.0.0.1");
  CHECK(d->get_port(nullptr) == E_POINTER);
  d->Release();
}

void TestDispatch() {
  _CDomain* d = Create<_CDomain>(CLSID_CDomain);
  IDispatch* disp = d;
  UINT count = 0;
  CHECK(disp->GetTypeInfoCount(&count) == S_OK && count == 1);
  ITypeInfo* info = nullptr;
  CHECK(disp->GetTypeInfo(1, 0, &info) == DISP_E_BADINDEX);
  CHECK(disp->GetTypeInfo(0, 0, &info) == S_OK && info != nullptr);
  if (info) info->Release();

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"hostname")};
  DISPID id = 99;
  CHECK(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK && id == 2);  // letter case ignored
  CHECK(disp->GetIDsOfNames(IID__CDomain, names, 1, 0, &id) == DISP_E_UNKNOWNINTERFACE);

  d->Release();
}

void TestEnumerator() {
  _Domain* c = Create<_Domain>(CLSID_Domain);
  BSTR text = SysAllocString(L"x");
  for (short id = 1; id <= 3; ++id) {
    _CDomain* item = nullptr;
    c->Add(id, text, text, 21, nullptr, &item);
    item->Release();
  }
  SysFreeString(text);
  IUnknown* unknown = nullptr;
  CHECK(c->get_NewEnum(&unknown) == S_OK);
  IEnumVARIANT* e = nullptr;
  CHECK(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e)) == S_OK);
  unknown->Release();
  if (!e) return;

  auto id_of = [](VARIANT& v) -> short {
    short id = -1;
    _CDomain* d = nullptr;
    if (V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) &&
        SUCCEEDED(V_DISPATCH(&v)->QueryInterface(IID__CDomain, reinterpret_cast<void**>(&d)))) {
      d->get_ID(&id);
      d->Release();
    }
    VariantClear(&v);
    return id;
  };
  VARIANT items[2];
  VariantInit(&items[0]);
  VariantInit(&items[1]);
  ULONG fetched = 0;
  CHECK(e->Next(2, items, &fetched) == S_OK && fetched == 2);
  CHECK(id_of(items[0]) == 1 && id_of(items[1]) == 2);
  CHECK(e->Next(2, items, &fetched) == S_FALSE && fetched == 1);
  CHECK(id_of(items[0]) == 3);
  CHECK(e->Next(1, items, &fetched) == S_FALSE && fetched == 0);
  CHECK(e->Reset() == S_OK);
  CHECK(e->Skip(1) == S_OK);
  IEnumVARIANT* copy = nullptr;
  CHECK(e->Clone(&copy) == S_OK);
  CHECK(e->Next(1, items, nullptr) == S_OK && id_of(items[0]) == 2);
  CHECK(copy->Next(1, items, nullptr) == S_OK && id_of(items[0]) == 2);  // clones keep their own position
  CHECK(e->Skip(5) == S_FALSE);
  copy->Release();
  e->Release();
  c->Release();
}

// The server version, read by the engine from a ServUDaemon.ini in `folder`.
std::wstring Version(const std::wstring& folder) {
  _Global* global = Create<_Global>(CLSID_Global);
  if (!global) return L"(no object)";
  BSTR path = SysAllocString(folder.c_str()), version = nullptr;
  global->put_ServUPath(path);
  global->get_Version(&version);
  SysFreeString(path);
  global->Release();
  return Take(version);
}

// Freed and loaded again, as COM does with an idle server, the library
// serves as before (its DllMain frees the engine's per-thread state).
void TestFreeAndLoadAgain(const wchar_t* path, HMODULE& dll) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"vantrel-reload", file = folder + L"\\ServUDaemon.ini";
  CreateDirectoryW(folder.c_str(), nullptr);
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(handle, "[GLOBAL]\r\nVersion=6.4.0.6\r\n", 27, &written, nullptr);
  CloseHandle(handle);
  CHECK(Version(folder) == L"6.4.0.6");
  CHECK(FreeLibrary(dll) && GetModuleHandleW(path) == nullptr);
  dll = LoadLibraryW(path);
  g_get_class_object = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  CHECK(g_get_class_object != nullptr && Version(folder) == L"6.4.0.6");
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: com_server_test PATH\\Vantrel.dll\n");
    return 2;
  }
  CoInitialize(nullptr);
  HMODULE dll = LoadLibraryW(argv[1]);
  if (!dll) {
    std::printf("FAIL cannot load the DLL\n0 passed, 1 failed\n");
    return 1;
  }
  g_get_class_object = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  g_can_unload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  CHECK(g_get_class_object != nullptr && g_can_unload != nullptr);
  CHECK(GetProcAddress(dll, "DllRegisterServer") != nullptr && GetProcAddress(dll, "DllUnregisterServer") != nullptr);
  if (g_get_class_object && g_can_unload) {
    TestUnloadCounts();
    TestClassObjects();
    TestQueryInterface();
    TestVtableCalls();
    TestDispatch();
    TestEnumerator();
    CHECK(g_can_unload() == S_OK);  // every test released what it made
    TestFreeAndLoadAgain(argv[1], dll);
  }
  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  CoUninitialize();
  return g_failed == 0 ? 0 : 1;
}
