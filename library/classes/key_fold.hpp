#pragma once
// Collection keys and member names compare without regard to letter case,
// Unicode-aware and independent of the process locale: both sides are
// reduced to their lower-case form code point by code point.
#include <string>
#include <string_view>

namespace vantrel::classes {

std::u16string FoldKey(std::u16string_view text);

}  // namespace vantrel::classes
