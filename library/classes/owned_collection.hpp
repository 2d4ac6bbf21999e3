#pragma once
// A manager's collection property. Get hands out the held collection (making
// a new empty one first when it holds none, also after a Set to Nothing); Set
// stores the caller's object itself, so owner and caller share it; Renew puts
// a new empty collection in place at the start of a filling operation, while
// references obtained earlier keep the old items.
#include "automation/object.hpp"

namespace vantrel::classes {

template <class C>
class OwnedCollection {
 public:
  automation::Ref<C> Get() {
    if (!held_) held_ = automation::MakeRef<C>();
    return held_;
  }
  void Set(automation::Ref<C> collection) { held_ = std::move(collection); }
  automation::Ref<C> Renew() {
    held_ = automation::MakeRef<C>();
    return held_;
  }
  // The held collection without creating one (null when none).
  const automation::Ref<C>& Peek() const noexcept { return held_; }

 private:
  automation::Ref<C> held_;
};

}  // namespace vantrel::classes
