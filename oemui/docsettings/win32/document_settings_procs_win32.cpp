// The Document Settings page's and its sections' dialog procedures: each
// owns its object from WM_INITDIALOG to WM_DESTROY and hands it the window
// messages; the behaviour lives in the objects.
#include <windows.h>

#include <gdiplus.h>

#include <memory>

#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "core/module_state.h"
#include "oemui/docsettings/document_settings_page.h"
#include "oemui/docsettings/general_section.h"
#include "oemui/docsettings/paper_cut_section.h"
#include "oemui/docsettings/option_section.h"
#include "oemui/page_messages.h"
#include "oemui/win32/page_frame_win32.h"

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

// An arrow button: a push button's face with the 13 x 13 arrow centred on
// it, its mask ANDed in first and the image ORed over it, so the face
// shows through around the arrow; a disabled one shows the arrow greyed.
bool DrawArrowButton(const DRAWITEMSTRUCT& item) {
  std::uint32_t image_id = 0;
  std::uint32_t mask_id = 0;
  if (item.CtlType != ODT_BUTTON ||
      !ArrowBitmaps(static_cast<int>(item.CtlID), &image_id, &mask_id))
    return false;
  RECT face = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  HBITMAP image = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(image_id));
  HBITMAP mask = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(mask_id));
  HDC memory = CreateCompatibleDC(item.hDC);
  if (image != nullptr && mask != nullptr && memory != nullptr) {
    constexpr int kSize = 13;
    const int x = (item.rcItem.left + item.rcItem.right - kSize) / 2 + (pushed ? 1 : 0);
    const int y = (item.rcItem.top + item.rcItem.bottom - kSize) / 2 + (pushed ? 1 : 0);
    HGDIOBJ old = SelectObject(memory, mask);
    if ((item.itemState & ODS_DISABLED) != 0) {
      // Disabled: the arrow's shape in the grey of disabled text, the face
      // kept where the mask is white (destination where the source is
      // white, the brush where it is black).
      constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
      HGDIOBJ old_brush = SelectObject(item.hDC, GetSysColorBrush(COLOR_GRAYTEXT));
      BitBlt(item.hDC, x, y, kSize, kSize, memory, 0, 0, kBrushWhereSourceBlack);
      SelectObject(item.hDC, old_brush);
    } else {
      BitBlt(item.hDC, x, y, kSize, kSize, memory, 0, 0, SRCAND);
      SelectObject(memory, image);
      BitBlt(item.hDC, x, y, kSize, kSize, memory, 0, 0, SRCPAINT);
    }
    SelectObject(memory, old);
  }
  if (memory != nullptr) DeleteDC(memory);
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
  }
  return true;
}

}  // namespace

INT_PTR CALLBACK DocumentSettingsPageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PageState* state = PageStateOf<PageState>(window);
  switch (message) {
    case WM_INITDIALOG:
      StartGdiplus();
      // A page that could not start keeps no state, and GDI+ goes with it.
      if (OpenPageState<PageState>(window, lparam) != kResultOk) ShutDownGdiplus();
      return TRUE;
    case WM_DESTROY:
      ClosePageState<PageState>(window);
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
  if (message == WM_DRAWITEM && lparam != 0 &&
      DrawArrowButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) {
    return TRUE;
  }
  return SectionMessage<GeneralSection>(window, message, wparam, lparam);
}

INT_PTR CALLBACK PaperCutSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<PaperCutSection>(window, message, wparam, lparam);
}

}  // namespace kvt
