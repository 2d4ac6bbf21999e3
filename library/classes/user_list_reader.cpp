#include "classes/user_list_reader.hpp"

#include <vector>

#include "admin/settings_file.hpp"
#include "automation/coercion.hpp"
#include "storage/fields.hpp"
#include "storage/servu/expiry.hpp"
#include "storage/servu/user_line.hpp"

namespace vantrel::classes {

namespace servu = storage::servu;

void FillUserList(storage::CIniFile& ini, std::int16_t domainID, UserList& list) {
  const String section = servu::UserIndexSection(domainID);
  for (const auto& [key, value] : ini.GetKeyValues(section, 255)) {
    if (!servu::IsUserListKey(key)) continue;
    const std::vector<String> fields = storage::SplitFields(value);
    const String& name = admin::FieldAt(fields, 0);
    const bool disable = automation::ToInteger(admin::FieldAt(fields, 1)) == 0;
    const std::int32_t seconds = automation::ToLong(admin::FieldAt(fields, 2));
    const bool expire = seconds != 0;
    // The stored text, not the rounded 32-bit value, gives the date.
    const double expireDate =
        expire ? servu::ExpiryDateFromSeconds(automation::ToDouble(admin::FieldAt(fields, 2))) : servu::kExpiryEpochDays;
    list.Add(name, domainID, disable, expire, Date{expireDate}, name);
  }
}

std::optional<String> UserListLineOf(const CUserList& row) {
  const auto expiry = servu::ExpiryField(row.Expire, row.ExpireDate.value);
  if (!expiry) return std::nullopt;
  return servu::ComposeUserLine(row.UserName, row.Disable, *expiry);
}

}  // namespace vantrel::classes
