#include "server_folder.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>


namespace vantrel::testing {

ServerFolder::ServerFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-domains-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  servu_ = root_ / "servu";
  std::filesystem::create_directories(root_ / "Windows");
  std::filesystem::create_directories(servu_);
  ::setenv("VANTREL_ROOT", root_.c_str(), 1);
}

ServerFolder::~ServerFolder() {
  ::unsetenv("VANTREL_ROOT");
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

// Temporary folders have ASCII names.
std::u16string ServerFolder::ServUPath() const {
  const std::string path = servu_.string();
  return std::u16string(path.begin(), path.end());
}

void ServerFolder::WriteServerFile(const std::string& bytes) const {
  std::ofstream(ServerFile(), std::ios::binary) << bytes;
}

std::string ServerFolder::ReadServerFile() const {
  std::ifstream in(ServerFile(), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void ServerFolder::WriteSettings() const {
  // Salt "ab" followed by the MD5 digest of "abKelpMoor".
  std::ofstream(root_ / "Windows" / "Vantrel.ini", std::ios::binary)
      << "[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n"
      << "[PrivateDir]\r\ndom2=Secret|2|D:\\ftp\\two\r\n";
}

std::string DomainsSection(std::initializer_list<std::string> lines) {
  std::string text = "[DOMAINS]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace vantrel::testing
