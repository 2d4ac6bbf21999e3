#include "storage/codepage.hpp"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#endif

namespace vantrel::storage {
namespace {

enum class CharShape { SingleByte, Utf8, DoubleByte };

struct CodePage {
  std::string name;
  CharShape shape = CharShape::SingleByte;
  // Double-byte code pages: which bytes start a two-byte character.
  bool lead[256] = {};
};

#ifndef _WIN32
std::string Normalised(std::string name) {
  std::string out;
  for (char c : name) {
    if (c == '-' || c == '_') continue;
    out.push_back(static_cast<char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
  }
  return out;
}

std::string LocaleCodeset() {
  const char* chosen = nullptr;
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(var);
    if (value != nullptr && *value != '\0') {
      chosen = value;
      break;
    }
  }
  if (chosen == nullptr) return "UTF-8";
  const std::string locale_name(chosen);
  if (locale_name == "C" || locale_name == "POSIX") return "UTF-8";
  // Ask the locale itself without touching the process-wide locale.
  if (locale_t loc = newlocale(LC_CTYPE_MASK, chosen, static_cast<locale_t>(nullptr))) {
    std::string codeset = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
    if (!codeset.empty() && codeset != "ANSI_X3.4-1968") return codeset;
  }
  // Not installed: take the codeset named in "lang_TERRITORY.codeset@modifier".
  const std::size_t dot = locale_name.find('.');
  if (dot == std::string::npos) return "UTF-8";
  std::string codeset = locale_name.substr(dot + 1);
  const std::size_t at = codeset.find('@');
  if (at != std::string::npos) codeset.resize(at);
  return codeset.empty() ? "UTF-8" : codeset;
}
#endif

CodePage Detect() {
  CodePage cp;
#ifdef _WIN32
  const UINT acp = GetACP();
  cp.name = "CP" + std::to_string(acp);
  if (acp == CP_UTF8) {
    cp.shape = CharShape::Utf8;
    cp.name = "UTF-8";
  } else {
    CPINFO info{};
    if (GetCPInfo(acp, &info) && info.MaxCharSize == 2) {
      cp.shape = CharShape::DoubleByte;
      for (int b = 0; b < 256; ++b) cp.lead[b] = IsDBCSLeadByteEx(acp, static_cast<BYTE>(b)) != 0;
    }
  }
#else
  cp.name = LocaleCodeset();
  const std::string n = Normalised(cp.name);
  auto set_lead = [&cp](int from, int to) {
    for (int b = from; b <= to; ++b) cp.lead[b] = true;
  };
  if (n == "UTF8") {
    cp.shape = CharShape::Utf8;
    cp.name = "UTF-8";
  } else if (n == "SJIS" || n == "SHIFTJIS" || n == "CP932" || n == "WINDOWS31J" || n == "MSKANJI") {
    cp.shape = CharShape::DoubleByte;
    set_lead(0x81, 0x9F);
    set_lead(0xE0, 0xFC);
  } else if (n == "GBK" || n == "CP936" || n == "GB18030" || n == "BIG5" || n == "BIG5HKSCS" || n == "CP950" ||
             n == "CP949" || n == "UHC") {
    cp.shape = CharShape::DoubleByte;
    set_lead(0x81, 0xFE);
  } else if (n == "EUCJP" || n == "EUCKR" || n == "EUCCN" || n == "GB2312" || n == "EUCTW") {
    cp.shape = CharShape::DoubleByte;
    set_lead(0x8E, 0x8F);
    set_lead(0xA1, 0xFE);
  }
#endif
  return cp;
}

// Detected once; parsing asks for it at every character, so the common path
// is one atomic load. Replaced code pages are kept (tests only) so that a
// reference handed out earlier stays valid.
std::mutex g_mutex;
std::atomic<const CodePage*> g_code_page{nullptr};
std::vector<std::unique_ptr<CodePage>> g_detected;

const CodePage& Current() {
  if (const CodePage* cp = g_code_page.load(std::memory_order_acquire)) return *cp;
  std::lock_guard<std::mutex> lock(g_mutex);
  if (const CodePage* cp = g_code_page.load(std::memory_order_acquire)) return *cp;
  g_detected.push_back(std::make_unique<CodePage>(Detect()));
  g_code_page.store(g_detected.back().get(), std::memory_order_release);
  return *g_detected.back();
}

#ifndef _WIN32
// ASCII text reads the same in UTF-8: no converter needs opening for it.
template <typename Char>
bool IsAscii(std::basic_string_view<Char> text) {
  for (Char c : text) {
    if (static_cast<std::uint32_t>(c) >= 0x80) return false;
  }
  return true;
}

// One conversion direction with iconv; bad input units become '?'.
template <typename Out>
Out Convert(const std::string& from, const std::string& to, const char* data, std::size_t size,
            std::size_t unit) {
  Out out;
  if (size == 0) return out;
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter: pass ASCII through and mark the rest.
    for (std::size_t i = 0; i < size; i += unit) {
      unsigned value = 0;
      for (std::size_t k = 0; k < unit; ++k) value |= static_cast<unsigned char>(data[i + k]) << (8 * k);
      out.push_back(static_cast<typename Out::value_type>(value < 0x80 ? value : '?'));
    }
    return out;
  }
  std::string buffer(size * 4 + 16, '\0');
  char* in = const_cast<char*>(data);
  std::size_t in_left = size;
  std::string produced;
  auto flush = [&](char* end) { produced.append(buffer.data(), static_cast<std::size_t>(end - buffer.data())); };
  while (in_left > 0) {
    char* out_ptr = buffer.data();
    std::size_t out_left = buffer.size();
    const std::size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    flush(out_ptr);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: replace one input unit (a surrogate pair counts once).
    std::string question;
    if (to == "UTF-16LE") {
      question = std::string("?\0", 2);
    } else {
      question = "?";
    }
    produced += question;
    std::size_t skip = std::min(unit, in_left);
    if (unit == 2 && in_left >= 4) {
      const unsigned first = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
      if (first >= 0xD800 && first <= 0xDBFF) skip = 4;
    }
    in += skip;
    in_left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  if constexpr (sizeof(typename Out::value_type) == 1) {
    out.assign(produced.begin(), produced.end());
  } else {
    for (std::size_t i = 0; i + 1 < produced.size(); i += 2) {
      out.push_back(static_cast<char16_t>(static_cast<unsigned char>(produced[i]) |
                                          (static_cast<unsigned char>(produced[i + 1]) << 8)));
    }
  }
  return out;
}
#endif

}  // namespace

std::string AnsiCodePageName() { return Current().name; }

void ResetAnsiCodePageForTesting() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_code_page.store(nullptr, std::memory_order_release);
}

bool AnsiTrailBytesCanLookLikeAscii() { return Current().shape == CharShape::DoubleByte; }

std::size_t AnsiCharLength(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 1;
  const CodePage& cp = Current();
  const auto b = static_cast<unsigned char>(bytes[pos]);
  std::size_t length = 1;
  switch (cp.shape) {
    case CharShape::SingleByte:
      break;
    case CharShape::DoubleByte:
      if (cp.lead[b]) length = 2;
      break;
    case CharShape::Utf8: {
      std::size_t want = 1;
      if (b >= 0xC2 && b <= 0xDF) want = 2;
      else if (b >= 0xE0 && b <= 0xEF) want = 3;
      else if (b >= 0xF0 && b <= 0xF4) want = 4;
      // Only continuation bytes extend the character.
      length = 1;
      while (length < want && pos + length < bytes.size() &&
             (static_cast<unsigned char>(bytes[pos + length]) & 0xC0) == 0x80) {
        ++length;
      }
      if (length < want) length = 1;
      break;
    }
  }
  return std::min(length, bytes.size() - pos);
}

std::size_t AnsiWholeCharPrefix(std::string_view bytes, std::size_t limit) {
  if (limit >= bytes.size()) return bytes.size();
  std::size_t pos = 0;
  while (pos < limit) {
    const std::size_t length = AnsiCharLength(bytes, pos);
    if (pos + length > limit) break;
    pos += length;
  }
  return pos;
}

std::string ToAnsi(std::u16string_view text) {
#ifdef _WIN32
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, out.data(), size, "?", nullptr);
  return out;
#else
  const CodePage& cp = Current();
  if (cp.shape == CharShape::Utf8 && IsAscii(text)) return std::string(text.begin(), text.end());
  const std::string codeset = cp.name;
  return Convert<std::string>("UTF-16LE", codeset, reinterpret_cast<const char*>(text.data()),
                              text.size() * 2, 2);
  // (char16_t data is little-endian on every platform this builds for.)
#endif
}

std::u16string FromAnsi(std::string_view bytes) {
#ifdef _WIN32
  if (bytes.empty()) return {};
  const int count = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, reinterpret_cast<wchar_t*>(out.data()), size);
  return out;
#else
  const CodePage& cp = Current();
  if (cp.shape == CharShape::Utf8 && IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  const std::string codeset = cp.name;
  return Convert<std::u16string>(codeset, "UTF-16LE", bytes.data(), bytes.size(), 1);
#endif
}

}  // namespace vantrel::storage
