#include "classes/records.hpp"

namespace vantrel::classes {

void CDomain::SetIP(const String& ip) { ip_ = ip.empty() ? String(u"127.0.0.1") : ip; }

String ComposeAccesses(const CDirAccess& rule) {
  String text = rule.Directory + u"|";
  const struct {
    bool granted;
    char16_t letter;
  } rights[] = {{rule.FilesRead, u'R'},    {rule.FilesWrite, u'W'}, {rule.FilesAppend, u'A'},
                {rule.FilesDelete, u'M'},  {rule.FilesExecute, u'E'}, {rule.DirList, u'L'},
                {rule.DirCreate, u'C'},    {rule.DirRemove, u'D'},  {rule.SubDirInherit, u'P'}};
  for (const auto& r : rights)
    if (r.granted) text += r.letter;
  return text;
}

}  // namespace vantrel::classes
