#include "platform/message_box.h"

#include <windows.h>

#include <vector>

namespace kvt {
namespace {

class Win32MessageBoxUi final : public MessageBoxUi {
 public:
  void EnableWindow(HWND window, bool enable) override { ::EnableWindow(window, enable); }

  HWND Parent(HWND window) override { return ::GetParent(window); }

  std::u16string WindowText(HWND window, std::size_t capacity) override {
    if (window == nullptr || capacity == 0) return {};
    std::vector<wchar_t> buffer(capacity, L'\0');
    const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(capacity));
    if (length <= 0) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                          static_cast<std::size_t>(length));
  }

  int Show(HWND owner, std::u16string_view text, std::u16string_view title, UINT style) override {
    const std::wstring wide_text(text.begin(), text.end());
    const std::wstring wide_title(title.begin(), title.end());
    return ::MessageBoxW(owner, wide_text.c_str(), wide_title.c_str(), style);
  }
};

}  // namespace

template <>
MessageBoxUi& DefaultService<MessageBoxUi>() {
  static Win32MessageBoxUi ui;
  return ui;
}

}  // namespace kvt
