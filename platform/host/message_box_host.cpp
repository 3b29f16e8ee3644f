// Linux has no windows: the owner operations do nothing and a box cannot be
// shown, which MessageBoxW reports with 0.
#include "platform/message_box.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostMessageBoxUi final : public MessageBoxUi {
 public:
  void EnableWindow(HWND, bool) override {}
  HWND Parent(HWND) override { return nullptr; }
  std::u16string WindowText(HWND, std::size_t) override { return {}; }
  int Show(HWND, std::u16string_view, std::u16string_view, UINT) override {
    SetThreadLastError(50);  // ERROR_NOT_SUPPORTED
    return 0;
  }
};

}  // namespace

template <>
MessageBoxUi& DefaultService<MessageBoxUi>() {
  static HostMessageBoxUi ui;
  return ui;
}

}  // namespace kvt
