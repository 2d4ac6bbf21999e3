#include "automation/coercion.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "automation/error.hpp"
#include "storage/blanks.hpp"

namespace vantrel::automation {
namespace {

[[noreturn]] void Mismatch() { throw AutomationError(kTypeMismatch); }
[[noreturn]] void Overflow() { throw AutomationError(kOverflow); }

using storage::kNumberBlanks;

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsAsciiNoCase(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != static_cast<char16_t>(AsciiLower(static_cast<char16_t>(b[i])))) return false;
  return true;
}

// A number read from text: either a &H/&O integer (kept unsigned, its width
// decides the sign as in a script literal) or a decimal value.
struct ParsedNumber {
  bool hexOrOctal = false;
  std::uint64_t bits = 0;
  double value = 0.0;
};

std::optional<ParsedNumber> ParseNumber(std::u16string_view text) {
  std::u16string_view s = storage::Trim(text, kNumberBlanks);
  if (s.empty()) return std::nullopt;
  ParsedNumber n;
  if (s.size() >= 2 && s[0] == u'&' && (AsciiLower(s[1]) == u'h' || AsciiLower(s[1]) == u'o')) {
    const unsigned base = AsciiLower(s[1]) == u'h' ? 16 : 8;
    s.remove_prefix(2);
    if (s.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char16_t c : s) {
      unsigned d;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (base == 16 && AsciiLower(c) >= u'a' && AsciiLower(c) <= u'f') d = AsciiLower(c) - u'a' + 10;
      else return std::nullopt;
      if (d >= base) return std::nullopt;
      v = v * base + d;
      if (v > 0xFFFFFFFFull) {
        // Too wide for any automation integer: report as a huge decimal so
        // the target's range check raises overflow.
        n.value = std::numeric_limits<double>::infinity();
        return n;
      }
    }
    n.hexOrOctal = true;
    n.bits = v;
    n.value = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    return n;
  }
  // Decimal: sign, digits with optional thousands separators, fraction, exponent.
  std::string ascii;
  std::size_t i = 0;
  if (s[i] == u'+' || s[i] == u'-') {
    if (s[i] == u'-') ascii += '-';
    ++i;
  }
  bool digits = false;
  while (i < s.size() && ((s[i] >= u'0' && s[i] <= u'9') || (s[i] == u',' && digits))) {
    if (s[i] != u',') ascii += static_cast<char>(s[i]), digits = true;
    ++i;
  }
  if (i < s.size() && s[i] == u'.') {
    ascii += '.';
    ++i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii += static_cast<char>(s[i++]), digits = true;
  }
  if (!digits) return std::nullopt;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    ascii += 'e';
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++]);
    bool expDigits = false;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii += static_cast<char>(s[i++]), expDigits = true;
    if (!expDigits) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), n.value);
  if (ec == std::errc::result_out_of_range) {
    n.value = ascii[0] == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc() || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  return n;
}

std::int64_t RoundToRange(double v, std::int64_t lo, std::int64_t hi) {
  if (!std::isfinite(v)) Overflow();
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(lo) || r > static_cast<double>(hi)) Overflow();
  return static_cast<std::int64_t>(r);
}

constexpr double kMinDate = -657434.0;          // 0100-01-01
constexpr double kMaxDate = 2958465.99999999;   // 9999-12-31 23:59:59

Date CheckedDate(double v) {
  if (!std::isfinite(v) || v < kMinDate || v > kMaxDate) Overflow();
  return Date{v};
}

// Days from 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

constexpr std::int64_t kEpochShift = 25569;  // 1970-01-01 as an automation date

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
  return days[m - 1];
}

// ---- date text -------------------------------------------------------------

struct Token {
  enum Kind { Number, Word, Colon, Separator } kind;
  std::u16string text;
  int value = 0;
  std::size_t digits = 0;
};

std::vector<Token> Tokenize(std::u16string_view s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < s.size()) {
    const char16_t c = s[i];
    if (c >= u'0' && c <= u'9') {
      Token t{Token::Number, {}, 0, 0};
      while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        if (t.digits < 9) t.value = t.value * 10 + (s[i] - u'0');
        ++t.digits;
        t.text += s[i++];
      }
      tokens.push_back(t);
    } else if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
      Token t{Token::Word, {}, 0, 0};
      while (i < s.size() && ((s[i] >= u'A' && s[i] <= u'Z') || (s[i] >= u'a' && s[i] <= u'z'))) t.text += AsciiLower(s[i++]);
      tokens.push_back(t);
    } else if (c == u':') {
      tokens.push_back({Token::Colon, u":", 0, 0});
      ++i;
    } else if (c == u'/' || c == u'-' || c == u'.' || c == u',' || storage::IsBlank(c, kNumberBlanks)) {
      // Runs of separators count once; which one it was does not matter.
      if (tokens.empty() || tokens.back().kind != Token::Separator) tokens.push_back({Token::Separator, {}, 0, 0});
      ++i;
    } else {
      Mismatch();
    }
  }
  return tokens;
}

int MonthFromName(const std::u16string& w) {
  static const char* const names[] = {"january", "february", "march",     "april",   "may",      "june",
                                      "july",    "august",   "september", "october", "november", "december"};
  for (int m = 0; m < 12; ++m) {
    const std::string_view full = names[m];
    if (w.size() >= 3 && w.size() <= full.size() && EqualsAsciiNoCase(w, full.substr(0, w.size()))) return m + 1;
  }
  if (w == u"sept") return 9;
  return 0;
}

bool IsWeekday(const std::u16string& w) {
  static const char* const names[] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
  for (const char* n : names) {
    const std::string_view full = n;
    if (w.size() >= 3 && w.size() <= full.size() && EqualsAsciiNoCase(w, full.substr(0, w.size()))) return true;
  }
  return false;
}

int ExpandYear(const Token& t) {
  if (t.digits <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
  return t.value;
}

}  // namespace

double RoundHalfEven(double value) {
  const double r = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  return r;
}

Date MakeDate(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochShift;
  const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch day the time still counts forward from midnight.
  return Date{days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time};
}

DateParts SplitDate(Date value) {
  const double v = CheckedDate(value.value).value;
  double whole = std::trunc(v);
  std::int64_t seconds = std::llround(std::fabs(v - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds = 0;
    whole += v < 0 ? -1 : 1;
  }
  DateParts p{};
  CivilFromDays(static_cast<std::int64_t>(whole) - kEpochShift, p.year, p.month, p.day);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

Date ParseDate(std::u16string_view text) {
  std::vector<Token> tokens = Tokenize(storage::Trim(text, kNumberBlanks));
  // Separate the time ("8:00", "8:00:30", "8 PM", "8:00 am") from the date.
  int hour = 0, minute = 0, second = 0;
  bool haveTime = false;
  std::vector<Token> date;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == Token::Number && i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon) {
      if (haveTime) Mismatch();
      haveTime = true;
      hour = t.value;
      if (i + 2 >= tokens.size() || tokens[i + 2].kind != Token::Number) Mismatch();
      minute = tokens[i + 2].value;
      i += 2;
      if (i + 2 < tokens.size() && tokens[i + 1].kind == Token::Colon && tokens[i + 2].kind == Token::Number) {
        second = tokens[i + 2].value;
        i += 2;
      }
      continue;
    }
    if (t.kind == Token::Word && (t.text == u"am" || t.text == u"pm" || t.text == u"a" || t.text == u"p")) {
      if (!haveTime) {
        // "8 PM": the last number before the marker is the hour.
        while (!date.empty() && date.back().kind == Token::Separator) date.pop_back();
        if (date.empty() || date.back().kind != Token::Number) Mismatch();
        hour = date.back().value;
        date.pop_back();
        haveTime = true;
      }
      if (hour < 1 || hour > 12) Mismatch();
      if (t.text[0] == u'a') hour = hour == 12 ? 0 : hour;
      else hour = hour == 12 ? 12 : hour + 12;
      continue;
    }
    if (t.kind == Token::Word && t.text == u"t" && haveTime == false) continue;  // ISO "2004-01-01T08:00"
    if (t.kind == Token::Colon) Mismatch();
    date.push_back(t);
  }
  if (hour > 23 || minute > 59 || second > 59) Mismatch();

  std::vector<Token> numbers;
  int month = 0;
  for (const Token& t : date) {
    if (t.kind == Token::Separator) continue;
    if (t.kind == Token::Number) {
      numbers.push_back(t);
    } else {
      if (IsWeekday(t.text)) continue;
      const int m = MonthFromName(t.text);
      if (m == 0 || month != 0) Mismatch();
      month = m;
    }
  }
  int year = 1899, day = 30;
  if (numbers.empty() && month == 0) {
    if (!haveTime) Mismatch();
    month = 12;
  } else if (month != 0) {
    // A month name with day and year in either order.
    if (numbers.size() == 2) {
      const Token* y = &numbers[1];
      const Token* d = &numbers[0];
      if (numbers[0].digits > 2 || numbers[0].value > 31) std::swap(y, d);
      day = d->value;
      year = ExpandYear(*y);
    } else {
      Mismatch();
    }
  } else if (numbers.size() == 3) {
    if (numbers[0].digits > 2 || numbers[0].value > 31) {  // year first: 2004-01-31
      year = numbers[0].value;
      month = numbers[1].value;
      day = numbers[2].value;
    } else {  // month first (en-US): 1/31/2004
      month = numbers[0].value;
      day = numbers[1].value;
      year = ExpandYear(numbers[2]);
    }
  } else {
    // A lone number (or two) is not a date: "25569" stays a number.
    Mismatch();
  }
  if (month < 1 || month > 12 || year < 100 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) Mismatch();
  return MakeDate(year, month, day, hour, minute, second);
}

String FormatDouble(double value) {
  if (value == 0) return u"0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  String out;
  for (const char* p = buf; *p; ++p) out += static_cast<char16_t>(*p);
  return out;
}

String FormatDate(Date value) {
  const DateParts p = SplitDate(value);
  const bool hasDate = std::trunc(value.value) != 0;
  const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
  char buf[64];
  std::string text;
  if (hasDate || !hasTime) {
    std::snprintf(buf, sizeof buf, "%d/%d/%d", p.month, p.day, p.year);
    text = buf;
  }
  if (hasTime) {
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, p.minute, p.second, p.hour < 12 ? "AM" : "PM");
    if (!text.empty()) text += ' ';
    text += buf;
  }
  return String(text.begin(), text.end());
}

std::int16_t ToInteger(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::I2: return v.AsI2();
    case VarType::I4: return static_cast<std::int16_t>(RoundToRange(v.AsI4(), INT16_MIN, INT16_MAX));
    case VarType::R8: return static_cast<std::int16_t>(RoundToRange(v.AsR8(), INT16_MIN, INT16_MAX));
    case VarType::Date: return static_cast<std::int16_t>(RoundToRange(v.AsDate().value, INT16_MIN, INT16_MAX));
    case VarType::Bool: return v.AsBool() ? -1 : 0;
    case VarType::String: {
      const auto n = ParseNumber(v.AsString());
      if (!n) Mismatch();
      if (n->hexOrOctal) {
        if (n->bits <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(n->bits));
        Overflow();
      }
      return static_cast<std::int16_t>(RoundToRange(n->value, INT16_MIN, INT16_MAX));
    }
    default: Mismatch();
  }
}

std::int32_t ToLong(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::I2: return v.AsI2();
    case VarType::I4: return v.AsI4();
    case VarType::R8: return static_cast<std::int32_t>(RoundToRange(v.AsR8(), INT32_MIN, INT32_MAX));
    case VarType::Date: return static_cast<std::int32_t>(RoundToRange(v.AsDate().value, INT32_MIN, INT32_MAX));
    case VarType::Bool: return v.AsBool() ? -1 : 0;
    case VarType::String: {
      const auto n = ParseNumber(v.AsString());
      if (!n) Mismatch();
      return static_cast<std::int32_t>(RoundToRange(n->value, INT32_MIN, INT32_MAX));
    }
    default: Mismatch();
  }
}

double ToDouble(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::I2: return v.AsI2();
    case VarType::I4: return v.AsI4();
    case VarType::R8: return v.AsR8();
    case VarType::Date: return v.AsDate().value;
    case VarType::Bool: return v.AsBool() ? -1 : 0;
    case VarType::String: {
      const auto n = ParseNumber(v.AsString());
      if (!n) Mismatch();
      if (!std::isfinite(n->value)) Overflow();
      return n->value;
    }
    default: Mismatch();
  }
}

bool ToBoolean(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return false;
    case VarType::I2: return v.AsI2() != 0;
    case VarType::I4: return v.AsI4() != 0;
    case VarType::R8: return v.AsR8() != 0;
    case VarType::Date: return v.AsDate().value != 0;
    case VarType::Bool: return v.AsBool();
    case VarType::String: {
      const std::u16string_view s = storage::Trim(v.AsString(), kNumberBlanks);
      if (EqualsAsciiNoCase(s, "true")) return true;
      if (EqualsAsciiNoCase(s, "false")) return false;
      const auto n = ParseNumber(s);
      if (!n) Mismatch();
      return n->value != 0;
    }
    default: Mismatch();
  }
}

Date ToDate(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return Date{0};
    case VarType::I2: return CheckedDate(v.AsI2());
    case VarType::I4: return CheckedDate(v.AsI4());
    case VarType::R8: return CheckedDate(v.AsR8());
    case VarType::Date: return CheckedDate(v.AsDate().value);
    case VarType::Bool: return Date{v.AsBool() ? -1.0 : 0.0};
    case VarType::String: return ParseDate(v.AsString());
    default: Mismatch();
  }
}

String ToString(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return {};
    case VarType::I2: {
      const std::string s = std::to_string(v.AsI2());
      return String(s.begin(), s.end());
    }
    case VarType::I4: {
      const std::string s = std::to_string(v.AsI4());
      return String(s.begin(), s.end());
    }
    case VarType::R8: return FormatDouble(v.AsR8());
    case VarType::Date: return FormatDate(v.AsDate());
    case VarType::Bool: return v.AsBool() ? u"True" : u"False";
    case VarType::String: return v.AsString();
    default: Mismatch();
  }
}

Variant CoerceTo(const Variant& v, VarType target) {
  switch (target) {
    case VarType::I2: return Variant(ToInteger(v));
    case VarType::I4: return Variant(ToLong(v));
    case VarType::R8: return Variant(ToDouble(v));
    case VarType::Date: return Variant(ToDate(v));
    case VarType::Bool: return Variant(ToBoolean(v));
    case VarType::String: return Variant(ToString(v));
    default: return v;
  }
}

bool Variant::IsNumeric() const noexcept {
  switch (Type()) {
    case VarType::I2:
    case VarType::I4:
    case VarType::R8:
    case VarType::Date:
    case VarType::Bool: return true;
    default: return false;
  }
}

}  // namespace vantrel::automation
