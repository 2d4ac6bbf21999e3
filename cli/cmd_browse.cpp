// vantrel browse DIR [PATTERN] | mkdir PATH
//
// Folder listing and folder creation through a late-bound Explorer object.
// `browse` needs an administrator (--admin and a password) who may reach
// DIR; `mkdir` needs none, as CreateDir makes no check and reports nothing:
// the tool looks afterwards whether the folder exists.
#include <cstdio>
#include <iostream>
#include <memory>

#include "automation/coercion.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"
#include "model/names.hpp"
#include "storage/paths.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
using nlohmann::json;

struct Request {
  std::string dir, pattern, path;
  bool passwordStdin = false;
};

// "2003-12-31 23:30:15" (UTC, as listed).
std::string DateText(const au::Variant& value) {
  const au::DateParts p = au::SplitDate(au::ToDate(value));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return buffer;
}

// The same instant in ISO 8601 for JSON: "2003-12-31T23:30:15".
std::string IsoDate(std::string text) {
  text[10] = 'T';
  return text;
}

int Browse(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> explorer = CreateManager(m::Explorer::kProgId);
  SetCredentials(*explorer, options, CredentialsPassword(options, q.passwordStdin));
  LetProperty(*explorer, m::Explorer::CurrentDir, au::FromUtf8(q.dir));
  std::vector<au::Variant> args;
  if (!q.pattern.empty()) args.emplace_back(au::FromUtf8(q.pattern));
  const bool ok = au::ToBoolean(CallMethod(*explorer, m::Explorer::List, args));
  if (!ok) {
    if (StringProperty(*explorer, m::Explorer::ErrorMsg).empty()) {
      std::cerr << "vantrel: the listing of " << q.dir << " failed part way\n";
      return kOperationFalse;
    }
    return OperationOutcome(*explorer, m::Explorer::List, false, options, "");
  }
  if (!storage::FileExists(au::FromUtf8(q.dir))) {
    // List finds nothing in a missing folder; an empty table would hide the typing error.
    PrintError("the folder " + q.dir + " does not exist (" + storage::ToNativePath(au::FromUtf8(q.dir)).string() + ")");
    return kOperationFalse;
  }

  json folders = json::array(), files = json::array();
  Table table{{"Type", "Name", "Size", "Modified (UTC)", "Created (UTC)"}, {}};
  for (const auto& d : CollectionItems(*explorer, m::Explorer::Directory)) {
    const std::string name = StringProperty(*d, m::CDir::DirName);
    const std::string created = DateText(GetProperty(*d, m::CDir::CreationTime));
    folders.push_back({{"DirName", name}, {"CreationTime", IsoDate(created)}});
    table.rows.push_back({"dir", name, "", "", created});
  }
  for (const auto& f : CollectionItems(*explorer, m::Explorer::File)) {
    const std::string name = StringProperty(*f, m::CFile::FileName);
    const std::int32_t length = au::ToLong(GetProperty(*f, m::CFile::FileLength));
    const std::string written = DateText(GetProperty(*f, m::CFile::LastWriteTime));
    const std::string created = DateText(GetProperty(*f, m::CFile::CreationTime));
    const std::string accessed = DateText(GetProperty(*f, m::CFile::LastAccessTime));
    files.push_back({{"FileName", name},
                     {"FileLength", length},
                     {"LastWriteTime", IsoDate(written)},
                     {"CreationTime", IsoDate(created)},
                     {"LastAccessTime", IsoDate(accessed)}});
    table.rows.push_back({"file", name, std::to_string(length), written, created});
  }
  if (options.json) {
    std::cout << json{{"CurrentDir", q.dir}, {"Directory", folders}, {"File", files}}.dump(2) << '\n';
  } else {
    table.Print(std::cout);
  }
  return kSuccess;
}

int MakeFolder(const Request& q, const GlobalOptions& options) {
  au::Ref<au::Object> explorer = CreateManager(m::Explorer::kProgId);
  CallMethod(*explorer, m::Explorer::CreateDir, {au::FromUtf8(q.path)});
  if (options.dryRun) return kSuccess;  // the dry run's report names the folders
  const bool exists = storage::FileExists(au::FromUtf8(q.path));
  if (options.json) std::cout << json{{"Path", q.path}, {"Exists", exists}}.dump(2) << '\n';
  if (exists) {
    if (!options.json) std::cout << "Folder " << q.path << " is there\n";
    return kSuccess;
  }
  std::cerr << "vantrel: the folder " << q.path << " could not be created\n";
  return kOperationFalse;
}

}  // namespace

void AddBrowseCommands(CLI::App& app, GlobalOptions& options, int& result) {
  auto q = std::make_shared<Request>();
  auto* browse = app.add_subcommand("browse", "list a folder's subfolders and files (an administrator within reach)");
  browse->add_option("dir", q->dir, "the folder, e.g. D:\\ftp\\sales")->required();
  browse->add_option("pattern", q->pattern, "a name pattern with * and ? (default *.*)");
  browse->add_flag("--password-stdin", q->passwordStdin, "read the password from the first line of standard input");
  browse->callback([q, &options, &result] { result = RunGuarded([&] { return Browse(*q, options); }); });

  auto* mkdir = app.add_subcommand("mkdir", "create a folder with every missing parent (no credentials needed)");
  mkdir->add_option("path", q->path, "the folder, e.g. D:\\ftp\\sales\\upload")->required();
  mkdir->callback([q, &options, &result] { result = RunGuarded([&] { return MakeFolder(*q, options); }); });
}

}  // namespace vantrel::cli
