// The INI engine on generated server files: 1,000 users in one domain and
// 30,000 users in 50 domains, laid out like the FTP server's file (a domain
// index section per domain, one section per user). Measures single calls
// (each parses the file), reads inside one transaction (one parse), and
// writes (one atomic replacement each).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace {

namespace fs = std::filesystem;
namespace ini = vantrel::storage::ini;

// The generated files' folder, removed when the program ends.
struct BenchFolder {
  fs::path path = fs::temp_directory_path() / ("vantrel-ini-bench-" + std::to_string(::getpid()));
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

// A server file with `domains` domains of `users_per_domain` users each.
fs::path MakeServerFile(int domains, int users_per_domain) {
  static BenchFolder bench_folder;
  const fs::path& folder = bench_folder.path;
  fs::create_directories(folder);
  const fs::path file = folder / ("ServUDaemon-" + std::to_string(domains) + "x" + std::to_string(users_per_domain) + ".ini");
  if (fs::exists(file)) return file;
  std::ofstream out(file, std::ios::binary);
  out << "[GLOBAL]\r\nVersion=6.4.0.6\r\nProcessID=1234\r\n[Domains]\r\n";
  for (int d = 1; d <= domains; ++d) out << "Domain" << d << "=0.0.0.0||21|Domain " << d << "|1|0|0\r\n";
  for (int d = 1; d <= domains; ++d) {
    out << "[Domain" << d << "]\r\n";
    for (int u = 1; u <= users_per_domain; ++u) out << "User" << u << "=user" << d << "_" << u << "|1|0\r\n";
  }
  for (int d = 1; d <= domains; ++d) {
    for (int u = 1; u <= users_per_domain; ++u) {
      out << "[USER=user" << d << "_" << u << "|" << d << "]\r\n"
          << "Password=ab0123456789ABCDEF0123456789ABCDEF\r\nHomeDir=d:\\ftp\\user" << u << "\r\n"
          << "RelPaths=1\r\nTimeOut=600\r\nMaxUsersLoginPerIP=2\r\nAccess1=d:\\ftp\\user" << u << "|RWAMLCDP\r\n";
    }
  }
  return file;
}

void ReadOneValue(benchmark::State& state) {
  const fs::path file = MakeServerFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(ini::ReadValue(file, "USER=user1_500|1", "HomeDir"));
}
BENCHMARK(ReadOneValue)->Args({1, 1000})->Args({50, 600})->Unit(benchmark::kMillisecond);

void ReadDomainUserList(benchmark::State& state) {
  const fs::path file = MakeServerFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(ini::ReadKeys(file, "Domain1"));
}
BENCHMARK(ReadDomainUserList)->Args({1, 1000})->Args({50, 600})->Unit(benchmark::kMillisecond);

// A whole domain's users read the way a user list is filled: one transaction.
void ReadEveryUserOfADomainInOneTransaction(benchmark::State& state) {
  const fs::path file = MakeServerFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ini::Transaction tx(file);
    for (const std::string& key : ini::ReadKeys(file, "Domain1")) {
      const std::string line = ini::ReadValue(file, "Domain1", key);
      const std::string name = line.substr(0, line.find('|'));
      benchmark::DoNotOptimize(ini::ReadValue(file, "USER=" + name + "|1", "HomeDir"));
    }
  }
}
BENCHMARK(ReadEveryUserOfADomainInOneTransaction)->Args({1, 1000})->Args({50, 600})->Unit(benchmark::kMillisecond);

void WriteOneValue(benchmark::State& state) {
  const fs::path file = MakeServerFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  int n = 0;
  for (auto _ : state) ini::WriteProfileString("GLOBAL", "ReloadSettings", std::to_string(++n % 2), file);
}
BENCHMARK(WriteOneValue)->Args({1, 1000})->Args({50, 600})->Unit(benchmark::kMillisecond);

}  // namespace
