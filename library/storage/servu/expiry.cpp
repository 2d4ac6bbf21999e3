#include "storage/servu/expiry.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantrel::storage::servu {

double ExpiryDateFromSeconds(double seconds) { return kExpiryEpochDays + seconds / kSecondsPerDay; }

namespace {

// Plain decimal text of `value` rounded to 15 significant digits.
std::string SignificantDigitsText(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  // d.dddddddddddddde±x: the 15 digits and the decimal exponent.
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string text(buffer);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  const std::size_t ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);  // 15 digits

  std::string integerPart;
  std::string fractionPart;
  if (exponent >= 0) {
    const std::size_t pointAt = static_cast<std::size_t>(exponent) + 1;
    if (pointAt >= digits.size()) {
      integerPart = digits + std::string(pointAt - digits.size(), '0');
    } else {
      integerPart = digits.substr(0, pointAt);
      fractionPart = digits.substr(pointAt);
    }
  } else {
    integerPart = "0";
    fractionPart = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  while (!fractionPart.empty() && fractionPart.back() == '0') fractionPart.pop_back();
  std::string result = integerPart;
  if (!fractionPart.empty()) result += "." + fractionPart;
  if (result == "0") return result;  // no "-0"
  return negative ? "-" + result : result;
}

}  // namespace

std::u16string ExpirySecondsText(double date) {
  const std::string text = SignificantDigitsText((date - kExpiryEpochDays) * kSecondsPerDay);
  return std::u16string(text.begin(), text.end());
}

std::optional<std::u16string> ExpiryField(bool expire, double date) {
  if (!expire) return u"0";
  const double seconds = (date - kExpiryEpochDays) * kSecondsPerDay;
  // Read back as a 32-bit number (fractions rounded): keep inside its range.
  if (!std::isfinite(seconds) || seconds < -2147483648.5 || seconds >= 2147483647.5) return std::nullopt;
  return ExpirySecondsText(date);
}

}  // namespace vantrel::storage::servu
