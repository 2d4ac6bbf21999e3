#pragma once
// The 20 creatable classes as COM sees them, in catalogue order (index ==
// automation ClassId): CLSID, default interface and wrapper constructor.
// The table is generated from Vantrel.idl (generate_glue.py).
#include <windows.h>
#include <oleauto.h>

#include <span>

#include "automation/object.hpp"

namespace vantrel::com {

struct ComClass {
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* name;  // "Domains": ProgID "Vantrel.Domains"
  // A new wrapper around `target` with a count of zero.
  IDispatch* (*wrap)(automation::Ref<automation::Object> target);
};

std::span<const ComClass> ComClasses() noexcept;

}  // namespace vantrel::com
