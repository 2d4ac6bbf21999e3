#pragma once
// Prepares the by-reference arguments of a late-bound method call before it
// reaches ITypeInfo::Invoke, for the two cases Wine's oleaut32 gets wrong
// (UserList.Add's sKey is the library's one typed by-reference parameter):
//   - an omitted optional parameter with a default: Wine passes the default
//     by value where the method expects a pointer;
//   - a script variable (VT_VARIANT | VT_BYREF) for a typed by-reference
//     parameter: Wine refuses it with a type mismatch.
// The call then carries a pointer to a converted copy. The library never
// writes through by-reference parameters, so nothing needs copying back.
#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace vantrel::com {

class ByRefArguments {
 public:
  ByRefArguments() = default;
  ~ByRefArguments();
  ByRefArguments(const ByRefArguments&) = delete;
  ByRefArguments& operator=(const ByRefArguments&) = delete;

  // The arguments to pass on: `params` itself, or a prepared copy that lives
  // as long as this object. Calls with named arguments pass unchanged.
  DISPPARAMS* Prepare(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params);

 private:
  std::vector<VARIANT> values_;  // the copies the prepared arguments point to
  std::vector<VARIANTARG> args_;
  DISPPARAMS prepared_{};
};

}  // namespace vantrel::com
