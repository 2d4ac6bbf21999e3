// Seeded random operation sequences over small files with tricky content,
// drawn from the word lists of the case file (which say what they leave out).
#include <algorithm>
#include <random>
#include <stdexcept>

#include "compare.hpp"

namespace compare {

std::vector<Case> RandomCases(const CaseFile& file, std::uint32_t seed, int cases, int steps_per_case,
                              bool double_byte) {
  std::mt19937 rng(seed);
  const auto words = [&file](const std::string& name) -> const std::vector<std::string>& {
    const auto found = file.words.find(name);
    if (found == file.words.end() || found->second.empty()) throw std::runtime_error("no words " + name);
    return found->second;
  };
  const auto &kStartFiles = words("start"), &kSections = words("section"), &kBodySections = words("body_section");
  const auto &kKeys = words("key"), &kValues = words("value"), &kDefaults = words("default");
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
