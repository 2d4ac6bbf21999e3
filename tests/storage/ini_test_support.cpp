#include "ini_test_support.hpp"

#include <unistd.h>

#include <fstream>
#include <iterator>


namespace vantrel::storage::ini::testing {

void IniTest::SetUp() {
  char pattern[] = "/tmp/vantrel-ini-test.XXXXXX";
  const char* made = ::mkdtemp(pattern);
  ASSERT_NE(made, nullptr);
  folder_ = made;
  file_ = folder_ / "test.ini";
}

void IniTest::TearDown() {
  std::error_code ignored;
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(folder_, ignored);
}

void IniTest::Lay(const std::string& bytes) const {
  std::ofstream out(file_, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string IniTest::Bytes() const {
  std::ifstream in(file_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IniTest::Exists() const { return std::filesystem::exists(file_); }

Read IniTest::Value(OptText section, OptText key, OptText def, std::uint32_t size) const {
  std::string buffer(size + 1, '\x7F');
  Read read;
  read.count = GetProfileString(section, key, def, buffer.data(), size, file_);
  read.text = buffer.c_str();
  return read;
}

std::string IniTest::List(OptText section, OptText key, std::uint32_t size, std::uint32_t* count) const {
  std::string buffer(size + 4, '\x7F');
  const std::uint32_t n = GetProfileString(section, key, "", buffer.data(), size, file_);
  if (count != nullptr) *count = n;
  return buffer.substr(0, std::min<std::size_t>(n + 2, buffer.size()));
}

}  // namespace vantrel::storage::ini::testing
