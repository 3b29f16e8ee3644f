#include "tests/wine/controls/test_dialog.h"

#include <commctrl.h>

#include <cstring>

namespace kvt::wine_test {
namespace {

// Appends |value| to a template buffer of WORDs.
void Put(std::vector<WORD>& buffer, WORD value) { buffer.push_back(value); }

void PutDword(std::vector<WORD>& buffer, DWORD value) {
  buffer.push_back(LOWORD(value));
  buffer.push_back(HIWORD(value));
}

void PutString(std::vector<WORD>& buffer, const std::wstring& text) {
  for (wchar_t ch : text) buffer.push_back(static_cast<WORD>(ch));
  buffer.push_back(0);
}

// Items start on a DWORD boundary of the template.
void AlignDword(std::vector<WORD>& buffer) {
  if (buffer.size() % 2 != 0) buffer.push_back(0);
}

std::vector<WORD> BuildTemplate(const std::wstring& title, short cx, short cy,
                                const std::vector<ControlSpec>& controls) {
  std::vector<WORD> t;
  PutDword(t, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE);
  PutDword(t, 0);  // extended style
  Put(t, static_cast<WORD>(controls.size()));
  Put(t, 10);  // x
  Put(t, 10);  // y
  Put(t, static_cast<WORD>(cx));
  Put(t, static_cast<WORD>(cy));
  Put(t, 0);  // no menu
  Put(t, 0);  // the standard dialog class
  PutString(t, title);
  Put(t, 8);  // point size
  PutString(t, L"MS Shell Dlg");
  for (const ControlSpec& control : controls) {
    AlignDword(t);
    PutDword(t, control.style | WS_CHILD | WS_VISIBLE);
    PutDword(t, 0);
    Put(t, static_cast<WORD>(control.x));
    Put(t, static_cast<WORD>(control.y));
    Put(t, static_cast<WORD>(control.cx));
    Put(t, static_cast<WORD>(control.cy));
    Put(t, static_cast<WORD>(control.id));
    PutString(t, control.window_class);
    PutString(t, control.text);
    Put(t, 0);  // no creation data
  }
  return t;
}

}  // namespace

TestDialog::TestDialog(const std::wstring& title, short cx, short cy,
                       const std::vector<ControlSpec>& controls) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&init);
  std::vector<WORD> dialog_template = BuildTemplate(title, cx, cy, controls);
  window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                       reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()),
                                       nullptr, Proc, reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
  PumpPending();
}

TestDialog::~TestDialog() {
  if (window_ != nullptr) DestroyWindow(window_);
  PumpPending();
}

INT_PTR CALLBACK TestDialog::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    return TRUE;
  }
  auto* self = reinterpret_cast<TestDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND || message == WM_NEXTDLGCTL || message == WM_KEYDOWN ||
      message == WM_TIMER || message >= WM_USER) {
    self->heard_.push_back({message, wparam, lparam});
  }
  return FALSE;
}

void TestDialog::PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (window_ != nullptr && IsDialogMessageW(window_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool TestDialog::PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (GetTickCount() - start >= timeout_ms) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::vector<Heard> TestDialog::HeardOf(UINT message) const {
  std::vector<Heard> found;
  for (const Heard& heard : heard_) {
    if (heard.message == message) found.push_back(heard);
  }
  return found;
}

bool SetClipboardText(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (block != nullptr) {
    if (void* memory = GlobalLock(block)) {
      std::memcpy(memory, text.c_str(), bytes);
      GlobalUnlock(block);
      placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    }
    if (!placed) GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}

}  // namespace kvt::wine_test
