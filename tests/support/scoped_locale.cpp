#include "scoped_locale.hpp"

#include <cstdlib>

#include "storage/codepage.hpp"

namespace vantrel::storage::testing {

ScopedLocale::ScopedLocale(const char* lc_all) {
  if (const char* old = std::getenv("LC_ALL")) previous_ = old;
  ::setenv("LC_ALL", lc_all, 1);
  ResetAnsiCodePageForTesting();
}

ScopedLocale::~ScopedLocale() {
  if (previous_) ::setenv("LC_ALL", previous_->c_str(), 1);
  else ::unsetenv("LC_ALL");
  ResetAnsiCodePageForTesting();
}

}  // namespace vantrel::storage::testing
