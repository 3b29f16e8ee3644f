// Linux has no spooler and so no forms: every form is unknown, as a handle
// the spooler does not recognise would be on Windows (ERROR_INVALID_HANDLE).
#include "platform/forms.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr std::uint32_t kErrorInvalidHandle = 6;

class HostForms final : public Forms {
 public:
  std::uint32_t NeededBytes(PrinterHandle, std::u16string_view) override {
    SetThreadLastError(kErrorInvalidHandle);
    return 0;
  }
  bool Read(PrinterHandle, std::u16string_view, void*, std::uint32_t, FormDimensions*) override {
    SetThreadLastError(kErrorInvalidHandle);
    return false;
  }
};

}  // namespace

template <>
Forms& DefaultService<Forms>() {
  static HostForms forms;
  return forms;
}

}  // namespace kvt
