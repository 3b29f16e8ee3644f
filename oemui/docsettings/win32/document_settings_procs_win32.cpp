// The Document Settings page's and its sections' dialog procedures: each
// owns its object from WM_INITDIALOG to WM_DESTROY and hands it the window
// messages; the behaviour lives in the objects.
#include <windows.h>

#include <gdiplus.h>

#include <memory>

#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "oemui/docsettings/document_settings_page.h"
#include "oemui/docsettings/preset_sections.h"
#include "oemui/page_messages.h"

namespace kvt {
namespace {

// GDI+ is started by the page's initialisation and shut down with the page;
// the flag says whether a shutdown is owed, so a failed initialisation
// followed by WM_DESTROY shuts it down once.
ULONG_PTR g_gdiplus_token = 0;
bool g_gdiplus_started = false;

void StartGdiplus() {
  if (g_gdiplus_started) return;
  Gdiplus::GdiplusStartupInput input;
  g_gdiplus_started = Gdiplus::GdiplusStartup(&g_gdiplus_token, &input, nullptr) == Gdiplus::Ok;
}

void ShutDownGdiplus() {
  if (!g_gdiplus_started) return;
  g_gdiplus_started = false;
  Gdiplus::GdiplusShutdown(g_gdiplus_token);
}

struct PageState {
  PageState(HWND window, PageContext* context)
      : port(window),
        page(port, context, {&GeneralSectionProc, &PaperCutSectionProc, &OptionSectionProc}) {}
  Win32DialogPort port;
  DocumentSettingsPage page;
};

PageState* StateOf(HWND window) {
  return reinterpret_cast<PageState*>(GetWindowLongPtrW(window, DWLP_USER));
}

PageContext* ContextFromDescription(LPARAM lparam) {
  const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
  return description != nullptr ? reinterpret_cast<PageContext*>(description->lParam) : nullptr;
}

// The page's picture and list paint their own backgrounds: leaving them out
// of the page's erase keeps them from flickering while the splitter moves.
void ExcludePictureAndList(HWND page, HDC dc) {
  HWND preview = GetDlgItem(page, kPreviewId);
  HWND list = GetDlgItem(page, kSettingsListId);
  if (preview == nullptr || list == nullptr) return;
  RECT top_left;
  RECT bottom_right;
  GetWindowRect(preview, &top_left);
  GetWindowRect(list, &bottom_right);
  POINT corners[2] = {{top_left.left, top_left.top}, {bottom_right.right, bottom_right.bottom}};
  MapWindowPoints(nullptr, page, corners, 2);
  ExcludeClipRect(dc, corners[0].x - 1, corners[0].y - 1, corners[1].x + 1, corners[1].y + 1);
}

struct SectionState {
  SectionState(HWND window, PageContext* context, SectionKind kind)
      : port(window), section(port, context, kind) {}
  Win32DialogPort port;
  PresetSection section;
};

INT_PTR SectionMessage(SectionKind kind, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<SectionState*>(GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    auto made =
        std::make_unique<SectionState>(window, reinterpret_cast<PageContext*>(lparam), kind);
    const std::uint32_t code = made->section.OnInit();
    if (code == kResultOk)
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
    SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
    return FALSE;
  }
  if (message == WM_DESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    delete state;
    return FALSE;
  }
  if (state == nullptr) return FALSE;
  bool handled = false;
  const std::uint32_t code = state->section.Dispatch(message, wparam, lparam, &handled);
  if (handled) SetWindowLongPtrW(window, DWLP_MSGRESULT, static_cast<LONG_PTR>(code));
  return handled ? TRUE : FALSE;
}

}  // namespace

INT_PTR CALLBACK DocumentSettingsPageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PageState* state = StateOf(window);
  switch (message) {
    case WM_INITDIALOG: {
      StartGdiplus();
      auto made = std::make_unique<PageState>(window, ContextFromDescription(lparam));
      const std::uint32_t code = made->page.OnInit();
      if (code == kResultOk) {
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
        return TRUE;
      }
      made->page.frame().ShowFailure(code);
      made.reset();
      ShutDownGdiplus();
      return TRUE;
    }
    case WM_DESTROY:
      SetWindowLongPtrW(window, DWLP_USER, 0);
      delete state;
      ShutDownGdiplus();
      return FALSE;
    case WM_ERASEBKGND:
      if (state != nullptr) ExcludePictureAndList(window, reinterpret_cast<HDC>(wparam));
      return FALSE;
    case WM_DRAWITEM:
      return state != nullptr && wparam == static_cast<WPARAM>(kPresetComboId) &&
                     state->port.ComboDrawItem(kPresetComboId, lparam)
                 ? TRUE
                 : FALSE;
    default:
      break;
  }
  if (state == nullptr) return FALSE;
  bool handled = false;
  state->page.Dispatch(message, wparam, lparam, &handled);
  if (handled && message == WM_NOTIFY) SetWindowLongPtrW(window, DWLP_MSGRESULT, PSNRET_NOERROR);
  return handled ? TRUE : FALSE;
}

INT_PTR CALLBACK GeneralSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage(SectionKind::kGeneral, window, message, wparam, lparam);
}

INT_PTR CALLBACK PaperCutSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage(SectionKind::kPaperCut, window, message, wparam, lparam);
}

INT_PTR CALLBACK OptionSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage(SectionKind::kOption, window, message, wparam, lparam);
}

}  // namespace kvt
