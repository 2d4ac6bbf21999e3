#pragma once
// One COM object per automation object: wrapping the same object twice gives
// the same interface pointer, so a script's `Is` and Set-then-Get see one
// object, as the collection properties promise.
#include <windows.h>
#include <oleauto.h>

#include <atomic>

#include "automation/object.hpp"

namespace vantrel::com {

// What every wrapper offers the boundary code besides its interfaces.
class WrapperBase {
 public:
  virtual const automation::Ref<automation::Object>& Target() const noexcept = 0;
  virtual IDispatch* Dispatch() noexcept = 0;  // no AddRef

 protected:
  ~WrapperBase() = default;
};

// Private interface id under which a wrapper hands out its WrapperBase
// (AddRef'ed through the returned wrapper's Dispatch()).
extern const IID kIidWrapper;

// The wrapper of `object` (created when it has none), AddRef'ed; null for Nothing.
IDispatch* WrapObject(const automation::Ref<automation::Object>& object);

// The automation object behind one of our interface pointers; null for a
// foreign object.
automation::Ref<automation::Object> UnwrapObject(IUnknown* unknown) noexcept;

// Called by a wrapper whose count fell to zero: forgets it unless the count
// was raised again meanwhile. True when the wrapper may delete itself.
bool ForgetWrapper(const automation::Object* object, const std::atomic<long>& refs) noexcept;

}  // namespace vantrel::com
