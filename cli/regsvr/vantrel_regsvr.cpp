// vantrel-regsvr [/u] [/s] LIBRARY: loads an in-process server library and
// calls its DllRegisterServer (or, with /u, DllUnregisterServer), reporting
// the outcome as the system registration tool does. /s prints nothing.
// Exit codes: 0 success, 1 bad command line, 3 library not loadable,
// 4 entry point missing, 5 entry point failed. --help and --version print and
// exit 0 (no library is named so).
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

bool IsSwitch(std::string_view arg, char letter) {
  return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') && (arg[1] == letter || arg[1] == letter - 32);
}

}  // namespace

constexpr char kUsage[] = "Usage: vantrel-regsvr [/u] [/s] LIBRARY\n";

constexpr char kHelp[] =
    "Registers an in-process automation server library: loads LIBRARY and calls its\n"
    "DllRegisterServer entry point, as the Windows registration tool does.\n"
    "\n"
    "Options:\n"
    "  /u, -u     unregister: call DllUnregisterServer instead\n"
    "  /s, -s     silent: print nothing\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Exit status: 0 success, 1 bad command line, 3 library not loadable,\n"
    "4 entry point missing, 5 entry point failed.\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::printf("%s\n%s", kUsage, kHelp);
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("vantrel-regsvr %s\n", VANTREL_VERSION);
    return 0;
  }
  bool unregister = false;
  bool silent = false;
  std::string library;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (IsSwitch(arg, 'u')) {
      unregister = true;
    } else if (IsSwitch(arg, 's')) {
      silent = true;
    } else if (library.empty()) {
      library = arg;
    } else {
      library.clear();
      break;
    }
  }
  if (library.empty()) {
    if (!silent) std::fprintf(stderr, "%s", kUsage);
    return 1;
  }
  // A bare name would make dlopen search the library path; the system tool
  // loads the file named, so name it as a path.
  const std::string path = library.find('/') == std::string::npos ? "./" + library : library;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    if (!silent) std::fprintf(stderr, "LoadLibrary(\"%s\") failed: %s\n", library.c_str(), dlerror());
    return 3;
  }
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  using EntryPoint = std::int32_t (*)();
  auto call = reinterpret_cast<EntryPoint>(dlsym(handle, entry));
  if (!call) {
    if (!silent)
      std::fprintf(stderr, "The module \"%s\" was loaded but the entry-point %s was not found.\n", library.c_str(),
                   entry);
    dlclose(handle);
    return 4;
  }
  const std::int32_t result = call();
  dlclose(handle);
  if (result < 0) {
    if (!silent)
      std::fprintf(stderr, "The module \"%s\" was loaded but the call to %s failed with error code 0x%08X.\n",
                   library.c_str(), entry, static_cast<unsigned>(result));
    return 5;
  }
  if (!silent) std::printf("%s in %s succeeded.\n", entry, library.c_str());
  return 0;
}
