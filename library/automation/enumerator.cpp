#include "automation/enumerator.hpp"

#include <algorithm>

namespace vantrel::automation {

std::size_t Enumerator::Next(std::size_t count, Variant* out) {
  const std::size_t n = std::min(count, items_.size() - position_);
  for (std::size_t i = 0; i < n; ++i) out[i] = items_[position_ + i];
  position_ += n;
  return n;
}

bool Enumerator::Skip(std::size_t count) {
  const std::size_t left = items_.size() - position_;
  if (count > left) {
    position_ = items_.size();
    return false;
  }
  position_ += count;
  return true;
}

Ref<Enumerator> Enumerator::Clone() const {
  auto copy = MakeRef<Enumerator>(items_);
  copy->position_ = position_;
  return copy;
}

}  // namespace vantrel::automation
