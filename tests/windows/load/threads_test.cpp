// Pages on many threads of one web server: 8 threads, each in its own
// apartment with its own User object from Vantrel.dll, add 250 users each at
// once; every account must be kept. With --processes the 8 adders are
// processes instead (pages of several web servers). The settings file of the
// Windows folder is replaced for the run and put back after it.
//
// usage: load_threads_test.exe PATH\Vantrel.dll [--processes]
//        load_threads_test.exe PATH\Vantrel.dll --adder N SERVU HOMES  (one adder process)
#include <initguid.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Vantrel_h.h"

namespace {

constexpr int kThreads = 8, kAdds = 250;
using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

std::string Read(const std::wstring& file) {
  std::ifstream in(file.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void Write(const std::wstring& file, const std::string& bytes) {
  std::ofstream(file.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

bool Put(_User* user, HRESULT (STDMETHODCALLTYPE _User::*put)(BSTR), const std::wstring& text) {
  BSTR b = SysAllocString(text.c_str());
  const HRESULT hr = (user->*put)(b);
  SysFreeString(b);
  return SUCCEEDED(hr);
}

int AddUsers(GetClassObjectFn getClassObject, int thread, const std::wstring& servu, const std::wstring& homes) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int added = 0;
  IClassFactory* factory = nullptr;
  _User* user = nullptr;
  if (SUCCEEDED(getClassObject(CLSID_User, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    factory->CreateInstance(nullptr, IID__User, reinterpret_cast<void**>(&user));
    factory->Release();
  }
  if (user && Put(user, &_User::put_ServUPath, servu) && Put(user, &_User::put_AdminName, L"Vantrel") &&
      Put(user, &_User::put_AdminPassword, L"KelpMoor")) {
    for (int i = 0; i < kAdds; ++i) {
      const std::wstring name = L"t" + std::to_wstring(thread) + L"u" + std::to_wstring(i);
      VARIANT_BOOL ok = VARIANT_FALSE;
      if (Put(user, &_User::put_UserName, name) && Put(user, &_User::put_HomeDir, homes + name) &&
          SUCCEEDED(user->AddUser(1, &ok)) && ok == VARIANT_TRUE) {
        ++added;
      } else {
        BSTR why = nullptr;
        user->get_ErrorMsg(&why);
        std::printf("FAIL: %ls not added: %ls\n", name.c_str(), why ? why : L"");
        SysFreeString(why);
      }
    }
  }
  if (user) user->Release();
  CoUninitialize();
  return added;
}

// Starts adder n as a process of this program; returns its handle.
HANDLE StartAdder(const wchar_t* dll, int n, const std::wstring& servu, const std::wstring& homes) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" \"" + dll + L"\" --adder " + std::to_wstring(n) + L" \"" +
                         servu + L"\" \"" + homes + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const HMODULE dll = LoadLibraryW(argv[1]);
  const auto getClassObject = dll ? reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject"))) : nullptr;
  if (!getClassObject) {
    std::printf("FAIL: %ls does not load\n", argv[1]);
    return 1;
  }
  // An adder process reports the users it added as its exit code.
  if (argc == 6 && std::wstring(argv[2]) == L"--adder") {
    return AddUsers(getClassObject, _wtoi(argv[3]), argv[4], argv[5]);
  }
  const bool processes = argc == 3 && std::wstring(argv[2]) == L"--processes";
  wchar_t buffer[MAX_PATH];
  GetWindowsDirectoryW(buffer, MAX_PATH);
  const std::wstring settings = std::wstring(buffer) + L"\\Vantrel.ini";
  GetTempPathW(MAX_PATH, buffer);
  const std::wstring top = std::wstring(buffer) + L"vantrel-load-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring servu = top + L"\\servu";
  CreateDirectoryW(top.c_str(), nullptr);
  CreateDirectoryW(servu.c_str(), nullptr);
  Write(servu + L"\\ServUDaemon.ini", "[Domain1]\r\nUser1=alice|1|0\r\n");
  const std::string savedSettings = Read(settings);
  Write(settings, "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n");

  std::vector<int> added(kThreads);
  if (processes) {
    std::vector<HANDLE> adders;
    for (int t = 0; t < kThreads; ++t) adders.push_back(StartAdder(argv[1], t, servu, top + L"\\homes\\"));
    for (int t = 0; t < kThreads; ++t) {
      DWORD code = 0;
      if (adders[t] && WaitForSingleObject(adders[t], INFINITE) == WAIT_OBJECT_0 &&
          GetExitCodeProcess(adders[t], &code)) {
        added[t] = static_cast<int>(code);
      }
      if (adders[t]) CloseHandle(adders[t]);
    }
  } else {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] { added[t] = AddUsers(getClassObject, t, servu, top + L"\\homes\\"); });
    }
    for (std::thread& thread : threads) thread.join();
  }
  if (savedSettings.empty()) {
    DeleteFileW(settings.c_str());
  } else {
    Write(settings, savedSettings);
  }

  const std::string file = Read(servu + L"\\ServUDaemon.ini");
  int reported = 0, kept = 0;
  for (int t = 0; t < kThreads; ++t) {
    reported += added[t];
    for (int i = 0; i < kAdds; ++i) {
      const std::string name = "t" + std::to_string(t) + "u" + std::to_string(i);
      kept += file.find("=" + name + "|1|") != std::string::npos && file.find("[USER=" + name + "|1]") != std::string::npos;
    }
  }
  std::printf("%d of %d adds reported success, %d of %d accounts kept (%d %s)\n", reported, kThreads * kAdds, kept,
              kThreads * kAdds, kThreads, processes ? "processes" : "threads");
  const bool ok = reported == kThreads * kAdds && kept == kThreads * kAdds;
  if (!ok) std::printf("FAIL: accounts lost\n");
  std::printf("%d passed, %d failed\n", ok ? 1 : 0, ok ? 0 : 1);
  return ok ? 0 : 1;
}
