#include "com/identity.hpp"

#include <mutex>
#include <unordered_map>

#include "automation/bindings/invoke.hpp"
#include "automation/error.hpp"
#include "com/com_classes.hpp"

namespace vantrel::com {
namespace {

std::mutex g_mutex;
std::unordered_map<const automation::Object*, WrapperBase*>& Wrappers() {
  static auto* const map = new std::unordered_map<const automation::Object*, WrapperBase*>();
  return *map;
}

}  // namespace

// {7E1D6E5B-2F0C-4B8A-9C41-5A2E8D7F3B10}
const IID kIidWrapper = {0x7e1d6e5b, 0x2f0c, 0x4b8a, {0x9c, 0x41, 0x5a, 0x2e, 0x8d, 0x7f, 0x3b, 0x10}};

IDispatch* WrapObject(const automation::Ref<automation::Object>& object) {
  if (!object) return nullptr;
  const auto index = static_cast<std::size_t>(object->Class());
  const auto classes = ComClasses();
  if (index >= classes.size()) throw automation::AutomationError(automation::kTypeMismatch);
  std::lock_guard<std::mutex> lock(g_mutex);
  auto& wrappers = Wrappers();
  if (auto found = wrappers.find(object.get()); found != wrappers.end()) {
    IDispatch* dispatch = found->second->Dispatch();
    dispatch->AddRef();
    return dispatch;
  }
  // The entry first, so that no allocation can fail once the wrapper exists.
  const auto entry = wrappers.emplace(object.get(), nullptr).first;
  IDispatch* dispatch = nullptr;
  try {
    dispatch = classes[index].wrap(object);
  } catch (...) {
    wrappers.erase(entry);
    throw;
  }
  dispatch->AddRef();
  WrapperBase* base = nullptr;
  dispatch->QueryInterface(kIidWrapper, reinterpret_cast<void**>(&base));
  dispatch->Release();  // the QueryInterface above took its own reference
  entry->second = base;
  return dispatch;
}

automation::Ref<automation::Object> UnwrapObject(IUnknown* unknown) noexcept {
  if (unknown == nullptr) return {};
  WrapperBase* base = nullptr;
  if (FAILED(unknown->QueryInterface(kIidWrapper, reinterpret_cast<void**>(&base))) || base == nullptr) return {};
  automation::Ref<automation::Object> target = base->Target();
  base->Dispatch()->Release();
  return target;
}

bool ForgetWrapper(const automation::Object* object, const std::atomic<long>& refs) noexcept {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (refs.load() != 0) return false;
  Wrappers().erase(object);
  return true;
}

}  // namespace vantrel::com
