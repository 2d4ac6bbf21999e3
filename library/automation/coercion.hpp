#pragma once
// Standard automation coercion between the Variant types, as a script host
// applies it to late-bound arguments: blanks around numbers are allowed;
// decimal, &H hex and &O octal integers; fractions rounded half to even;
// "True"/"False" and numbers for Boolean; dates in the usual text forms
// (en-US, the type library's locale 0x0409). What cannot be converted throws
// AutomationError 13; what does not fit the target throws 6.
#include <cstdint>
#include <string_view>

#include "automation/variant.hpp"

namespace vantrel::automation {

std::int16_t ToInteger(const Variant& v);
std::int32_t ToLong(const Variant& v);
double ToDouble(const Variant& v);
bool ToBoolean(const Variant& v);
Date ToDate(const Variant& v);
String ToString(const Variant& v);

// Coerces to the Variant type `target` (I2, I4, R8, Date, Bool, String);
// Empty and Object targets return the value unchanged.
Variant CoerceTo(const Variant& v, VarType target);

// Text forms used by ToString, exposed for the front ends.
String FormatDouble(double value);
String FormatDate(Date value);

// Parses date text ("2004-01-01 08:00:00", "1/1/2004 8:00 AM", "Jan 1, 2004",
// "08:30"); throws 13 when the text is not a date, 6 when out of range.
Date ParseDate(std::u16string_view text);

// Banker's rounding of a double to the nearest integer (half to even).
double RoundHalfEven(double value);

// Calendar helpers for automation dates (proleptic Gregorian, as OLE does).
// Dates exist from 0100-01-01 to 9999-12-31; SplitDate (and so FormatDate)
// throws 6 for a value outside that range.
Date MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
struct DateParts {
  int year, month, day, hour, minute, second;
};
DateParts SplitDate(Date value);

}  // namespace vantrel::automation
