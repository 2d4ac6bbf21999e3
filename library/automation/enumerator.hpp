#pragma once
// The enumerator NewEnum hands out: a snapshot of a collection's items in
// position order with the IEnumVARIANT operations, so For Each sees the
// items as they were when the loop started.
#include <cstddef>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::automation {

class Enumerator final : public Object {
 public:
  explicit Enumerator(std::vector<Variant> items) : items_(std::move(items)) {}

  ClassId Class() const noexcept override { return ClassId::Enumerator; }

  // Copies up to `count` items from the current position into `out` and
  // advances; returns how many were copied (fewer than `count` at the end).
  std::size_t Next(std::size_t count, Variant* out);
  // Skips `count` items; false when fewer were left (the position then is the end).
  bool Skip(std::size_t count);
  void Reset() noexcept { position_ = 0; }
  // A new enumerator over the same items at the same position.
  Ref<Enumerator> Clone() const;

  std::size_t Size() const noexcept { return items_.size(); }

 private:
  std::vector<Variant> items_;
  std::size_t position_ = 0;
};

}  // namespace vantrel::automation
