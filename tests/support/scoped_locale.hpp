#pragma once
// A code page other than the one the test process started with, for one scope.
#include <optional>
#include <string>

namespace vantrel::storage::testing {

class ScopedLocale {
 public:
  explicit ScopedLocale(const char* lc_all);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace vantrel::storage::testing
