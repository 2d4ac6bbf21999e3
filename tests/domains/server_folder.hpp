#pragma once
// Needs nothing of the library, so that the late-bound tests can use it too.
//
// A fresh system root and FTP server folder for one test: VANTREL_ROOT points
// at a temporary folder with an empty Windows folder; the server folder
// beside it may receive a ServUDaemon.ini. Both are removed at the end.
#include <filesystem>
#include <string>


namespace vantrel::testing {

inline constexpr char16_t kAdminName[] = u"Vantrel";
inline constexpr char16_t kAdminPassword[] = u"KelpMoor";

class ServerFolder {
 public:
  ServerFolder();
  ~ServerFolder();
  ServerFolder(const ServerFolder&) = delete;
  ServerFolder& operator=(const ServerFolder&) = delete;

  // The server folder as a page would set ServUPath.
  std::u16string ServUPath() const;
  std::filesystem::path ServerFile() const { return servu_ / "ServUDaemon.ini"; }

  // Writes ServUDaemon.ini with exactly these bytes ("\n" is written as is).
  void WriteServerFile(const std::string& bytes) const;
  std::string ReadServerFile() const;

  // A settings file whose system administrator is kAdminName/kAdminPassword,
  // with a domain administrator "dom2" (password "Secret") of domain 2.
  void WriteSettings() const;


 private:
  std::filesystem::path root_;
  std::filesystem::path servu_;
};

// "[DOMAINS]\r\n" followed by the lines, each ended by CRLF.
std::string DomainsSection(std::initializer_list<std::string> lines);

}  // namespace vantrel::testing
