#pragma once
// Lines of the DOMAINS section: "IP|field1|port|host name|ID|field5[|...]".
//
// The library reads fields 0 to 4 of a line (through a 255-byte buffer, so at
// most 254 bytes count) and writes six fields. Field 1, field 5 and any
// further fields belong to the FTP server: a line the library rewrites keeps
// them as the server wrote them; a new line gets "" and "0".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::storage::servu {

inline constexpr char16_t kDomainsSection[] = u"DOMAINS";

// Buffer sizes for reading a line: the listing's cut, and the whole line
// (used to carry the server's fields over without cutting them).
inline constexpr std::int32_t kDomainLineBuffer = 255;
inline constexpr std::int32_t kWholeLineBuffer = 1 << 20;

// Field positions.
inline constexpr std::size_t kIpField = 0;
inline constexpr std::size_t kPortField = 2;
inline constexpr std::size_t kHostField = 3;
inline constexpr std::size_t kIdField = 4;

// The line for a domain. `serverFields` are the fields of the line it replaces
// (empty for a new domain): fields 1, 5 and further are taken from there.
std::u16string FormatDomainLine(std::u16string_view ip, std::int16_t port, std::u16string_view hostName,
                                std::int16_t id, const std::vector<std::u16string>& serverFields = {});

// "Domain" + number: the keys the library writes in DOMAINS.
std::u16string DomainKey(int number);

}  // namespace vantrel::storage::servu
