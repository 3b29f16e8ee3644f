#include "platform/forms.h"

#include <windows.h>
#include <winspool.h>

#include <string>

namespace kvt {
namespace {

class Win32Forms final : public Forms {
 public:
  std::uint32_t NeededBytes(PrinterHandle printer, std::u16string_view form_name) override {
    std::wstring name(form_name.begin(), form_name.end());
    DWORD needed = 0;
    ::GetFormW(static_cast<HANDLE>(printer), name.data(), 1, nullptr, 0, &needed);
    return needed;
  }

  bool Read(PrinterHandle printer, std::u16string_view form_name, void* buffer, std::uint32_t size,
            FormDimensions* dimensions) override {
    // The buffer must at least hold the fixed part the spooler fills.
    if (size < sizeof(FORM_INFO_1W)) {
      ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return false;
    }
    std::wstring name(form_name.begin(), form_name.end());
    DWORD needed = 0;
    if (!::GetFormW(static_cast<HANDLE>(printer), name.data(), 1, static_cast<BYTE*>(buffer), size,
                    &needed)) {
      return false;
    }
    const auto* form = static_cast<const FORM_INFO_1W*>(buffer);
    dimensions->width = form->Size.cx;
    dimensions->height = form->Size.cy;
    return true;
  }
};

}  // namespace

template <>
Forms& DefaultService<Forms>() {
  static Win32Forms forms;
  return forms;
}

}  // namespace kvt
