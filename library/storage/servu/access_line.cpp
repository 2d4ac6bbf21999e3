#include "storage/servu/access_line.hpp"

#include <string>

namespace vantrel::storage::servu {

AccessRights ParseAccessLetters(std::u16string_view letters) {
  const auto has = [letters](char16_t letter) { return letters.find(letter) != std::u16string_view::npos; };
  AccessRights rights;
  rights.filesRead = has(u'R');
  rights.filesWrite = has(u'W');
  rights.filesAppend = has(u'A');
  rights.filesDelete = has(u'M');
  rights.filesExecute = has(u'E');
  rights.dirList = has(u'L');
  rights.dirCreate = has(u'C');
  rights.dirRemove = has(u'D');
  rights.subDirInherit = has(u'P');
  return rights;
}

std::u16string AccessKey(int position) {
  const std::string n = std::to_string(position);
  return u"Access" + std::u16string(n.begin(), n.end());
}

std::u16string AccessLineDirectory(std::u16string_view accesses) {
  return std::u16string(accesses.substr(0, accesses.find(u'|')));
}

}  // namespace vantrel::storage::servu
