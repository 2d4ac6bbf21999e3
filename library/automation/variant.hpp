#pragma once
// Automation String and Variant. A Variant holds one of the automation types
// the library's interfaces use; "Missing" marks an optional argument the
// caller left out (the callee substitutes the declared default).
#include <cstdint>
#include <string>
#include <variant>

#include "automation/object.hpp"

namespace vantrel::automation {

using String = std::u16string;

enum class VarType : std::uint8_t { Empty, Missing, I2, I4, R8, Date, Bool, String, Object };

// An automation date: days since 1899-12-30 00:00, the time of day as the fraction.
struct Date {
  double value = 0.0;
  friend bool operator==(Date, Date) = default;
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(std::int16_t v) : v_(v) {}
  Variant(std::int32_t v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(Date v) : v_(v) {}
  Variant(bool v) : v_(v) {}
  Variant(String v) : v_(std::move(v)) {}
  Variant(const char16_t* v) : v_(String(v)) {}
  Variant(Ref<Object> v) : v_(std::move(v)) {}  // a null Ref is Nothing
  template <class T>
  Variant(const Ref<T>& v) : v_(Ref<Object>(v.get())) {}

  static Variant Missing() {
    Variant v;
    v.v_ = MissingTag{};
    return v;
  }
  static Variant Nothing() { return Variant(Ref<Object>()); }

  VarType Type() const noexcept { return static_cast<VarType>(v_.index()); }
  bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
  bool IsMissing() const noexcept { return Type() == VarType::Missing; }
  bool IsObject() const noexcept { return Type() == VarType::Object; }
  bool IsNothing() const noexcept { return IsObject() && !AsObject(); }
  // True for the numeric types (I2, I4, R8, Date, Bool).
  bool IsNumeric() const noexcept;

  // Direct access; the type must match (checked by the caller).
  std::int16_t AsI2() const { return std::get<std::int16_t>(v_); }
  std::int32_t AsI4() const { return std::get<std::int32_t>(v_); }
  double AsR8() const { return std::get<double>(v_); }
  Date AsDate() const { return std::get<Date>(v_); }
  bool AsBool() const { return std::get<bool>(v_); }
  const String& AsString() const { return std::get<String>(v_); }
  const Ref<Object>& AsObject() const { return std::get<Ref<Object>>(v_); }

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  struct MissingTag {
    friend bool operator==(MissingTag, MissingTag) = default;
  };
  // Alternative order follows VarType.
  std::variant<std::monostate, MissingTag, std::int16_t, std::int32_t, double, Date, bool, String, Ref<Object>> v_;
};

}  // namespace vantrel::automation
