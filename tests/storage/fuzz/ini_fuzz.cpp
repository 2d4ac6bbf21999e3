// libFuzzer target for the INI engine: a file image, then random writes,
// key and section deletions run in one transaction. After each step every
// visible section and key (names and values) must be what a simple model of
// the profile rules says; after the commit a fresh read of the written file
// must show the same. Input: 2 bytes image length, the image, then the steps.
// Files live in memory (the engine's FileIo seam), so an execution costs no
// disk write, fsync or rename.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/blanks.hpp"
#include "storage/file_io.hpp"
#include "storage/ini/ini_access.hpp"
#include "storage/ini/ini_profile.hpp"
#include "storage/ini/ini_text.hpp"
#include "storage/ini/ini_transaction.hpp"

namespace fs = std::filesystem;
using namespace vantrel::storage;
using namespace vantrel::storage::ini;

namespace {

// Files as path -> bytes; a temporary file replaces its target when renamed;
// the lock excludes nothing (one thread).
class MemoryFileIo final : public FileIo {
 public:
  std::map<fs::path, std::string> files;

  PathKind Stat(const fs::path& file) override { return files.count(file) ? PathKind::File : PathKind::Missing; }
  bool Read(const fs::path& file, std::string& bytes) override {
    const auto it = files.find(file);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
  std::unique_ptr<TempFile> CreateTemp(const fs::path&) override { return std::make_unique<Temp>(files); }
  // A temporary file can always be made, so nothing is rewritten in place.
  std::unique_ptr<RewriteFile> OpenForRewrite(const fs::path&) override { return nullptr; }
  void RemoveStaleTemps(const fs::path&) override {}
  std::unique_ptr<FileLock> Lock(const fs::path&) override { return std::make_unique<FileLock>(); }

 private:
  class Temp final : public TempFile {
   public:
    explicit Temp(std::map<fs::path, std::string>& files) : files_(files) {}
    bool Write(std::string_view bytes) override {
      bytes_ += bytes;
      return true;
    }
    bool Flush() override { return true; }
    bool RenameOver(const fs::path& target, unsigned) override {
      files_[target] = std::move(bytes_);
      return true;
    }

   private:
    std::map<fs::path, std::string>& files_;
    std::string bytes_;
  };
};

struct Section {
  std::string name;
  std::optional<std::vector<KeyValue>> keys;  // nullopt: not predicted, taken from the next read
};
struct State {
  std::vector<std::string> names;  // the section list
  std::vector<Section> bodies;     // visible keys of "" and of each distinct name's first section
};

Section* Find(std::vector<Section>& bodies, std::string_view name) {
  for (Section& s : bodies) {
    if (NamesEqual(s.name, name)) return &s;
  }
  return nullptr;
}

// Empty-named keys hide one another by position: left out of the model.
std::vector<KeyValue> Keys(const fs::path& file, const std::string& section) {
  std::vector<KeyValue> keys;
  for (KeyValue& kv : ReadKeyValues(file, section, 1 << 16)) {
    if (!kv.name.empty()) keys.push_back(std::move(kv));
  }
  return keys;
}

State Read(const fs::path& file) {
  State state;
  state.names = ReadSections(file);
  std::vector<std::string> wanted{""};
  wanted.insert(wanted.end(), state.names.begin(), state.names.end());
  for (const std::string& name : wanted) {
    if (Find(state.bodies, name)) continue;
    state.bodies.push_back({name, Keys(file, name)});
  }
  return state;
}

bool Same(const std::vector<KeyValue>& a, const std::vector<KeyValue>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!NamesEqual(a[i].name, b[i].name) || a[i].value != b[i].value) return false;
  }
  return true;
}

bool Same(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), NamesEqual);
}

// Every predicted part of the model must match the read; unpredicted parts are taken from it.
void Check(State& model, const State& read) {
  if (!Same(model.names, read.names)) std::abort();
  for (Section& s : model.bodies) {
    Section* r = Find(const_cast<std::vector<Section>&>(read.bodies), s.name);
    const std::vector<KeyValue> none;
    const std::vector<KeyValue>& got = r ? *r->keys : none;
    if (!s.keys) {
      s.keys = got;
      continue;
    }
    if (!Same(*s.keys, got)) std::abort();
  }
  for (const Section& r : read.bodies) {
    if (!Find(model.bodies, r.name)) std::abort();
  }
}

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() { return size ? (--size, *data++) : 0; }
  std::string Text(std::size_t n) {
    n = std::min(n, size);
    std::string t(reinterpret_cast<const char*>(data), n);
    data += n;
    size -= n;
    return t;
  }
};

bool IsByteOrderMark(std::string_view two) { return two == "\xFF\xFE" || two == "\xFE\xFF"; }
bool HasByteOrderMark(std::string_view text) {
  return text.find("\xFF\xFE") != std::string_view::npos || text.find("\xFE\xFF") != std::string_view::npos;
}

const char* const kSections[] = {"", "s", "S", "Users", "a b", "[x"};
const char* const kKeys[] = {"k", "K", "Access1", "a b", "#h", "1"};

std::string PickName(Input& in, const std::vector<std::string>& known, const char* const (&pool)[6]) {
  const std::uint8_t b = in.Byte();
  if ((b & 0x80) && !known.empty()) return known[b % known.size()];
  return pool[b % 6];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryFileIo io;
  static const ScopedFileIo in_memory(io);
  static const fs::path file = "/vantrel-ini-fuzz/f.ini";
  Input in{data, size};
  const std::size_t length = in.Byte() | (in.Byte() << 8);
  const std::string image = in.Text(length);
  // UTF-16 files are left to the unit tests: the steps write single-byte text.
  if (IsByteOrderMark(image.substr(0, 2))) return -1;
  // Single-byte text that edits make start with such a mark is refused at
  // commit. Only the image can bring the bytes to a line's start: written
  // values follow "key=", and the names picked come from the image or a pool.
  const bool markBytesInImage = HasByteOrderMark(image);
  io.files = {{file, image}};

  State model;
  {
    Transaction tx(file);
    model = Read(file);
    for (int step = 0; step < 16 && in.size; ++step) {
      const std::uint8_t op = in.Byte() % 3;
      const std::string section = PickName(in, model.names, kSections);
      std::vector<std::string> keyNames;
      if (Section* s = Find(model.bodies, section); s && s->keys) {
        for (const KeyValue& kv : *s->keys) keyNames.push_back(kv.name);
      }
      const std::string key = PickName(in, keyNames, kKeys);
      if (op == 0) {
        const std::string value = in.Text(in.Byte() % 40);
        const bool refused = HasLineBreakOrNul(value);
        if (WriteProfileString(section, key, value, file) == refused) std::abort();
        if (!refused) {
          const auto listed = [&](const std::string& n) { return NamesEqual(n, section); };
          if (!section.empty() && std::none_of(model.names.begin(), model.names.end(), listed)) {
            model.names.push_back(section);
            if (Section* gone = Find(model.bodies, section)) gone->keys = std::vector<KeyValue>{};
          }
          if (!Find(model.bodies, section)) model.bodies.push_back({section, std::vector<KeyValue>{}});
          Section& s = *Find(model.bodies, section);
          if (!s.keys) s.keys = Keys(file, section);  // the write's own result, checked below
          const std::string stored(StripQuotes(Trim(value, kProfileBlanks)));
          // The value goes to the first line of that name: its key, or a bare
          // line (invisible to reads) that becomes a key. So every key of the
          // name reads the new value, and one of them may be new.
          std::vector<KeyValue> updated = *s.keys;
          for (KeyValue& kv : updated) {
            if (NamesEqual(kv.name, key)) kv.value = stored;
          }
          std::vector<KeyValue> got = Keys(file, section), rest = got;
          const auto it = std::find_if(rest.begin(), rest.end(), [&](const KeyValue& kv) { return NamesEqual(kv.name, key); });
          if (it == rest.end() || it->value != stored) std::abort();
          rest.erase(it);
          if (!Same(got, updated) && !Same(rest, updated)) std::abort();
          s.keys = std::move(got);
        }
      } else if (op == 1) {
        if (!WriteProfileString(section, key, std::nullopt, file)) std::abort();
        if (Section* s = Find(model.bodies, section); s && s->keys) {
          // The first line of that name goes: its key (a later key of the name
          // then shows its own value), or a bare line before it, invisible to reads.
          const auto named = [&](const KeyValue& kv) { return NamesEqual(kv.name, key); };
          std::vector<KeyValue> after = *s->keys;
          if (const auto it = std::find_if(after.begin(), after.end(), named); it != after.end()) after.erase(it);
          std::vector<KeyValue> got = Keys(file, section);
          for (std::size_t i = 0; i < after.size() && i < got.size(); ++i) {
            if (named(after[i])) after[i].value = got[i].value;
          }
          if (!Same(got, after) && !Same(got, *s->keys)) std::abort();
          s->keys = std::move(got);
        }
      } else {
        if (!WriteProfileString(section, std::nullopt, std::nullopt, file)) std::abort();
        for (auto it = model.names.begin(); it != model.names.end(); ++it) {
          if (NamesEqual(*it, section)) {
            model.names.erase(it);
            break;
          }
        }
        if (Section* s = Find(model.bodies, section)) s->keys.reset();
      }
      // The step's own section and the section list now; the others below.
      const std::vector<std::string> names = ReadSections(file);
      if (!Same(names, model.names)) std::abort();
      if (Section* s = Find(model.bodies, section)) {
        const std::vector<KeyValue> got = Keys(file, section);
        if (s->keys && !Same(*s->keys, got)) std::abort();
        s->keys = got;
      }
    }
    Check(model, Read(file));
    if (!tx.Commit()) {
      const bool why = LastIniError().find("byte-order mark") != std::string::npos;
      if (!markBytesInImage || !why || io.files[file] != image) std::abort();
      return 0;
    }
  }
  Check(model, Read(file));
  return 0;
}
