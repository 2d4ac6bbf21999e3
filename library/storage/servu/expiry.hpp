#pragma once
// The expiry field of a user list line: seconds counted from the fixed date
// 1970-01-01 08:00:00 (no time-zone conversion), "0" for an account that
// never expires. Dates are automation dates (days since 1899-12-30).
#include <optional>
#include <string>

namespace vantrel::storage::servu {

// 1970-01-01 08:00:00 as an automation date.
inline constexpr double kExpiryEpochDays = 25569.0 + 1.0 / 3.0;
inline constexpr double kSecondsPerDay = 86400.0;

// The date `seconds` after the expiry epoch.
double ExpiryDateFromSeconds(double seconds);

// (date - epoch) * 86400 written in decimal rounded to 15 significant digits,
// without exponent, grouping, trailing zeros or trailing point: a date on a
// whole second gives a whole number although the product is not exact.
std::u16string ExpirySecondsText(double date);

// The third field of a user list line: "0" when the account does not expire,
// otherwise ExpirySecondsText. nullopt when the seconds would not read back as
// a 32-bit number (the domain's whole list would become unreadable).
std::optional<std::u16string> ExpiryField(bool expire, double date);

}  // namespace vantrel::storage::servu
