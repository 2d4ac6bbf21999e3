#pragma once
// The container behind the seven collection classes: references to records
// in adding order (positions 1..Count), each with an optional key. Keys are
// non-empty and compared without regard to letter case. Every failing call
// leaves the container as it was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "automation/enumerator.hpp"
#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace vantrel::classes {

using automation::ClassId;
using automation::Ref;
using automation::String;

class KeyedItems {
 public:
  // Adds `record` under `key` (no key when empty). Error 457 when the key is
  // taken; the record is then not added.
  void Add(automation::Ref<automation::Object> record, const automation::String& key);

  // A number is a 1-based position (error 9 outside 1..Count); a String is a
  // key, even when it holds digits (error 5 when absent).
  const automation::Ref<automation::Object>& Item(const automation::Variant& indexKey) const;
  void Remove(const automation::Variant& indexKey);
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(items_.size()); }
  // The record under that key, or null (an empty key finds none).
  automation::Object* Find(const automation::String& key) const;

  // A fresh enumerator over the items in position order.
  automation::Ref<automation::Enumerator> NewEnum() const;

 private:
  struct Entry {
    automation::Ref<automation::Object> record;
    automation::String foldedKey;  // empty: reachable by position only
    std::size_t hash = 0;          // of foldedKey
  };
  static constexpr std::uint32_t kFree = 0xFFFFFFFFu;

  // A keyed item's position in items_, with part of its key's hash: a probe
  // past another key reads neither its item nor its key.
  struct Slot {
    std::uint32_t position = kFree;
    std::uint32_t tag = 0;
  };

  std::size_t IndexOf(const automation::Variant& indexKey) const;
  // The slot holding the item with that key, or the free slot where it would go.
  Slot& SlotOf(const automation::String& folded, std::size_t hash);
  std::uint32_t PositionOf(const automation::String& folded, std::size_t hash) const;
  void Reindex();

  std::vector<Entry> items_;
  // Open addressing, no node per key.
  std::vector<Slot> slots_;
  std::size_t keyed_ = 0;
};

// A collection class of record class `Record`.
template <class Record, automation::ClassId Id>
class Collection : public automation::Object {
 public:
  using RecordType = Record;
  static constexpr automation::ClassId kClassId = Id;
  automation::ClassId Class() const noexcept override { return Id; }

  Ref<Record> Item(const automation::Variant& indexKey) const {
    return Ref<Record>(static_cast<Record*>(items_.Item(indexKey).get()));
  }
  std::int32_t Count() const noexcept { return items_.Count(); }
  // The item under that key (letter case ignored), or null: a lookup with no error.
  Ref<Record> Find(const automation::String& key) const {
    return Ref<Record>(static_cast<Record*>(items_.Find(key)));
  }
  void Remove(const automation::Variant& indexKey) { items_.Remove(indexKey); }
  automation::Ref<automation::Enumerator> NewEnum() const { return items_.NewEnum(); }

 protected:
  Ref<Record> Insert(Ref<Record> record, const automation::String& key) {
    items_.Add(record, key);
    return record;
  }

 private:
  KeyedItems items_;
};

}  // namespace vantrel::classes
