// Domains operations: the FTP server's domain list in the DOMAINS section of
// ServUDaemon.ini. Every operation that touches the file is one transaction:
// it sees its own writes and either commits all of them or none.
#include "classes/domains.hpp"

#include <vector>

#include "admin/rights.hpp"
#include "admin/settings_file.hpp"
#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "classes/refusal.hpp"
#include "classes/server_file.hpp"
#include "classes/user.hpp"
#include "storage/blanks.hpp"
#include "storage/case_fold.hpp"
#include "storage/codepage.hpp"
#include "storage/fields.hpp"
#include "storage/file_text.hpp"
#include "storage/servu/domain_line.hpp"
#include "storage/servu/user_line.hpp"

namespace vantrel::classes {
namespace {

namespace servu = storage::servu;

constexpr char16_t kNotAdministrator[] = u"You are not administrator!";
constexpr char16_t kHostNameExists[] = u"This HostName exists already";
constexpr char16_t kPortOfIpExists[] = u"The port of this IP exists already";
constexpr char16_t kAddFailed[] = u"Add Domain failed";
constexpr char16_t kIdMissing[] = u"This ID does not exist";
constexpr char16_t kModifyFailed[] = u"Modify Domain failed";
constexpr char16_t kDeleteFailed[] = u"Delete Domain failed";

// A listed domain as the file holds it: its record, the key its line was read
// from, and every field of the whole line (the listing sees only 254 bytes).
struct ListedDomain {
  Ref<CDomain> record;
  String key;
  std::vector<String> wholeFields;
};

std::int16_t ToInteger(const String& text) { return automation::ToInteger(automation::Variant(text)); }

// GetDomain's filling: a new, empty Domain collection, then one record per
// key of DOMAINS in file order. A line that cannot be read raises the
// automation error (9 too few fields, 13 not a number, 6 out of range, 457 a
// repeated ID) with the records before it in place.
std::vector<ListedDomain> ListDomains(storage::CIniFile& ini, Domain& list) {
  std::vector<ListedDomain> listed;
  // The whole lines, and the lines cut as a fixed-size read cuts them.
  const auto whole = ini.GetKeyValues(servu::kDomainsSection, servu::kWholeLineBuffer);
  const auto cut = ini.GetKeyValues(servu::kDomainsSection, servu::kDomainLineBuffer);
  for (std::size_t i = 0; i < whole.size() && i < cut.size(); ++i) {
    const String& key = whole[i].first;
    const auto fields = storage::SplitFields(cut[i].second);
    const String& idText = admin::FieldAt(fields, servu::kIdField);
    const std::int16_t id = ToInteger(idText);
    const std::int16_t port = ToInteger(fields[servu::kPortField]);
    Ref<CDomain> record = list.Add(id, fields[servu::kIpField], fields[servu::kHostField], port, idText);
    listed.push_back({record, key, storage::SplitFields(whole[i].second)});
  }
  return listed;
}

// Host names and addresses go into a "|"-joined line: "|", line breaks, NUL
// and text the code page cannot hold are refused. Empty when acceptable.
String RefusalOfDomainText(const String& hostName, const String& ip) {
  for (const auto& [text, what] : {std::pair{&hostName, u"HostName"}, std::pair{&ip, u"IP"}}) {
    if (String why = storage::RefusalOfField(*text, what); !why.empty()) return why;
  }
  return {};
}

// A line is listed from its first 254 bytes: fields 0 to 4 (up to the ID)
// must lie within them, or the list would not read any more.
String UnlistableRefusal(const String& line) {
  std::size_t end = 0;
  for (int bar = 0; bar < 5 && end != String::npos; ++bar) end = line.find(u'|', end + (bar > 0));
  return storage::RefusalOfLength(String(line, 0, end), u"HostName with the IP");
}

// Marks the domain ID (1 to 32767) an administrator entry holds, as the
// domain right check compares it (the decimal text of the entry's field 1).
template <typename Char>
void MarkAdministeredId(std::basic_string_view<Char> entry, std::vector<bool>& taken) {
  const std::size_t bar = entry.find(Char('|'));
  if (bar == entry.npos) return;
  std::basic_string_view<Char> id = entry.substr(bar + 1);
  id = id.substr(0, id.find(Char('|')));
  // Only canonical decimal text ("7", not "07" or " 7") can match a new ID.
  if (id.empty() || id.size() > 5 || id[0] == Char('0')) return;
  std::size_t value = 0;
  for (Char c : id) {
    if (c < Char('0') || c > Char('9')) return;
    value = value * 10 + static_cast<std::size_t>(c - Char('0'));
  }
  if (value < taken.size()) taken[value] = true;
}

// Marks the IDs of every domain administrator of the settings file. One pass
// over views of the entries: the file may hold tens of thousands of them.
void MarkAdministeredIds(std::vector<bool>& taken) {
  if (storage::AnsiTrailBytesCanLookLikeAscii()) {
    admin::VisitSettingEntries(admin::kPrivateDirSection, [&taken](std::u16string_view, std::u16string_view entry) {
      MarkAdministeredId(entry, taken);
    });
    return;
  }
  // No byte below 0x80 is part of another character: "|" and digits are their bytes.
  admin::VisitSettingEntryBytes(admin::kPrivateDirSection, [&taken](std::string_view, std::string_view entry) {
    MarkAdministeredId(entry, taken);
  });
}

// AddDomain's and ModifyDomain's duplicate tests against one listed domain.
const char16_t* Conflict(const CDomain& domain, const String& hostName, const String& ip, std::int16_t port) {
  if (storage::EqualsIgnoreCase(domain.HostName, hostName)) return kHostNameExists;
  if (domain.IP() == ip && domain.port == port) return kPortOfIpExists;
  return nullptr;
}

// The address written back for a listed domain: an empty field stays empty
// (the record shows it as 127.0.0.1, which would mean something else to the
// server); otherwise the whole line's text, which the listing may have cut.
const String& AddressToWrite(const ListedDomain& d) { return d.wholeFields[servu::kIpField]; }

const String& HostToWrite(const ListedDomain& d) {
  return d.wholeFields.size() > servu::kHostField ? d.wholeFields[servu::kHostField] : d.record->HostName;
}

// The checks every change of the domain list starts with, in their order:
// the system administrator, then (for a new line's text) a host name and
// address that cannot break the file (refused). Clears ErrorMsg first.
bool PassesChangeChecks(Domains& domains, const String* hostName, const String* ip) {
  domains.ErrorMsg.clear();
  if (!admin::CheckSystemAdmin(domains.AdminName, domains.AdminPassword)) {
    domains.ErrorMsg = kNotAdministrator;
    return false;
  }
  return !(hostName && ip && Refuse(domains.ErrorMsg, RefusalOfDomainText(*hostName, *ip)));
}

}  // namespace

bool Domains::GetDomain() {
  ErrorMsg.clear();
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  ListDomains(*ini, *DomainProperty.Renew());
  return true;
}

bool Domains::AddDomain(const String& HostName, const String& IP, std::int16_t port) {
  if (!PassesChangeChecks(*this, &HostName, &IP)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const std::vector<ListedDomain> listed = ListDomains(*ini, *DomainProperty.Renew());
  for (const ListedDomain& d : listed) {
    if (const char16_t* conflict = Conflict(*d.record, HostName, IP, port)) {
      ErrorMsg = conflict;
      return false;
    }
  }

  // The smallest ID from 1 upward that no listed domain has and no domain
  // administrator holds: a deleted domain's administrators stay in the
  // settings file and would administer a new domain that took its ID.
  std::vector<bool> idTaken(32768);
  MarkAdministeredIds(idTaken);
  for (const ListedDomain& d : listed) {
    if (d.record->ID > 0) idTaken[static_cast<std::size_t>(d.record->ID)] = true;
  }
  int id = 1;
  while (id < 32768 && idTaken[static_cast<std::size_t>(id)]) ++id;
  if (id > 32767) throw automation::AutomationError(automation::kOverflow);

  // The first key from count + 1 upward that no line has: a section numbered
  // by hand may already use count + 1, and that line must not be overwritten.
  int number = static_cast<int>(listed.size()) + 1;
  auto taken = [&](const String& key) {
    for (const ListedDomain& d : listed)
      if (storage::EqualsIgnoreCase(d.key, key)) return true;
    return false;
  };
  while (taken(servu::DomainKey(number))) ++number;

  const String line = servu::FormatDomainLine(IP, port, HostName, static_cast<std::int16_t>(id));
  if (Refuse(ErrorMsg, UnlistableRefusal(line))) return false;
  const bool written = ini->WriteString(servu::kDomainsSection, servu::DomainKey(number), line) && ini.Commit();
  if (!written) ErrorMsg = kAddFailed;
  return written;
}

bool Domains::DelDomain(std::int16_t ID) {
  if (!PassesChangeChecks(*this, nullptr, nullptr)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const std::vector<ListedDomain> listed = ListDomains(*ini, *DomainProperty.Renew());
  bool found = false;
  for (const ListedDomain& d : listed) found = found || d.record->ID == ID;
  if (!found) {
    // Nothing to delete: the file stays exactly as it was.
    ErrorMsg = kIdMissing;
    return false;
  }

  // The section is rebuilt from the list: the remaining domains keep their
  // IDs and get the keys Domain1, Domain2, ... in their old order. All of it
  // is one transaction, so the file never lacks its DOMAINS section.
  if (!ini->DeleteSection(servu::kDomainsSection)) return false;
  int number = 1;
  for (const ListedDomain& d : listed) {
    if (d.record->ID != ID) {
      const String line =
          servu::FormatDomainLine(AddressToWrite(d), d.record->port, HostToWrite(d), d.record->ID, d.wholeFields);
      if (!ini->WriteString(servu::kDomainsSection, servu::DomainKey(number), line)) {
        ErrorMsg = kDeleteFailed;  // a domain would be lost: write nothing
        return false;
      }
      ++number;
      continue;
    }
    // The deleted domain's users, listed as User.GetUserList lists them.
    auto users = automation::MakeRef<User>();
    users->ServUPath = ServUPath;
    users->AdminName = AdminName;
    users->AdminPassword = AdminPassword;
    if (!users->GetUserList(ID)) {
      ErrorMsg = users->ErrorMsg;  // the users could not be listed: leave them and the domain
      return false;
    }
    const Ref<UserList> rows = users->UserListProperty.Get();
    for (std::int32_t i = 1; i <= rows->Count(); ++i) {
      const String name = String(storage::TrimSpaces(rows->Item(automation::Variant(i))->UserName));
      ini->DeleteSection(servu::UserSection(name, ID));
    }
    ini->DeleteSection(servu::UserIndexSection(ID));
  }
  return ini.Commit();  // a failed write leaves the file as it was (and ErrorMsg empty)
}

bool Domains::ModifyDomain(std::int16_t ID, const String& HostName, const String& IP, std::int16_t port) {
  if (!PassesChangeChecks(*this, &HostName, &IP)) return false;
  ServerFile ini(ServUPath, ErrorMsg);
  if (!ini) return false;
  const std::vector<ListedDomain> listed = ListDomains(*ini, *DomainProperty.Renew());
  for (const ListedDomain& d : listed) {
    if (d.record->ID == ID) continue;  // the domain is not compared with itself
    if (const char16_t* conflict = Conflict(*d.record, HostName, IP, port)) {
      ErrorMsg = conflict;
      return false;
    }
  }
  bool written = false;
  for (const ListedDomain& d : listed) {
    if (d.record->ID != ID) continue;
    // The domain's own key, whatever its position: a section numbered by hand
    // must not get another domain's line overwritten.
    const String line =
        servu::FormatDomainLine(storage::TrimSpaces(IP), port, storage::TrimSpaces(HostName), ID, d.wholeFields);
    if (Refuse(ErrorMsg, UnlistableRefusal(line))) return false;
    written = ini->WriteString(servu::kDomainsSection, d.key, line);
  }
  written = written && ini.Commit();
  if (!written) ErrorMsg = kModifyFailed;
  return written;
}

bool Domains::Reload() { return ReloadServer(ServUPath, ErrorMsg); }

}  // namespace vantrel::classes
