// Every library operation on generated server files, next to one read and
// line scan of the same file (ReadAndLineScan), so the ratio of the two does
// not depend on the machine. Two files: "small" (1 domain x 1,000 users) and
// "big" (50 domains x 600 users), laid out as the FTP server writes them; the
// settings file holds as many domain administrators as the server file users.
// Files live in /dev/shm when it exists, so fsync costs nothing. Each write
// restores the file (untimed) before the next iteration. Counters:
// peak_heap = the most heap bytes live at once during one call, over file =
// that divided by the server file's size. The heap is counted in one extra
// call after the timed ones: counting every allocation would add its own
// cost to the times of the operations that allocate most.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "classes/admin_of_admin.hpp"
#include "classes/domains.hpp"
#include "classes/user.hpp"
#include "storage/ini/ini_profile.hpp"
#include "storage/password.hpp"

// Live and peak heap bytes while counting is on (the benchmarks run on one thread).
namespace {
bool g_counting = false;
long long g_live = 0;
long long g_peak = 0;

void* Counted(void* p) {
  if (p == nullptr) throw std::bad_alloc();
  if (g_counting) {
    g_live += static_cast<long long>(malloc_usable_size(p));
    g_peak = std::max(g_peak, g_live);
  }
  return p;
}
void Uncounted(void* p) {
  if (p == nullptr) return;
  if (g_counting) g_live -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
}  // namespace

void* operator new(std::size_t n) { return Counted(std::malloc(n == 0 ? 1 : n)); }
void* operator new[](std::size_t n) { return Counted(std::malloc(n == 0 ? 1 : n)); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { Uncounted(p); }

namespace {

namespace fs = std::filesystem;
using vantrel::classes::AdminOfAdmin;
using vantrel::classes::Domains;
using vantrel::classes::User;
using String = std::u16string;

constexpr char16_t kAdmin[] = u"admin";
constexpr char16_t kPassword[] = u"secret";

struct Layout {
  int domains;
  int users;  // per domain
};
constexpr Layout kLayouts[] = {{1, 1000}, {50, 600}};

std::string Num(long n) { return std::to_string(n); }
String Wide(const std::string& s) { return String(s.begin(), s.end()); }

// One read of the whole file, as fast as the system gives it.
std::string ReadAll(const fs::path& file) {
  std::string bytes(fs::file_size(file), '\0');
  std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}
void WriteAll(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The system root with both files of one layout; removed at exit.
struct Setup {
  fs::path root;
  fs::path server;    // native path of ServUDaemon.ini
  fs::path settings;  // native path of Vantrel.ini
  String servUPath;   // the Windows form the library is given
  std::string serverBytes, settingsBytes;
  Layout layout{};

  explicit Setup(int which) : layout(kLayouts[which]) {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    root = base / ("vantrel-bench-" + Num(::getpid()) + "-" + Num(which));
    const std::string folder = "ServU" + Num(which);
    fs::create_directories(root / "drives/c" / folder);
    fs::create_directories(root / "drives/c/Windows");
    server = root / "drives/c" / folder / "ServUDaemon.ini";
    settings = root / "drives/c/Windows/Vantrel.ini";
    servUPath = u"C:\\" + Wide(folder);
    serverBytes = ServerFile();
    settingsBytes = SettingsFile();
    Restore();
    // scripts/bench.sh times the command-line tool on the same files.
    if (const char* keep = std::getenv("VANTREL_BENCH_FILES"))
      WriteAll(fs::path(keep) / (which == 0 ? "small.ini" : "big.ini"), serverBytes);
  }
  ~Setup() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  void Restore() const {
    WriteAll(server, serverBytes);
    WriteAll(settings, settingsBytes);
  }
  void Select() const { ::setenv("VANTREL_ROOT", root.c_str(), 1); }

  std::string ServerFile() const {
    std::string out = "[GLOBAL]\r\nVersion=6.4.0.6\r\nProcessID=1234\r\n\r\n[DOMAINS]\r\n";
    for (int d = 1; d <= layout.domains; ++d)
      out += "Domain" + Num(d) + "=0.0.0.0||" + Num(2100 + d) + "|Domain " + Num(d) + "|" + Num(d) + "|0|0\r\n";
    for (int d = 1; d <= layout.domains; ++d) {
      out += "\r\n[Domain" + Num(d) + "]\r\n";
      for (int u = 1; u <= layout.users; ++u) out += "User" + Num(u) + "=" + UserName(d, u) + "|1|0\r\n";
    }
    static const char* const extra[] = {"ChangePassword=1", "SpeedLimitUp=2048", "SpeedLimitDown=4096",
                                        "SessionTimeOut=3600"};
    for (int d = 1; d <= layout.domains; ++d) {
      for (int u = 1; u <= layout.users; ++u) {
        const std::string home = "C:\\ftp\\d" + Num(d) + "\\" + UserName(d, u);
        out += "\r\n[USER=" + UserName(d, u) + "|" + Num(d) + "]\r\n";
        out += "Password=ab0123456789ABCDEF0123456789ABCDEF\r\nHomeDir=" + home + "\r\n";
        out += "LoginMesFile=C:\\Windows\\Vantrel.txt\r\nRelPaths=1\r\nTimeOut=600\r\nMaxUsersLoginPerIP=2\r\n";
        for (int k = 0; k < u % 5 && k < 4; ++k) out += std::string(extra[k]) + "\r\n";  // 6 to 10 keys
        for (int a = 1; a <= 1 + u % 3; ++a)  // 1 to 3 access lines
          out += "Access" + Num(a) + "=" + home + (a > 1 ? "\\sub" + Num(a) : "") + "|RWAMLCDP\r\n";
      }
    }
    return out;
  }

  std::string SettingsFile() const {
    std::string stored;
    for (char16_t c : vantrel::storage::MakeSaltedPassword(kPassword)) stored += static_cast<char>(c);
    std::string out = "[Vantrel]\r\nVersion=1.0\r\nAdministrator=admin\r\nPassword=" + stored + "\r\n";
    out += "[PublicDir]\r\ndir1=C:\\Vantrel\\Pub\r\n[PrivateDir]\r\n";
    const int admins = layout.domains * layout.users;
    for (int a = 1; a <= admins; ++a)
      out += "admin" + Num(a) + "=pw" + Num(a) + "|" + Num(1 + a % layout.domains) + "|C:\\ftp\\a" + Num(a) + "\r\n";
    return out;
  }

  static std::string UserName(int d, int u) { return "user" + Num(d) + "_" + Num(u); }
  String MiddleUser() const { return Wide(UserName(1, layout.users / 2)); }
};

Setup& SetupOf(int which) {
  static Setup small(0), big(1);
  Setup& s = which == 0 ? small : big;
  s.Select();
  return s;
}

// Runs `op` per iteration; `restore` (untimed) puts the files back after a write.
template <typename Op>
void Run(benchmark::State& state, bool restore, Op op) {
  Setup& s = SetupOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!op(s)) state.SkipWithError("the operation failed");
    if (restore) {
      state.PauseTiming();
      s.Restore();
      state.ResumeTiming();
    }
  }
  g_live = g_peak = 0;
  g_counting = true;
  const bool counted = op(s);
  g_counting = false;
  if (restore) s.Restore();
  if (!counted) state.SkipWithError("the counted call failed");
  const long long peak = g_peak;
  state.counters["peak_heap"] = static_cast<double>(peak);
  state.counters["over_file"] = static_cast<double>(peak) / static_cast<double>(s.serverBytes.size());
  state.counters["file_bytes"] = static_cast<double>(s.serverBytes.size());
}

template <typename T>
void Sign(T& object) {
  object.AdminName = kAdmin;
  object.AdminPassword = kPassword;
}

void ReadAndLineScan(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    std::string bytes = ReadAll(s.server);
    std::size_t lines = 0;
    for (const char* p = bytes.data(); (p = static_cast<const char*>(
                                            std::memchr(p, '\n', bytes.data() + bytes.size() - p))) != nullptr;
         ++p)
      ++lines;
    benchmark::DoNotOptimize(lines);
    return lines > 0;
  });
}

void IniGet(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    char buffer[255];
    const std::string section = "USER=" + Setup::UserName(s.layout.domains, s.layout.users / 2) + "|" +
                                Num(s.layout.domains);
    return vantrel::storage::ini::GetProfileString(section, "HomeDir", "", buffer, sizeof buffer, s.server) > 0;
  });
}

void GetUserList(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    User user;
    Sign(user);
    user.ServUPath = s.servUPath;
    return user.GetUserList(1) && user.UserListProperty.Get()->Count() == s.layout.users;
  });
}

void GetUser(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    User user;
    Sign(user);
    user.ServUPath = s.servUPath;
    return user.GetUser(s.MiddleUser(), 1) && !user.HomeDir.empty();
  });
}

void AddUser(benchmark::State& state) {
  Run(state, true, [](Setup& s) {
    User user;
    Sign(user);
    user.ServUPath = s.servUPath;
    user.UserName = u"newcomer";
    user.HomeDir = u"C:\\ftp\\newcomer";
    user.SetPassword(u"pw");
    return user.AddUser(1);
  });
}

void ModifyUser(benchmark::State& state) {
  Run(state, true, [](Setup& s) {
    User user;
    Sign(user);
    user.ServUPath = s.servUPath;
    user.UserName = s.MiddleUser();
    user.HomeDir = u"C:\\ftp\\moved";
    user.TimeOut = 300;
    return user.ModifyUser(s.MiddleUser(), 1);
  });
}

void DelUser(benchmark::State& state) {
  Run(state, true, [](Setup& s) {
    User user;
    Sign(user);
    user.ServUPath = s.servUPath;
    return user.DelUser(s.MiddleUser(), 1);
  });
}

void GetDomain(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    Domains domains;
    Sign(domains);
    domains.ServUPath = s.servUPath;
    return domains.GetDomain() && domains.DomainProperty.Get()->Count() == s.layout.domains;
  });
}

void AddDomain(benchmark::State& state) {
  Run(state, true, [](Setup& s) {
    Domains domains;
    Sign(domains);
    domains.ServUPath = s.servUPath;
    return domains.AddDomain(u"new.example", u"10.0.0.1", 2021);
  });
}

void ModifyDomain(benchmark::State& state) {
  Run(state, true, [](Setup& s) {
    Domains domains;
    Sign(domains);
    domains.ServUPath = s.servUPath;
    return domains.ModifyDomain(1, u"renamed.example", u"10.0.0.2", 2121);
  });
}

void DelDomain(benchmark::State& state) {  // all of domain 1's users go with it
  Run(state, true, [](Setup& s) {
    Domains domains;
    Sign(domains);
    domains.ServUPath = s.servUPath;
    return domains.DelDomain(1);
  });
}

void AdminGetAdminList(benchmark::State& state) {
  Run(state, false, [](Setup& s) {
    AdminOfAdmin admins;
    admins.Administrator = kAdmin;
    admins.Password = kPassword;
    return admins.GetAdminList() && admins.AdminProperty.Get()->Count() == s.layout.domains * s.layout.users;
  });
}

void AdminGetPublicDir(benchmark::State& state) {
  Run(state, false, [](Setup&) {
    AdminOfAdmin admins;
    admins.Administrator = kAdmin;
    admins.Password = kPassword;
    return admins.GetPublicDir();
  });
}

void AdminAddAdmin(benchmark::State& state) {
  Run(state, true, [](Setup&) {
    AdminOfAdmin admins;
    admins.Administrator = kAdmin;
    admins.Password = kPassword;
    return admins.AddAdmin(u"newadmin", u"pw", 1, u"C:\\ftp\\newadmin");
  });
}

void AdminDelAdmin(benchmark::State& state) {
  Run(state, true, [](Setup&) {
    AdminOfAdmin admins;
    admins.Administrator = kAdmin;
    admins.Password = kPassword;
    return admins.DelAdmin(u"admin500");
  });
}

#define VANTREL_BENCH(name) BENCHMARK(name)->ArgName("big")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)
VANTREL_BENCH(ReadAndLineScan);
VANTREL_BENCH(IniGet);
VANTREL_BENCH(GetUserList);
VANTREL_BENCH(GetUser);
VANTREL_BENCH(AddUser);
VANTREL_BENCH(ModifyUser);
VANTREL_BENCH(DelUser);
VANTREL_BENCH(GetDomain);
VANTREL_BENCH(AddDomain);
VANTREL_BENCH(ModifyDomain);
VANTREL_BENCH(DelDomain);
VANTREL_BENCH(AdminGetAdminList);
VANTREL_BENCH(AdminGetPublicDir);
VANTREL_BENCH(AdminAddAdmin);
VANTREL_BENCH(AdminDelAdmin);

}  // namespace
