#include "ini_test_support.hpp"

namespace vantrel::storage::ini::testing {

Read IniTest::Value(OptText section, OptText key, OptText def, std::uint32_t size) const {
  std::string buffer(size + 1, '\x7F');
  Read read;
  read.count = GetProfileString(section, key, def, buffer.data(), size, file_);
  read.text = buffer.c_str();
  return read;
}

}  // namespace vantrel::storage::ini::testing
