// The C interface of libvantrel.so (vantrel.h) over the runtime.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "automation/enumerator.hpp"
#include "automation/runtime/runtime.hpp"
#include "automation/runtime/vantrel.h"
#include "automation/text.hpp"

namespace vantrel::automation::runtime {
namespace {

std::atomic<long> g_liveHandles{0};

Object* AsObject(vantrel_object* handle) { return reinterpret_cast<Object*>(handle); }

// Hands one reference to the C caller.
vantrel_object* ToHandle(Ref<Object> object) {
  if (!object) return nullptr;
  g_liveHandles.fetch_add(1, std::memory_order_relaxed);
  return reinterpret_cast<vantrel_object*>(object.Detach());
}

char* CopyText(const std::string& text) {
  char* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (!out) throw std::bad_alloc();
  std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

Variant FromC(const vantrel_variant& v) {
  switch (v.type) {
    case VANTREL_EMPTY: return Variant();
    case VANTREL_MISSING: return Variant::Missing();
    case VANTREL_I2:
      if (v.int_value < INT16_MIN || v.int_value > INT16_MAX) throw AutomationError(kOverflow);
      return Variant(static_cast<std::int16_t>(v.int_value));
    case VANTREL_I4: return Variant(static_cast<std::int32_t>(v.int_value));
    case VANTREL_R8: return Variant(v.real_value);
    case VANTREL_DATE: return Variant(Date{v.real_value});
    case VANTREL_BOOL: return Variant(v.int_value != 0);
    case VANTREL_STRING: return Variant(FromUtf8(v.string_value ? v.string_value : ""));
    case VANTREL_STRING_SIZED:
      if (v.int_value < 0 || (v.int_value > 0 && !v.string_value)) throw AutomationError(kInvalidArgument);
      return Variant(FromUtf8(std::string_view(v.string_value ? v.string_value : "", v.int_value)));
    case VANTREL_OBJECT: return Variant(Ref<Object>(AsObject(v.object_value)));
    default: throw AutomationError(kTypeMismatch);
  }
}

void ToC(const Variant& v, vantrel_variant& out) {
  out = vantrel_variant{};
  switch (v.Type()) {
    case VarType::Empty: out.type = VANTREL_EMPTY; break;
    case VarType::Missing: out.type = VANTREL_MISSING; break;
    case VarType::I2: out.type = VANTREL_I2, out.int_value = v.AsI2(); break;
    case VarType::I4: out.type = VANTREL_I4, out.int_value = v.AsI4(); break;
    case VarType::R8: out.type = VANTREL_R8, out.real_value = v.AsR8(); break;
    case VarType::Date: out.type = VANTREL_DATE, out.real_value = v.AsDate().value; break;
    case VarType::Bool: out.type = VANTREL_BOOL, out.int_value = v.AsBool() ? 1 : 0; break;
    case VarType::String: {
      const std::string text = ToUtf8(v.AsString());
      out.type = VANTREL_STRING, out.int_value = static_cast<std::int32_t>(text.size());
      out.string_value = CopyText(text);
      break;
    }
    case VarType::Object: out.type = VANTREL_OBJECT, out.object_value = ToHandle(v.AsObject()); break;
  }
}

void Fail(vantrel_error* error, std::int32_t number, const std::u16string& description) {
  if (!error) return;
  error->number = number;
  try {
    error->description = CopyText(ToUtf8(description));
  } catch (...) {
    error->description = nullptr;
  }
}

// Runs `body`, turning exceptions into an error number.
template <class Body>
std::int32_t Guard(vantrel_error* error, Body&& body) {
  if (error) *error = vantrel_error{0, nullptr};
  try {
    body();
    return 0;
  } catch (const AutomationError& e) {
    Fail(error, e.Number(), e.Description());
    return e.Number();
  } catch (const std::bad_alloc&) {
    Fail(error, 7, u"Out of memory");
    return 7;
  } catch (const std::exception& e) {
    Fail(error, 51, u"Internal error: " + FromUtf8(e.what()));
    return 51;
  }
}

const char* StaticName(const std::u16string& name) {
  // Member and class names are few and fixed: keep one UTF-8 copy of each.
  static std::mutex lock;
  const std::lock_guard<std::mutex> guard(lock);
  // A deque: adding a name never moves the texts handed out before.
  static std::deque<std::pair<const std::u16string*, std::string>>* names =
      new std::deque<std::pair<const std::u16string*, std::string>>();
  for (const auto& [key, text] : *names)
    if (key == &name) return text.c_str();
  names->emplace_back(&name, ToUtf8(name));
  return names->back().second.c_str();
}

Enumerator* AsEnumerator(vantrel_object* handle) {
  Object* o = AsObject(handle);
  return o && o->Class() == ClassId::Enumerator ? static_cast<Enumerator*>(o) : nullptr;
}

}  // namespace

long LiveHandles() noexcept { return g_liveHandles.load(std::memory_order_relaxed); }

}  // namespace vantrel::automation::runtime

using namespace vantrel::automation;
using namespace vantrel::automation::runtime;

extern "C" {

int32_t vantrel_create(const char* progid, vantrel_object** out, vantrel_error* error) {
  if (out) *out = nullptr;
  return Guard(error, [&] {
    if (!out) throw AutomationError(kInvalidArgument);
    *out = ToHandle(CreateObject(FromUtf8(progid ? progid : "")));
  });
}

int32_t vantrel_invoke(vantrel_object* object, const char* name, int32_t flags, const vantrel_variant* args,
                       int32_t arg_count, vantrel_variant* result, vantrel_error* error) {
  if (result) *result = vantrel_variant{};
  return Guard(error, [&] {
    if (!object || arg_count < 0 || (arg_count > 0 && !args)) throw AutomationError(kInvalidArgument);
    std::vector<Variant> in;
    in.reserve(static_cast<std::size_t>(arg_count));
    for (int32_t i = 0; i < arg_count; ++i) in.push_back(FromC(args[i]));
    Variant value = InvokeByName(*AsObject(object), FromUtf8(name ? name : ""), static_cast<std::uint32_t>(flags), in);
    if (result) ToC(value, *result);
  });
}

void vantrel_addref(vantrel_object* object) {
  if (!object) return;
  AsObject(object)->AddRef();
  g_liveHandles.fetch_add(1, std::memory_order_relaxed);
}

void vantrel_release(vantrel_object* object) {
  if (!object) return;
  g_liveHandles.fetch_sub(1, std::memory_order_relaxed);
  AsObject(object)->Release();
}

const char* vantrel_class_name(vantrel_object* object) {
  if (!object) return "";
  if (AsObject(object)->Class() == ClassId::Enumerator) return "Enumerator";
  return StaticName(ClassOf(*AsObject(object)).name);
}

int32_t vantrel_member(vantrel_object* object, const char* name, const char** declared_name, int32_t* param_count) {
  try {
    if (!object || AsObject(object)->Class() == ClassId::Enumerator) return VANTREL_NO_MEMBER;
    const ClassInfo& info = ClassOf(*AsObject(object));
    const std::u16string wanted = FromUtf8(name ? name : "");
    const auto slot = wanted.empty() ? DefaultMember(info) : FindMember(info, wanted);
    if (!slot) return VANTREL_NO_MEMBER;
    const MemberInfo& m = info.members[*slot];
    if (declared_name) *declared_name = StaticName(m.name);
    if (param_count) *param_count = static_cast<int32_t>(m.params.size());
    return static_cast<int32_t>(m.kind) + 1;
  } catch (...) {
    return VANTREL_NO_MEMBER;
  }
}

const char* vantrel_member_param(vantrel_object* object, const char* member, int32_t index, int32_t* type,
                                 int32_t* optional) {
  try {
    if (!object || AsObject(object)->Class() == ClassId::Enumerator) return nullptr;
    const ClassInfo& info = ClassOf(*AsObject(object));
    const std::u16string wanted = FromUtf8(member ? member : "");
    const auto slot = wanted.empty() ? DefaultMember(info) : FindMember(info, wanted);
    if (!slot) return nullptr;
    const MemberInfo& m = info.members[*slot];
    if (index < 0) {
      if (type) *type = static_cast<int32_t>(m.type.kind);
      return StaticName(m.name);
    }
    if (static_cast<std::size_t>(index) >= m.params.size()) return nullptr;
    const ParamInfo& p = m.params[static_cast<std::size_t>(index)];
    if (type) *type = static_cast<int32_t>(p.type.kind);
    if (optional) *optional = p.optional ? 1 : 0;
    return StaticName(p.name);
  } catch (...) {
    return nullptr;
  }
}

const char* vantrel_member_name(vantrel_object* object, int32_t slot, int32_t* kind, int32_t* hidden) {
  if (!object || slot < 0 || AsObject(object)->Class() == ClassId::Enumerator) return nullptr;
  const ClassInfo& info = ClassOf(*AsObject(object));
  if (static_cast<std::size_t>(slot) >= info.members.size()) return nullptr;
  const MemberInfo& m = info.members[static_cast<std::size_t>(slot)];
  if (kind) *kind = static_cast<int32_t>(m.kind) + 1;
  if (hidden) *hidden = m.hidden ? 1 : 0;
  return StaticName(m.name);
}

int32_t vantrel_enum_next(vantrel_object* enumerator, vantrel_variant* item) {
  if (item) *item = vantrel_variant{};
  Enumerator* e = AsEnumerator(enumerator);
  if (!e || !item) return 0;
  Variant v;
  if (e->Next(1, &v) != 1) return 0;
  ToC(v, *item);
  return 1;
}

void vantrel_enum_reset(vantrel_object* enumerator) {
  if (Enumerator* e = AsEnumerator(enumerator)) e->Reset();
}

int32_t vantrel_enum_skip(vantrel_object* enumerator, int32_t count) {
  Enumerator* e = AsEnumerator(enumerator);
  if (!e || count < 0) return 0;
  return e->Skip(static_cast<std::size_t>(count)) ? 1 : 0;
}

vantrel_object* vantrel_enum_clone(vantrel_object* enumerator) {
  Enumerator* e = AsEnumerator(enumerator);
  return e ? ToHandle(e->Clone()) : nullptr;
}

void vantrel_variant_clear(vantrel_variant* value) {
  if (!value) return;
  if (value->type == VANTREL_STRING) std::free(value->string_value);
  if (value->type == VANTREL_OBJECT) vantrel_release(value->object_value);
  *value = vantrel_variant{};
}

void vantrel_error_clear(vantrel_error* error) {
  if (!error) return;
  std::free(error->description);
  *error = vantrel_error{0, nullptr};
}

}  // extern "C"
