#include "classes/keyed_collection.hpp"

#include <algorithm>
#include <functional>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "storage/case_fold.hpp"

namespace vantrel::classes {

using automation::AutomationError;
using automation::Variant;
using automation::VarType;

// Keys compare without regard to letter case, Unicode-aware and independent
// of the process locale: they are kept in their lower-case form.
namespace {
std::uint32_t TagOf(std::size_t hash) { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32); }
}  // namespace

void KeyedItems::Add(automation::Ref<automation::Object> record, const automation::String& key) {
  automation::String folded = storage::LowerText(key);
  const bool keyed = !folded.empty();
  const std::size_t hash = keyed ? std::hash<automation::String>{}(folded) : 0;
  Slot* slot = keyed && !slots_.empty() ? &SlotOf(folded, hash) : nullptr;
  if (slot != nullptr && slot->position != kFree) throw AutomationError(automation::kDuplicateKey);
  // Everything that can fail comes first, so a failed Add changes nothing.
  if (items_.size() == items_.capacity()) items_.reserve(items_.size() * 2 + 1);
  std::vector<Slot> grown;
  if (keyed && (keyed_ + 1) * 2 + 2 > slots_.size()) grown.resize(std::max<std::size_t>(16, slots_.size() * 2));
  items_.push_back({std::move(record), std::move(folded), hash});
  if (!keyed) return;
  if (!grown.empty()) {
    slots_.swap(grown);
    Reindex();
    return;
  }
  *slot = {static_cast<std::uint32_t>(items_.size() - 1), TagOf(hash)};
  ++keyed_;
}

KeyedItems::Slot& KeyedItems::SlotOf(const automation::String& folded, std::size_t hash) {
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t tag = TagOf(hash);
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.position == kFree) return slot;
    if (slot.tag == tag && items_[slot.position].hash == hash && items_[slot.position].foldedKey == folded) return slot;
  }
}

std::uint32_t KeyedItems::PositionOf(const automation::String& folded, std::size_t hash) const {
  return const_cast<KeyedItems*>(this)->SlotOf(folded, hash).position;
}

// Refills the table at its size (it has room: never allocates).
void KeyedItems::Reindex() {
  keyed_ = 0;
  std::fill(slots_.begin(), slots_.end(), Slot{});
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].foldedKey.empty()) continue;
    SlotOf(items_[i].foldedKey, items_[i].hash) = {static_cast<std::uint32_t>(i), TagOf(items_[i].hash)};
    ++keyed_;
  }
}

std::size_t KeyedItems::IndexOf(const Variant& indexKey) const {
  switch (indexKey.Type()) {
    case VarType::String: {
      const automation::String folded = storage::LowerText(indexKey.AsString());
      const std::uint32_t found =
          folded.empty() || slots_.empty() ? kFree : PositionOf(folded, std::hash<automation::String>{}(folded));
      if (found == kFree) throw AutomationError(automation::kInvalidArgument);
      return found;
    }
    case VarType::Empty:
    case VarType::I2:
    case VarType::I4:
    case VarType::R8:
    case VarType::Date:
    case VarType::Bool: {
      const std::int32_t position = automation::ToLong(indexKey);
      if (position < 1 || position > Count()) throw AutomationError(automation::kSubscriptOutOfRange);
      return static_cast<std::size_t>(position - 1);
    }
    default: throw AutomationError(automation::kTypeMismatch);
  }
}

automation::Object* KeyedItems::Find(const automation::String& key) const {
  if (slots_.empty()) return nullptr;
  const automation::String folded = storage::LowerText(key);
  const std::uint32_t found = folded.empty() ? kFree : PositionOf(folded, std::hash<automation::String>{}(folded));
  return found == kFree ? nullptr : items_[found].record.get();
}

const automation::Ref<automation::Object>& KeyedItems::Item(const Variant& indexKey) const {
  return items_[IndexOf(indexKey)].record;
}

void KeyedItems::Remove(const Variant& indexKey) {
  const std::size_t index = IndexOf(indexKey);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  Reindex();  // the later items moved up one place
}

automation::Ref<automation::Enumerator> KeyedItems::NewEnum() const {
  std::vector<Variant> snapshot;
  snapshot.reserve(items_.size());
  for (const Entry& e : items_) snapshot.emplace_back(e.record);
  return automation::MakeRef<automation::Enumerator>(std::move(snapshot));
}

}  // namespace vantrel::classes
