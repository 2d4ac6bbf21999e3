// libFuzzer target for the text coercions: any UTF-16 text may be passed to
// any conversion; only automation errors may come out, and a date that was
// read must read back the same from its own text form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/coercion.hpp"
#include "automation/error.hpp"

using namespace vantrel::automation;

namespace {

template <class F>
void Try(F&& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    if (e.Number() != kTypeMismatch && e.Number() != kOverflow) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  const Variant v(text);
  Try([&] { ToInteger(v); });
  Try([&] { ToLong(v); });
  Try([&] { ToDouble(v); });
  Try([&] { ToBoolean(v); });
  Try([&] {
    const Date d = ToDate(v);
    const String shown = ToString(Variant(d));
    const Date again = ToDate(Variant(shown));
    if (ToString(Variant(again)) != shown) std::abort();
  });
  Try([&] {
    // Any number that converts must convert back to text and to a number again.
    const double x = ToDouble(v);
    const double back = ToDouble(Variant(ToString(Variant(x))));
    if (x != 0 && std::abs(back - x) > std::abs(x) * 1e-14) std::abort();
  });
  return 0;
}
