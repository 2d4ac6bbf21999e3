#pragma once
// The reference-counted base of every automation object, and its smart
// pointer. Counting is intrusive so that a raw Object* can cross the C ABI
// and the COM glue and be adopted again without a side table.
#include <atomic>
#include <cstddef>
#include <utility>

#include "model/ids.hpp"  // ClassId, generated from Vantrel.idl

namespace vantrel::automation {

class Object {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  virtual ClassId Class() const noexcept = 0;

  void AddRef() const noexcept { refs_.fetch_add(1, std::memory_order_relaxed); }
  // Deletes the object when the last reference goes.
  void Release() const noexcept {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  long RefCount() const noexcept { return refs_.load(std::memory_order_relaxed); }

 private:
  mutable std::atomic<long> refs_{0};
};

// Owning pointer to an Object (or derived class); null means Nothing.
template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  // Takes a new reference to `p` (AddRef).
  explicit Ref(T* p) noexcept : p_(p) {
    if (p_) p_->AddRef();
  }
  Ref(const Ref& o) noexcept : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& o) noexcept : Ref(static_cast<T*>(o.get())) {}
  ~Ref() {
    if (p_) p_->Release();
  }
  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  // Adopts a reference the caller already owns (no AddRef).
  static Ref Adopt(T* p) noexcept {
    Ref r;
    r.p_ = p;
    return r;
  }
  // Gives up ownership without Release; the caller now owns one reference.
  T* Detach() noexcept { return std::exchange(p_, nullptr); }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  T& operator*() const noexcept { return *p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.p_ == b.p_; }

 private:
  T* p_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

// A Ref<T> from a Ref to a base when the object is of class T, else null.
template <class T, class U>
Ref<T> RefCast(const Ref<U>& r) noexcept {
  return Ref<T>(dynamic_cast<T*>(r.get()));
}

}  // namespace vantrel::automation
