#include "platform/option_page.h"

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

class Win32OptionPage final : public OptionPage {
 public:
  HWND Control(HWND page, int id) override { return ::GetDlgItem(page, id); }
  HWND Next(HWND window) override { return ::GetWindow(window, GW_HWNDNEXT); }
  std::uint32_t Style(HWND window) override {
    return static_cast<std::uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE));
  }
  bool IsChecked(HWND button) override {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(HWND button, bool checked) override {
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  int Selection(HWND list) override {
    return static_cast<int>(
        ::SendMessageW(list, IsComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  }
  void Select(HWND list, int row) override {
    ::SendMessageW(list, IsComboBox(list) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row),
                   0);
  }
  HWND Focus() override { return ::GetFocus(); }
  void SetFocus(HWND window) override { ::SetFocus(window); }
  void Send(HWND window, UINT message) override { ::SendMessageW(window, message, 0, 0); }
};

}  // namespace

template <>
OptionPage& DefaultService<OptionPage>() {
  static Win32OptionPage page;
  return page;
}

}  // namespace kvt
