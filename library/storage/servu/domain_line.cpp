#include "storage/servu/domain_line.hpp"

namespace vantrel::storage::servu {
namespace {

std::u16string Decimal(int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string FormatDomainLine(std::u16string_view ip, std::int16_t port, std::u16string_view hostName,
                                std::int16_t id, const std::vector<std::u16string>& serverFields) {
  auto carried = [&](std::size_t index, std::u16string_view fallback) {
    return index < serverFields.size() ? std::u16string_view(serverFields[index]) : fallback;
  };
  std::u16string line(ip);
  line += u'|';
  line += carried(1, u"");
  line += u'|';
  line += Decimal(port);
  line += u'|';
  line += hostName;
  line += u'|';
  line += Decimal(id);
  line += u'|';
  line += carried(5, u"0");
  for (std::size_t i = 6; i < serverFields.size(); ++i) {
    line += u'|';
    line += serverFields[i];
  }
  return line;
}

std::u16string DomainKey(int number) { return u"Domain" + Decimal(number); }

}  // namespace vantrel::storage::servu
