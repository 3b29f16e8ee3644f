#include "platform/page_window.h"

#include <windows.h>

namespace kvt {
namespace {

// The window's user data slot: the dialog manager leaves it to the page.
class Win32PageWindow final : public PageWindow {
 public:
  void SetPageData(HWND page, void* data) override {
    ::SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  }
  void* PageData(HWND page) override {
    return reinterpret_cast<void*>(::GetWindowLongPtrW(page, GWLP_USERDATA));
  }
};

}  // namespace

template <>
PageWindow& DefaultService<PageWindow>() {
  static Win32PageWindow window;
  return window;
}

}  // namespace kvt
