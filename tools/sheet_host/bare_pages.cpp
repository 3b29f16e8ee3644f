#include "tools/sheet_host/bare_pages.h"

#include "tools/sheet_host/window_automation.h"

namespace kvt::tools {

BarePages::BarePages() {
  // DLGTEMPLATE without controls, the size of the plug-in's page templates:
  // style, extended style, no items, x, y, cx, cy, no menu, the default
  // class, no caption, then the font.
  const DWORD style = DS_SETFONT | DS_CONTROL | WS_CHILD;
  template_ = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 360, 230, 0, 0, 0, 8};
  for (const wchar_t* c = L"MS Shell Dlg"; *c != L'\0'; ++c) template_.push_back(*c);
  template_.push_back(0);
  for (int i = 0; i < kCount; ++i) {
    titles_[i] = L"Bare " + std::to_wstring(i + 1);
    PROPSHEETPAGEW& page = pages_[i];
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(template_.data());
    page.pszTitle = titles_[i].c_str();
    page.pfnDlgProc = DialogProc;
  }
}

FirstPaintClock* FirstPaintClock::current_ = nullptr;

FirstPaintClock::FirstPaintClock() {
  current_ = this;
  QueryPerformanceCounter(&start_);
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
}

FirstPaintClock::~FirstPaintClock() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  current_ = nullptr;
}

double FirstPaintClock::milliseconds() const {
  if (!seen_) return -1;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(painted_.QuadPart - start_.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK FirstPaintClock::OnMessage(int code, WPARAM wparam, LPARAM lparam) {
  FirstPaintClock* self = current_;
  if (code == HC_ACTION && wparam == PM_REMOVE && self != nullptr && !self->seen_) {
    const MSG* message = reinterpret_cast<const MSG*>(lparam);
    if (message->message == WM_PAINT) {
      HWND sheet = FindPropertySheet(GetCurrentThreadId());
      if (sheet != nullptr && PropSheet_IndexToHwnd(sheet, 0) == message->hwnd) {
        QueryPerformanceCounter(&self->painted_);
        self->seen_ = true;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace kvt::tools
