// The in-process server entry points on POSIX. Registration writes, per
// class, a section [Vantrel.<Class>] with its ProgID, CLSID, library path,
// threading model and type library into <root>/Registry/Classes.ini, and a
// section for the type library; unregistering removes the same sections.
// All writes of one call are one transaction on the file.
#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "automation/runtime/runtime.hpp"
#include "automation/runtime/vantrel.h"
#include "automation/text.hpp"
#include "model/ids.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_transaction.hpp"
#include "storage/paths.hpp"

namespace {

namespace fs = std::filesystem;
namespace ini = vantrel::storage::ini;
using namespace vantrel::automation;

constexpr int32_t kOk = 0;
constexpr int32_t kFalse = 1;
constexpr int32_t kClassNotAvailable = static_cast<int32_t>(0x80040111u);
constexpr int32_t kRegistrationFailed = static_cast<int32_t>(0x80040201u);  // SELFREG_E_CLASS
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

fs::path RegistrationFile() { return vantrel::storage::SystemRoot() / "Registry" / "Classes.ini"; }

std::string ThisLibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname) return {};
  std::error_code ec;
  const fs::path absolute = fs::absolute(info.dli_fname, ec);
  return ec ? std::string(info.dli_fname) : absolute.lexically_normal().string();
}

std::string ProgIdOf(const ClassInfo& info) { return "Vantrel." + ToUtf8(info.name); }
std::string TypeLibSection() { return "TypeLib " + std::string(vantrel::model::kTypeLibId); }

int32_t CreateFromFactory(const vantrel_class_factory* self, vantrel_object** out) {
  vantrel_error error{};
  const int32_t rc = vantrel_create(self->prog_id, out, &error);
  vantrel_error_clear(&error);
  return rc == 0 ? kOk : kFail;
}

}  // namespace

extern "C" {

int32_t DllRegisterServer(void) {
  try {
    const std::string library = ThisLibraryPath();
    if (library.empty()) return kRegistrationFailed;
    const fs::path file = RegistrationFile();
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec) return kRegistrationFailed;
    ini::Transaction tx(file);
    bool ok = true;
    for (const ClassInfo& info : Catalogue()) {
      const std::string section = ProgIdOf(info);
      const auto index = static_cast<std::size_t>(info.id);
      ok = ok && ini::WriteProfileString(section, "ProgID", section, file);
      ok = ok && ini::WriteProfileString(section, "CLSID", vantrel::model::kClassIds[index], file);
      ok = ok && ini::WriteProfileString(section, "InprocServer32", library, file);
      ok = ok && ini::WriteProfileString(section, "ThreadingModel", "Apartment", file);
      ok = ok && ini::WriteProfileString(section, "TypeLib", vantrel::model::kTypeLibId, file);
    }
    const std::string typeLib = TypeLibSection();
    ok = ok && ini::WriteProfileString(typeLib, "Name", "Vantrel", file);
    ok = ok && ini::WriteProfileString(typeLib, "Version", "1.0", file);
    ok = ok && ini::WriteProfileString(typeLib, "LCID", "409", file);
    ok = ok && ini::WriteProfileString(typeLib, "Path", library, file);
    // Nothing is written unless every entry could be.
    if (!ok || !tx.Commit()) return kRegistrationFailed;
    return kOk;
  } catch (...) {
    return kRegistrationFailed;
  }
}

int32_t DllUnregisterServer(void) {
  try {
    const fs::path file = RegistrationFile();
    std::error_code ec;
    if (!fs::exists(file, ec)) return kOk;  // nothing registered: nothing to remove
    ini::Transaction tx(file);
    bool ok = true;
    for (const ClassInfo& info : Catalogue()) ok = ini::WriteProfileSection(ProgIdOf(info), std::nullopt, file) && ok;
    ok = ini::WriteProfileSection(TypeLibSection(), std::nullopt, file) && ok;
    if (!ok || !tx.Commit()) return kRegistrationFailed;
    return kOk;
  } catch (...) {
    return kRegistrationFailed;
  }
}

int32_t DllCanUnloadNow(void) { return vantrel::automation::runtime::LiveHandles() == 0 ? kOk : kFalse; }

int32_t DllGetClassObject(const char* clsid, const char* iid, void** factory) {
  (void)iid;
  if (!factory) return kFail;
  *factory = nullptr;
  if (!clsid) return kClassNotAvailable;
  static vantrel_class_factory factories[kClassCount];
  static const bool filled = [] {
    static std::string progIds[kClassCount];
    for (std::size_t i = 0; i < kClassCount; ++i) {
      progIds[i] = ProgIdOf(Catalogue()[i]);
      factories[i] = {progIds[i].c_str(), &CreateFromFactory};
    }
    return true;
  }();
  (void)filled;
  std::string wanted = clsid;
  for (char& c : wanted)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  for (std::size_t i = 0; i < kClassCount; ++i) {
    if (vantrel::model::kClassIds[i] == wanted) {
      *factory = &factories[i];
      return kOk;
    }
  }
  return kClassNotAvailable;
}

}  // extern "C"
