#include "platform/window_port.h"

#include <windows.h>

#include <cwchar>

namespace kvt {
namespace {

// The framework shows a list item as a combo box or a list box; the two
// take different messages for the same question.
bool IsComboBox(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return ::_wcsicmp(name, L"ComboBox") == 0;
}

class Win32WindowPort final : public WindowPort {
 public:
  HWND ControlOf(HWND dialog, int id) override { return ::GetDlgItem(dialog, id); }
  HWND NextSibling(HWND window) override { return ::GetWindow(window, GW_HWNDNEXT); }
  std::uint32_t StyleOf(HWND window) override {
    return static_cast<std::uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE));
  }
  bool IsButtonChecked(HWND button) override {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetButtonChecked(HWND button, bool checked) override {
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  int ListSelection(HWND list) override {
    return static_cast<int>(
        ::SendMessageW(list, IsComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  }
  void SelectListRow(HWND list, int row) override {
    ::SendMessageW(list, IsComboBox(list) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row),
                   0);
  }
  HWND FocusedWindow() override { return ::GetFocus(); }
  void FocusWindow(HWND window) override { ::SetFocus(window); }
  LRESULT Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) override {
    return ::SendMessageW(target, message, wparam, lparam);
  }
  // The window's user data slot: the dialog manager leaves it to the page.
  void SetPageData(HWND page, void* data) override {
    ::SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  }
  void* PageData(HWND page) override {
    return reinterpret_cast<void*>(::GetWindowLongPtrW(page, GWLP_USERDATA));
  }
};

}  // namespace

template <>
WindowPort& DefaultService<WindowPort>() {
  static Win32WindowPort port;
  return port;
}

}  // namespace kvt
