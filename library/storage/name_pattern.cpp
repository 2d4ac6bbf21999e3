#include "storage/name_pattern.hpp"

#include <vector>

#include "storage/case_fold.hpp"

namespace vantrel::storage {
namespace {

bool SameLetter(char16_t a, char16_t b) { return a == b || LowerChar(a) == LowerChar(b); }

// True when the pattern from `p` on holds only "*", "?" and "." characters:
// what is left can match an empty rest of the name.
bool OnlyWildcardsFrom(std::u16string_view pattern, std::size_t p) {
  return pattern.find_first_not_of(u"*?.", p) == std::u16string_view::npos;
}

class Matcher {
 public:
  Matcher(std::u16string_view pattern, std::u16string_view name)
      : pattern_(pattern), name_(name), lastDot_(name.rfind(u'.')),
        memo_((pattern.size() + 1) * (name.size() + 1), kUnknown) {}

  bool Match(std::size_t p, std::size_t n) {
    char& seen = memo_[p * (name_.size() + 1) + n];
    if (seen != kUnknown) return seen == kYes;
    const bool result = Compute(p, n);
    seen = result ? kYes : kNo;
    return result;
  }

 private:
  static constexpr char kUnknown = 0, kYes = 1, kNo = 2;

  bool Compute(std::size_t p, std::size_t n) {
    if (p == pattern_.size()) return n == name_.size();
    const char16_t c = pattern_[p];
    if (c == u'*') {
      // Any run, the empty one included; a "*" right before a "." stops at
      // the name's last dot, so "*." matches only names without one.
      std::size_t last = name_.size();
      if (p + 1 < pattern_.size() && pattern_[p + 1] == u'.' && lastDot_ != std::u16string_view::npos &&
          lastDot_ >= n) {
        last = lastDot_;
      }
      for (std::size_t k = n; k <= last; ++k) {
        if (Match(p + 1, k)) return true;
      }
      return false;
    }
    if (c == u'?') {
      if (n < name_.size() && Match(p + 1, n + 1)) return true;
      // At the end of the name, or before the dot that starts its extension,
      // a "?" may stand for nothing.
      return (n == name_.size() || n == lastDot_) && Match(p + 1, n);
    }
    if (c == u'.' && n == name_.size() && OnlyWildcardsFrom(pattern_, p + 1)) {
      // "x.*" and "*.*" also match names without an extension.
      return true;
    }
    return n < name_.size() && SameLetter(c, name_[n]) && Match(p + 1, n + 1);
  }

  std::u16string_view pattern_;
  std::u16string_view name_;
  std::size_t lastDot_;
  std::vector<char> memo_;
};

}  // namespace

bool MatchesNamePattern(std::u16string_view pattern, std::u16string_view name) {
  if (pattern == u"*.*" || pattern == u"*") return true;
  return Matcher(pattern, name).Match(0, 0);
}

}  // namespace vantrel::storage
