// Seeded random operation sequences over small files with tricky content.
// The vocabulary stays clear of the documented Wine/Windows differences (']'
// inside section names, '[' lines without ']', tabs around requested names,
// requested keys starting with ';', comment lines (a deleted section keeps them), blanks
// around written values, a UTF-8 byte order mark, line breaks in written text,
// blank-padded names in whole-section writes),
// which the rule cases cover one by one.
#include <random>
#include <utility>

#include "compare.hpp"

namespace compare {
namespace {

using namespace std::string_literals;

const std::vector<std::string> kStartFilesSingleByte = {
    "",
    "[s]\r\nk=v\r\n",
    "loose=1\r\n[s]\r\nk=v\r\nK2 = \"q v\" \r\n\r\n[T]\r\na=1\r\na=2\r\nbare\r\n[s]\r\nk=later\r\n",
    "[s]\nk=v\nx=\n[t]\n  y  =  'z'  \n",
    "[s]\rk=v\r[u v]\rw=0x1F\r",
    "[s]\r\n=empty name\r\nk=1\r\n[t]\r\n[S]\r\nk=2",
    "[ s ] tail\r\n  k = 12abc \r\n[\xE9t\xE9]\r\n\xE9=\xFF\r\n",
    "orphan=o\r\n\r\n\r\n[t]\r\nk=\"\"\r\n\r\n",
    "[a]\r\nk=1\r\n[b]\r\nk=2\r\n[c]\r\nk=3\r\n[d]\r\n",
};

const std::vector<std::string> kSectionsSingleByte = {"s", "S", "t", "T", "u v", "a", "b", "c", "d", "new", "\xE9t\xE9",
                                            "", " s ", "missing"};
// Blank-padded names are left out of whole-section writes: there kernel32
// trims the name for adding the lines but not for clearing the old ones.
const std::vector<std::string> kBodySectionsSingleByte = {"s", "S", "t", "T", "u v", "a", "b", "c", "d", "new", "\xE9t\xE9",
                                                "", "missing"};
const std::vector<std::string> kKeysSingleByte = {"k", "K", "k2", "a", "x", "y", "w", "loose", "\xE9", "n", "new key", " k ",
                                        "bare"};
const std::vector<std::string> kValuesSingleByte = {"v", "", "\"q\"", "'z'", "a=b", "1", "0x10", "-5", "12abc",
                                          "x;y|z", "\"  inner  \"", "\xFF\x80", "later", std::string(40, 'L')};
const std::vector<std::string> kDefaults = {"dflt", "", "d  ", "   ", "\"dq\""};

// In a double-byte code page the single-byte high characters become
// double-byte ones (trail bytes that look like ']', '\\' and '[' included).
std::string ForCodePage(std::string text, bool double_byte) {
  if (!double_byte) return text;
  const std::pair<std::string, std::string> swaps[] = {
      {"\xE9t\xE9", "\x83\x5D\x83\x41"}, {"\xE9", "\x83\x41"}, {"\xFF\x80", "\x82\xA0\x83\x5C"},
      {"\xFF", "\x83\x5B"}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool swapped = false;
    for (const auto& [from, to] : swaps) {
      if (text.compare(i, from.size(), from) == 0) {
        out += to;
        i += from.size();
        swapped = true;
        break;
      }
    }
    if (!swapped) out += text[i++];
  }
  return out;
}

std::vector<std::string> ForCodePage(const std::vector<std::string>& texts, bool double_byte) {
  std::vector<std::string> out;
  for (const std::string& text : texts) out.push_back(ForCodePage(text, double_byte));
  return out;
}

}  // namespace

std::vector<Case> RandomCases(std::uint32_t seed, int cases, int steps_per_case, bool double_byte) {
  std::mt19937 rng(seed);
  const std::vector<std::string> kStartFiles = ForCodePage(kStartFilesSingleByte, double_byte);
  const std::vector<std::string> kSections = ForCodePage(kSectionsSingleByte, double_byte);
  const std::vector<std::string> kBodySections = ForCodePage(kBodySectionsSingleByte, double_byte);
  const std::vector<std::string> kKeys = ForCodePage(kKeysSingleByte, double_byte);
  const std::vector<std::string> kValues = ForCodePage(kValuesSingleByte, double_byte);
  auto pick = [&rng](const std::vector<std::string>& from) -> const std::string& {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
  };
  auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
  std::vector<Case> out;
  for (int c = 0; c < cases; ++c) {
    Case one;
    one.name = "random " + std::to_string(seed) + "/" + std::to_string(c + 1);
    if (chance(90)) one.content = pick(kStartFiles);
    for (int s = 0; s < steps_per_case; ++s) {
      const std::uint32_t size = chance(80) ? 256u : std::uniform_int_distribution<std::uint32_t>(0, 24)(rng);
      switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
        case 0:
        case 1:
          one.ops.push_back(Get(pick(kSections), pick(kKeys), pick(kDefaults), size));
          break;
        case 2:
          // Double-byte list cuts differ (kernel32 cuts lists by characters): left to the rule cases.
          one.ops.push_back(Get(chance(50) ? std::optional<std::string>(pick(kSections)) : std::nullopt,
                                std::nullopt, pick(kDefaults), double_byte ? 256u : size));
          break;
        case 3:
          one.ops.push_back(GetInt(pick(kSections), pick(kKeys), chance(50) ? -3 : 77));
          break;
        case 4:
          one.ops.push_back(GetSec(pick(kSections), std::max<std::uint32_t>(size, 2)));
          break;
        case 5:
        case 6:
          one.ops.push_back(Put(pick(kSections), pick(kKeys), pick(kValues)));
          break;
        case 7:
          one.ops.push_back(Put(pick(kSections), pick(kKeys), std::nullopt));
          break;
        case 8:
          if (chance(30)) one.ops.push_back(Put(pick(kSections), std::nullopt, "x"));
          else one.ops.push_back(PutSec(pick(kBodySections), std::nullopt));
          break;
        default: {
          std::string body;
          const int lines = std::uniform_int_distribution<int>(0, 3)(rng);
          for (int l = 0; l < lines; ++l) {
            if (l > 0) body += '\0';
            body += chance(85) ? pick(kKeys) + "=" + pick(kValues) : "noequals";
          }
          one.ops.push_back(PutSec(pick(kBodySections), body));
          break;
        }
      }
    }
    out.push_back(std::move(one));
  }
  return out;
}

}  // namespace compare
