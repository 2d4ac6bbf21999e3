#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "compare.hpp"
#include "storage/ini/ini_profile.hpp"

namespace compare {
namespace {

namespace ini = vantrel::storage::ini;

constexpr std::size_t kGuard = 16;
constexpr unsigned char kFill = 0xCC;

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const char* Ptr(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

ini::OptText View(const std::optional<std::string>& s) {
  return s ? ini::OptText(std::string_view(*s)) : std::nullopt;
}

std::string Body(const std::string& text) { return text + std::string(2, '\0'); }

struct Outcome {
  std::uint32_t ret = 0;
  std::string buffer;  // the whole buffer with its guard bytes
  std::string Text() const { return std::string(buffer.c_str()); }
};

bool IsWrite(OpKind kind) { return kind == OpKind::WriteString || kind == OpKind::WriteSection; }

// One operation through the engine, or else through kernel32, with the same arguments.
Outcome Run(const Op& op, const std::string& path, bool engine) {
  Outcome o;
  o.buffer.assign(op.size + kGuard, static_cast<char>(kFill));
  char* const buffer = o.buffer.data();
  const std::filesystem::path file(path);
  const char *s = Ptr(op.section), *k = Ptr(op.key), *t = Ptr(op.text), *p = path.c_str();
  const ini::OptText section = View(op.section), key = View(op.key), text = View(op.text);
  const std::string body = op.text ? Body(*op.text) : std::string();
  switch (op.kind) {
    case OpKind::GetString:
      o.ret = engine ? ini::GetProfileString(section, key, text, buffer, op.size, file)
                     : GetPrivateProfileStringA(s, k, t, buffer, op.size, p);
      break;
    case OpKind::GetInt:
      o.ret = engine ? ini::GetProfileInt(section, key, op.int_default, file)
                     : GetPrivateProfileIntA(s, k, op.int_default, p);
      break;
    case OpKind::GetSection:
      o.ret = engine ? ini::GetProfileSection(section, buffer, op.size, file)
                     : GetPrivateProfileSectionA(s, buffer, op.size, p);
      break;
    case OpKind::WriteString:
      o.ret = engine ? ini::WriteProfileString(section, key, text, file) : WritePrivateProfileStringA(s, k, t, p);
      break;
    case OpKind::WriteSection:
      o.ret = engine ? ini::WriteProfileSection(section, op.text ? ini::OptText(body) : std::nullopt, file)
                     : WritePrivateProfileSectionA(s, op.text ? body.c_str() : nullptr, p);
      break;
  }
  if (IsWrite(op.kind)) o.ret = o.ret != 0 ? 1 : 0;
  if (IsWrite(op.kind) || op.kind == OpKind::GetInt) o.buffer.clear();
  return o;
}

std::string Arg(const std::optional<std::string>& s) { return s ? "\"" + Printable(*s) + "\"" : "NULL"; }

std::string Describe(const Op& op) {
  static const char* const kNames[] = {"GetString", "GetInt", "GetSection", "WriteString", "WriteSection"};
  std::string out = std::string(kNames[static_cast<int>(op.kind)]) + "(" + Arg(op.section);
  if (op.kind != OpKind::GetSection && op.kind != OpKind::WriteSection) out += ", " + Arg(op.key);
  if (op.kind == OpKind::GetInt) out += ", " + std::to_string(op.int_default);
  else if (op.kind != OpKind::GetSection) out += ", " + Arg(op.text);
  if (op.kind == OpKind::GetString || op.kind == OpKind::GetSection) out += ", " + std::to_string(op.size);
  return out + ")";
}

// The buffer up to its last written byte (the untouched fill bytes left out).
std::string Show(const Outcome& o) {
  std::size_t end = o.buffer.size();
  while (end > 0 && static_cast<unsigned char>(o.buffer[end - 1]) == kFill) --end;
  return "ret " + std::to_string(o.ret) + " buffer \"" + Printable(o.buffer.substr(0, end)) + "\"";
}

std::string ShowFile(const std::optional<std::string>& f) { return f ? "\"" + Printable(*f) + "\"" : "(missing)"; }

// Wine removes a closing quote after cutting the text to the buffer, so a
// quoted value or default cut at the buffer size loses one byte more there:
// the engine removes the quotes first, as Windows does.
bool QuotedCutQuirk(const Op& op, const Outcome& k, const Outcome& e) {
  if (op.kind != OpKind::GetString || op.size < 2 || e.ret != op.size - 1 || k.ret + 1 != e.ret) return false;
  return e.Text().compare(0, k.ret, k.Text()) == 0;
}

// Both files in Wine's written form (UTF-16 files with ASCII text reduced to their low bytes).
std::string Comparable(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::string low = "<UTF-16LE>";
    std::string ansi;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) ansi += bytes[i];
    return low + WineNormalise(ansi);
  }
  return WineNormalise(bytes);
}

}  // namespace

void Tally::Fail(std::string message) {
  ++failures;
  if (messages.size() < 200) messages.push_back(std::move(message));
}

std::string Printable(const std::string& bytes) {
  std::string out;
  char hex[8];
  for (unsigned char c : bytes) {
    if (c == '\\') out += "\\\\";
    else if (c == '"') out += "\\\"";
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

void RunCase(const Case& c, const std::string& folder, Tally& tally) {
  const std::string kdir = folder + "\\k", edir = folder + "\\e";
  CreateDirectoryA(kdir.c_str(), nullptr);
  CreateDirectoryA(edir.c_str(), nullptr);
  const std::string kpath = kdir + "\\test.ini", epath = edir + "\\test.ini";
  if (c.path_is_folder) {
    CreateDirectoryA(kpath.c_str(), nullptr);
    CreateDirectoryA(epath.c_str(), nullptr);
  } else if (c.content) {
    WriteBytes(kpath, *c.content);
    WriteBytes(epath, *c.content);
  }
  for (std::size_t i = 0; i < c.ops.size(); ++i) {
    const Op& op = c.ops[i];
    ++tally.steps;
    const std::string where = c.name + " step " + std::to_string(i + 1) + " " + Describe(op) + ": ";
    const std::optional<std::string> ebefore = ReadBytes(epath);
    const std::optional<std::string> kbefore = ReadBytes(kpath);
    const Outcome k = Run(op, kpath, false);
    const Outcome e = Run(op, epath, true);
    if (op.known_difference.empty() && QuotedCutQuirk(op, k, e)) {
      ++tally.known;  // Wine drops one byte more when a quoted text is cut at the buffer size
    } else if (op.known_difference.empty()) {
      ++tally.compared;
      if (k.ret != e.ret || k.buffer != e.buffer) {
        tally.Fail(where + "kernel32 " + Show(k) + " | engine " + Show(e));
      }
    } else {
      ++tally.known;
      if (op.windows_result) {
        const std::string got = IsWrite(op.kind) ? std::to_string(e.ret)
                                                  : (op.kind == OpKind::GetInt ? std::to_string(e.ret) : e.Text());
        if (got != *op.windows_result) {
          tally.Fail(where + "[" + op.known_difference + "] engine gave \"" + Printable(got) + "\", Windows gives \"" +
                     Printable(*op.windows_result) + "\"");
        }
      }
    }
    if (!IsWrite(op.kind) || c.path_is_folder) continue;
    const std::optional<std::string> kafter = ReadBytes(kpath);
    const std::optional<std::string> eafter = ReadBytes(epath);
    if (!op.known_difference.empty()) {
      if (op.windows_file && eafter != op.windows_file) {
        tally.Fail(where + "[" + op.known_difference + "] engine file " + ShowFile(eafter) + ", Windows gives " +
                   ShowFile(op.windows_file));
      }
      // Carry on from the engine's state on both sides.
      if (eafter) WriteBytes(kpath, *eafter);
      else DeleteFileA(kpath.c_str());
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, kpath.c_str());
      continue;
    }
    if (kafter == kbefore) {
      if (eafter != ebefore) {
        tally.Fail(where + "kernel32 left its file alone but the engine changed its file from " + ShowFile(ebefore) +
                   " to " + ShowFile(eafter));
      }
    } else if (!eafter || !kafter || Comparable(*eafter) != Comparable(*kafter)) {
      tally.Fail(where + "files differ: kernel32 " + ShowFile(kafter) + " | engine " + ShowFile(eafter) +
                 (eafter ? " (normalised \"" + Printable(Comparable(*eafter)) + "\")" : std::string()));
    }
  }
  // Every replacement of the engine's file, failed ones included, leaves no temporary file behind.
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((edir + "\\*.tmp").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    FindClose(search);
    tally.Fail(c.name + ": the engine left " + found.cFileName + " beside its file");
  }
}

Case Make(std::string name, std::optional<std::string> content, std::vector<Op> ops) {
  return Case{std::move(name), std::move(content), std::move(ops), false};
}

Op Get(std::optional<std::string> section, std::optional<std::string> key, std::optional<std::string> def,
       std::uint32_t size) {
  return Op{OpKind::GetString, std::move(section), std::move(key), std::move(def), 0, size, {}, {}, {}};
}

Op GetInt(std::optional<std::string> section, std::optional<std::string> key, std::int32_t def) {
  return Op{OpKind::GetInt, std::move(section), std::move(key), std::nullopt, def, 0, {}, {}, {}};
}

Op GetSec(std::optional<std::string> section, std::uint32_t size) {
  return Op{OpKind::GetSection, std::move(section), std::nullopt, std::nullopt, 0, size, {}, {}, {}};
}

Op Put(std::optional<std::string> section, std::optional<std::string> key, std::optional<std::string> value) {
  return Op{OpKind::WriteString, std::move(section), std::move(key), std::move(value), 0, 0, {}, {}, {}};
}

Op PutSec(std::optional<std::string> section, std::optional<std::string> body) {
  return Op{OpKind::WriteSection, std::move(section), std::nullopt, std::move(body), 0, 0, {}, {}, {}};
}

Op Known(Op op, std::string difference, std::optional<std::string> windows_result) {
  op.known_difference = std::move(difference);
  op.windows_result = std::move(windows_result);
  return op;
}

}  // namespace compare
