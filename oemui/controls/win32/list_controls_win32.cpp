#include "oemui/controls/win32/list_controls_win32.h"

#include "core/result_codes.h"
#include "oemui/controls/control_attachment.h"

namespace kvt {

// Guarded by the sheet's UI thread: pages, and so these windows, are only
// ever made there; the unload check runs when no sheet is open.
bool g_classes_registered = false;

void RegisterListControls() {
  if (g_classes_registered) return;
  const HMODULE module = OwnModule();
  g_classes_registered = RegisterPreviewClass(module) && RegisterSplitterClass(module) &&
                         RegisterTreeViewClass(module);
}

void UnregisterListControls() {
  // A class stays registered after its module is unloaded, its window
  // procedure pointing at freed code; the next load at another address would
  // find the class "already registered" and crash on the first window.
  if (!g_classes_registered) return;
  const HMODULE module = OwnModule();
  ::UnregisterClassW(kPreviewClass, module);
  ::UnregisterClassW(kSplitterClass, module);
  ::UnregisterClassW(kTreeViewClass, module);
  g_classes_registered = false;
}

HWND ReplacePlaceholder(HWND dialog, int id, const wchar_t* window_class, DWORD style,
                        DWORD ex_style, int extra_height, void* param) {
  HWND placeholder = ::GetDlgItem(dialog, id);
  if (placeholder == nullptr) return nullptr;
  RECT rect;
  ::GetWindowRect(placeholder, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  // Keep what the template said about visibility, disabling and tab stops.
  const DWORD kept = static_cast<DWORD>(::GetWindowLongPtrW(placeholder, GWL_STYLE)) &
                     (WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(placeholder, WM_GETFONT, 0, 0));
  if (font == nullptr) font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
  HWND window =
      ::CreateWindowExW(ex_style, window_class, L"", WS_CHILD | style | kept, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top + extra_height, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), OwnModule(), param);
  if (window == nullptr) return nullptr;
  // Same place in the tab order as the control it stands in for.
  ::SetWindowPos(window, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (font != nullptr) ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::DestroyWindow(placeholder);
  return window;
}

bool RegisterCustomWindowClass(HMODULE module, WNDPROC procedure, LPCWSTR cursor,
                               const wchar_t* name) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module;
  window_class.hCursor = ::LoadCursorW(nullptr, cursor);
  window_class.lpszClassName = name;
  return ::RegisterClassExW(&window_class) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

COLORREF ToColorRef(const PaintColour& colour) {
  return colour.system ? ::GetSysColor(static_cast<int>(colour.value))
                       : static_cast<COLORREF>(colour.value);
}

// Shared by the three custom-window factories.
std::uint32_t CreateCustomWindow(HWND dialog, int id, const wchar_t* window_class, DWORD style,
                                 DWORD ex_style) {
  RegisterListControls();
  if (::GetDlgItem(dialog, id) == nullptr) return kResultInvalid;
  HWND window = ReplacePlaceholder(dialog, id, window_class, style, ex_style, 0, nullptr);
  if (window == nullptr || FindControlObject(window) == nullptr) return kResultBindingFailed;
  return kResultOk;
}

std::uint32_t CreatePreviewControl(HWND dialog, int id) {
  return CreateCustomWindow(dialog, id, kPreviewClass, 0, WS_EX_CLIENTEDGE);
}

std::uint32_t CreateSplitterControl(HWND dialog, int id) {
  return CreateCustomWindow(dialog, id, kSplitterClass, 0, 0);
}

std::uint32_t CreateTreeViewControl(HWND dialog, int id) {
  return CreateCustomWindow(dialog, id, kTreeViewClass, WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

}  // namespace kvt
