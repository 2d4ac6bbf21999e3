#pragma once
// Access lines of a user section (Access1, Access2, ...): "directory|letters",
// one capital letter per granted right in the order R W A M E L C D P.
#include <string>
#include <string_view>

namespace vantrel::storage::servu {

struct AccessRights {
  bool filesRead = false;      // R
  bool filesWrite = false;     // W
  bool filesAppend = false;    // A
  bool filesDelete = false;    // M
  bool filesExecute = false;   // E
  bool dirList = false;        // L
  bool dirCreate = false;      // C
  bool dirRemove = false;      // D
  bool subDirInherit = false;  // P
};

// A right is granted when its capital letter occurs anywhere in `letters`;
// lower-case letters and other characters grant nothing.
AccessRights ParseAccessLetters(std::u16string_view letters);

// "Access" + position.
std::u16string AccessKey(int position);

// The directory part of an access line: the text before the first "|".
std::u16string AccessLineDirectory(std::u16string_view accesses);

}  // namespace vantrel::storage::servu
