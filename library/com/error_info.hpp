#pragma once
// Automation errors at the COM boundary: the error number becomes the
// HRESULT 0x800A0000 | number (FACILITY_CONTROL), and the description travels
// in an IErrorInfo, so a script sees Err.Number and Err.Description.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string_view>

namespace vantrel::com {

HRESULT ReportError(std::int32_t number, std::u16string_view description, REFIID iid,
                    std::u16string_view source) noexcept;

// Maps the exception being handled to an HRESULT (call inside a catch block):
// automation errors as above, out of memory as E_OUTOFMEMORY, anything else
// as automation error 51 (internal error) with its message.
HRESULT ReportCurrentException(REFIID iid, std::u16string_view source) noexcept;

}  // namespace vantrel::com
