// A dialog for trying custom controls under wine: an in-memory template
// with the controls a test names, shown modeless, a message pump that gives
// up after a timeout, and a record of what the dialog heard.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kvt::wine_test {

// One control of the template, in dialog units.
struct ControlSpec {
  std::wstring window_class;  // "Edit", "Button", "msctls_updown32", ...
  std::wstring text;
  int id;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added
  short x, y, cx, cy;
};

// A message that reached the dialog procedure.
struct Heard {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

class TestDialog {
 public:
  // Creates and shows the dialog; window() is null when that failed.
  TestDialog(const std::wstring& title, short cx, short cy,
             const std::vector<ControlSpec>& controls);
  ~TestDialog();
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  HWND window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  // Dispatches the thread's messages (through the dialog manager) until
  // |done| answers true or |timeout_ms| passed; answers |done|'s last word.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);
  // Dispatches whatever is queued now.
  void PumpPending();

  // The |message|s the dialog procedure saw, in order; it keeps WM_COMMAND,
  // WM_NEXTDLGCTL, WM_KEYDOWN, WM_TIMER and every message from WM_USER up.
  std::vector<Heard> HeardOf(UINT message) const;
  void ClearHeard() { heard_.clear(); }

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  std::vector<Heard> heard_;
};

// Puts |text| on the clipboard as Unicode text.
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace kvt::wine_test
