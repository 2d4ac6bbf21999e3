#include "classes/keyed_collection.hpp"

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "storage/case_fold.hpp"

namespace vantrel::classes {

using automation::AutomationError;
using automation::Variant;
using automation::VarType;

// Keys compare without regard to letter case, Unicode-aware and independent
// of the process locale: they are kept in their lower-case form.
void KeyedItems::Add(automation::Ref<automation::Object> record, const automation::String& key) {
  automation::String folded = storage::LowerText(key);
  if (folded.empty()) {
    items_.push_back({std::move(record), nullptr});
    return;
  }
  const auto [at, added] = byKey_.try_emplace(std::move(folded), record.get());
  if (!added) throw AutomationError(automation::kDuplicateKey);
  try {
    items_.push_back({std::move(record), &at->first});
  } catch (...) {
    byKey_.erase(at);
    throw;
  }
}

std::size_t KeyedItems::IndexOf(const Variant& indexKey) const {
  switch (indexKey.Type()) {
    case VarType::String: {
      const auto found = byKey_.find(storage::LowerText(indexKey.AsString()));
      if (found == byKey_.end()) throw AutomationError(automation::kInvalidArgument);
      for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].foldedKey == &found->first) return i;
      throw AutomationError(automation::kInvalidArgument);  // not reached: the index mirrors the items
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

const automation::Ref<automation::Object>& KeyedItems::Item(const Variant& indexKey) const {
  return items_[IndexOf(indexKey)].record;
}

void KeyedItems::Remove(const Variant& indexKey) {
  const std::size_t index = IndexOf(indexKey);
  if (items_[index].foldedKey) byKey_.erase(byKey_.find(*items_[index].foldedKey));  // not by the node's own key
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

automation::Ref<automation::Enumerator> KeyedItems::NewEnum() const {
  std::vector<Variant> snapshot;
  snapshot.reserve(items_.size());
  for (const Entry& e : items_) snapshot.emplace_back(e.record);
  return automation::MakeRef<automation::Enumerator>(std::move(snapshot));
}

}  // namespace vantrel::classes
