// User operations on a 1,000-user domain in one Win32 process, two ways:
//  - "kernel32": the per-call way the library replaces, one profile call per
//    value (GetPrivateProfileString / WritePrivateProfileString, key lists in
//    a buffer large enough for the whole list), the rights check reading the
//    settings file each time;
//  - "Vantrel.dll": the same operation through the registered library, by
//    ProgID and IDispatch, as a page calls it (object created per call).
// Prints per operation the CPU and wall milliseconds of each and the ratio
// kernel32 / Vantrel.dll. The server file is restored (untimed) after writes.
//
// usage: win32_operations_bench.exe PATH\Vantrel.dll [repeats]
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "storage/password.hpp"

namespace {

constexpr int kUsers = 1000;
const std::string kVictim = "user500";

std::string g_folder;    // the server folder
std::string g_server;    // its ServUDaemon.ini
std::string g_settings;  // Windows\Vantrel.ini
std::string g_serverBytes;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "win32_operations_bench: %s\n", what.c_str());
  std::exit(1);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ServerFile() {
  std::string out = "[GLOBAL]\r\nVersion=6.4.0.6\r\n\r\n[DOMAINS]\r\nDomain1=0.0.0.0||2101|Domain 1|1|0\r\n\r\n[Domain1]\r\n";
  for (int u = 1; u <= kUsers; ++u) out += "User" + std::to_string(u) + "=user" + std::to_string(u) + "|1|0\r\n";
  for (int u = 1; u <= kUsers; ++u) {
    const std::string name = "user" + std::to_string(u), home = "C:\\ftp\\" + name;
    out += "\r\n[USER=" + name + "|1]\r\nPassword=ab0123456789ABCDEF0123456789ABCDEF\r\nHomeDir=" + home +
           "\r\nLoginMesFile=C:\\Windows\\Vantrel.txt\r\nRelPaths=1\r\nTimeOut=600\r\nMaxUsersLoginPerIP=2\r\n";
    for (int a = 1; a <= 1 + u % 3; ++a)
      out += "Access" + std::to_string(a) + "=" + home + (a > 1 ? "\\sub" + std::to_string(a) : "") + "|RWAMLCDP\r\n";
  }
  return out;
}

// --- the per-call way, through kernel32 -----------------------------------

std::string Read(const std::string& section, const std::string& key, const std::string& file) {
  char value[255];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, file.c_str());
  return std::string(value, n);
}

bool Write(const std::string& section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section.c_str(), key, value, g_server.c_str()) != 0;
}

// The system administrator's name and password, read from the settings file.
bool Rights() {
  return !Read("Vantrel", "Administrator", g_settings).empty() && !Read("Vantrel", "Password", g_settings).empty();
}

bool FileThere(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Row {
  std::string name, flag, expiry;
};

// The domain's key list, then one read per user list line.
std::vector<Row> ListUsers() {
  static std::vector<char> keys(1 << 20);
  const DWORD n = GetPrivateProfileStringA("Domain1", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()),
                                           g_server.c_str());
  std::vector<Row> rows;
  for (const char* key = keys.data(); key < keys.data() + n && *key; key += std::strlen(key) + 1) {
    if (_strnicmp(key, "user", 4) != 0) continue;
    const std::string value = Read("Domain1", key, g_server);
    const std::size_t a = value.find('|'), b = value.find('|', a + 1);
    rows.push_back({value.substr(0, a), value.substr(a + 1, b - a - 1), value.substr(b + 1)});
  }
  return rows;
}

bool Kernel32GetUserList() { return Rights() && FileThere(g_server) && ListUsers().size() >= kUsers - 1; }

bool Kernel32Add(const std::string& name, std::size_t count) {
  if (!Rights() || !FileThere(g_settings)) return false;  // the rights check on the home folder
  const std::string section = "USER=" + name + "|1";
  bool ok = Write("Domain1", ("User" + std::to_string(count + 1)).c_str(), (name + "|1|0").c_str());
  ok = ok && Write(section, "HomeDir", ("C:\\ftp\\" + name).c_str());
  Write(section, "Password", "cd0123456789ABCDEF0123456789ABCDEF");
  Write(section, "TimeOut", "600");
  Write(section, "LoginMesFile", FileThere("C:\\Windows\\Vantrel.txt") ? "C:\\Windows\\Vantrel.txt" : "");
  return ok;
}

bool Kernel32AddUser() {
  if (!Rights() || !FileThere(g_server)) return false;
  const std::vector<Row> rows = ListUsers();
  for (const Row& row : rows)
    if (_stricmp(row.name.c_str(), "newcomer") == 0) return false;
  return Kernel32Add("newcomer", rows.size());
}

bool Kernel32Delete(const std::vector<Row>& rows, const std::string& name) {
  if (!Write("Domain1", nullptr, nullptr)) return false;
  int k = 1, removed = 0;
  for (const Row& row : rows) {
    if (row.name == name) {
      Write("USER=" + name + "|1", nullptr, nullptr);
      ++removed;
      continue;
    }
    Write("Domain1", ("User" + std::to_string(k++)).c_str(), (row.name + "|" + row.flag + "|" + row.expiry).c_str());
  }
  return removed == 1;
}

bool Kernel32DelUser() {
  return Rights() && FileThere(g_server) && Kernel32Delete(ListUsers(), kVictim);
}

bool Kernel32ModifyUser() {
  if (!Rights() || !FileThere(g_server)) return false;
  std::vector<Row> rows = ListUsers();
  if (!Rights() || !Kernel32Delete(rows, kVictim)) return false;  // DelUser lists again: counted once here
  return Kernel32Add(kVictim, rows.size() - 1);
}

// --- through Vantrel.dll, by ProgID and IDispatch ---------------------------

VARIANT Text(const std::string& s) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(s.size()));
  for (std::size_t i = 0; i < s.size(); ++i) v.bstrVal[i] = static_cast<unsigned char>(s[i]);
  return v;
}

VARIANT Short(short n) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I2;
  v.iVal = n;
  return v;
}

DISPID Member(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) Fail("no member");
  return id;
}

void Put(IDispatch* object, const wchar_t* name, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  if (FAILED(object->Invoke(Member(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                            nullptr, nullptr, nullptr)))
    Fail("a property could not be set");
  VariantClear(&value);
}

// Calls a Boolean operation; arguments in order.
bool Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = object->Invoke(Member(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                    &result, nullptr, nullptr);
  for (VARIANT& v : args) VariantClear(&v);
  const bool ok = SUCCEEDED(hr) && result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
  VariantClear(&result);
  return ok;
}

template <typename Body>
bool WithUser(Body body) {
  CLSID clsid;
  IDispatch* user = nullptr;
  if (FAILED(CLSIDFromProgID(L"Vantrel.User", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&user))))
    Fail("Vantrel.User cannot be created");
  Put(user, L"ServUPath", Text(g_folder));
  Put(user, L"AdminName", Text("admin"));
  Put(user, L"AdminPassword", Text("secret"));
  const bool ok = body(user);
  user->Release();
  return ok;
}

bool DllGetUserList() { return WithUser([](IDispatch* u) { return Call(u, L"GetUserList", {Short(1)}); }); }
bool DllAddUser() {
  return WithUser([](IDispatch* u) {
    Put(u, L"UserName", Text("newcomer"));
    Put(u, L"HomeDir", Text("C:\\ftp\\newcomer"));
    Put(u, L"Password", Text("pw"));
    Put(u, L"TimeOut", Short(600));
    return Call(u, L"AddUser", {Short(1)});
  });
}
bool DllDelUser() { return WithUser([](IDispatch* u) { return Call(u, L"DelUser", {Text(kVictim), Short(1)}); }); }
bool DllModifyUser() {
  return WithUser([](IDispatch* u) {
    Put(u, L"UserName", Text(kVictim));
    Put(u, L"HomeDir", Text("C:\\ftp\\moved"));
    Put(u, L"Password", Text("pw"));
    Put(u, L"TimeOut", Short(300));
    return Call(u, L"ModifyUser", {Text(kVictim), Short(1)});
  });
}

// --- timing ----------------------------------------------------------------

double CpuMs() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

double WallMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1e3 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
  double cpu = 0, wall = 0;
};

// Mean CPU and wall milliseconds of `repeats` calls; the server file restored
// (untimed) after each. The process CPU clock ticks coarsely, so CPU time is
// taken over the whole loop less a loop of the restores alone.
Timing Measure(const std::function<bool()>& op, int repeats, bool writes) {
  double wall = 0;
  const double start = CpuMs();
  for (int i = 0; i < repeats; ++i) {
    const double begin = WallMs();
    if (!op()) Fail("an operation failed");
    wall += WallMs() - begin;
    if (writes) WriteFile(g_server, g_serverBytes);
  }
  double cpu = CpuMs() - start;
  if (writes) {
    const double restores = CpuMs();
    for (int i = 0; i < repeats; ++i) WriteFile(g_server, g_serverBytes);
    cpu -= CpuMs() - restores;
  }
  return {cpu / repeats, wall / repeats};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Fail("usage: win32_operations_bench.exe PATH\\Vantrel.dll [repeats]");
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  HMODULE dll = LoadLibraryA(argv[1]);
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  const auto reg = dll ? reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer"))) : nullptr;
  if (!reg || FAILED(reg())) Fail("Vantrel.dll could not be registered");
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) Fail("no COM");

  char temp[MAX_PATH], windows[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  GetWindowsDirectoryA(windows, MAX_PATH);
  g_folder = std::string(temp) + "vantrel-bench";
  CreateDirectoryA(g_folder.c_str(), nullptr);
  g_server = g_folder + "\\ServUDaemon.ini";
  g_settings = std::string(windows) + "\\Vantrel.ini";
  std::string password;
  for (char16_t c : vantrel::storage::MakeSaltedPassword(u"secret")) password += static_cast<char>(c);
  WriteFile(g_settings, "[Vantrel]\r\nVersion=1.0\r\nAdministrator=admin\r\nPassword=" + password +
                            "\r\n[PublicDir]\r\ndir1=C:\\Vantrel\\Pub\r\n[PrivateDir]\r\n");
  g_serverBytes = ServerFile();
  WriteFile(g_server, g_serverBytes);
  DllAddUser();  // first use: the settings file's initialisation and the login message file
  WriteFile(g_server, g_serverBytes);

  struct Case {
    const char* name;
    std::function<bool()> kernel32, library;
    bool writes;
    int kernel32Repeats;  // the per-call writes take seconds each
  };
  const Case cases[] = {{"GetUserList", Kernel32GetUserList, DllGetUserList, false, repeats},
                        {"AddUser", Kernel32AddUser, DllAddUser, true, repeats},
                        {"DelUser", Kernel32DelUser, DllDelUser, true, 1},
                        {"ModifyUser", Kernel32ModifyUser, DllModifyUser, true, 1}};
  std::printf("%-12s %13s %13s %13s %13s %9s %9s\n", "operation", "kernel32 cpu", "dll cpu", "kernel32 wall",
              "dll wall", "x cpu", "x wall");
  for (const Case& c : cases) {
    const Timing k = Measure(c.kernel32, c.kernel32Repeats, c.writes);
    const Timing v = Measure(c.library, repeats * 10, c.writes);
    std::printf("%-12s %13.2f %13.2f %13.2f %13.2f %9.1f %9.1f\n", c.name, k.cpu, v.cpu, k.wall, v.wall,
                k.cpu / v.cpu, k.wall / v.wall);
  }
  CoUninitialize();
  return 0;
}
