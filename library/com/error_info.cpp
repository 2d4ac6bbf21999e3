#include "com/error_info.hpp"

#include <exception>
#include <new>
#include <string>

#include "automation/error.hpp"
#include "automation/text.hpp"
#include "com/convert.hpp"

namespace vantrel::com {
namespace {

constexpr std::int32_t kInternalError = 51;

}  // namespace

HRESULT ReportError(std::int32_t number, std::u16string_view description, REFIID iid,
                    std::u16string_view source) noexcept {
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    try {
      const std::wstring text = WideFrom(description);
      const std::wstring origin = WideFrom(source);
      create->SetGUID(iid);
      create->SetSource(const_cast<LPOLESTR>(origin.c_str()));
      create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
      IErrorInfo* info = nullptr;
      if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
      }
    } catch (...) {
      // No memory for the description: the number alone still reaches the caller.
    }
    create->Release();
  }
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<std::uint16_t>(number));
}

HRESULT ReportCurrentException(REFIID iid, std::u16string_view source) noexcept {
  try {
    throw;
  } catch (const automation::AutomationError& e) {
    return ReportError(e.Number(), e.Description(), iid, source);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    try {
      return ReportError(kInternalError, automation::FromUtf8(e.what()), iid, source);
    } catch (...) {
      return E_UNEXPECTED;
    }
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace vantrel::com
