// The Font page's, its sections' and its panel's dialog procedures: each
// owns its object from WM_INITDIALOG to WM_DESTROY and hands it the window
// messages; the behaviour lives in the objects.
#include <windows.h>

#include <memory>

#include "core/result_codes.h"
#include "oemui/fontpage/barcode_2d_font_section.h"
#include "oemui/fontpage/barcode_font_section.h"
#include "oemui/fontpage/control_a_font_section.h"
#include "oemui/fontpage/device_font_section.h"
#include "oemui/fontpage/font_page.h"
#include "oemui/fontpage/font_unavailable_panel.h"
#include "oemui/win32/page_frame_win32.h"

namespace kvt {
namespace {

struct PageState {
  PageState(HWND window, PageContext* context)
      : port(window),
        page(port, context,
             {&DeviceFontSectionProc, &BarcodeFontSectionProc, &Barcode2DFontSectionProc,
              &ControlAFontSectionProc, &FontUnavailablePanelProc}) {}
  Win32DialogPort port;
  FontPage page;
};

}  // namespace

INT_PTR CALLBACK FontPageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PageState* state = PageStateOf<PageState>(window);
  switch (message) {
    case WM_INITDIALOG:
      OpenPageState<PageState>(window, lparam);
      return TRUE;
    case WM_DESTROY:
      ClosePageState<PageState>(window);
      return FALSE;
    case WM_ERASEBKGND:
      if (state != nullptr) ExcludePictureAndList(window, reinterpret_cast<HDC>(wparam));
      return FALSE;
    default:
      break;
  }
  if (state == nullptr) return FALSE;
  bool handled = false;
  state->page.Dispatch(message, wparam, lparam, &handled);
  if (handled && message == WM_NOTIFY) SetWindowLongPtrW(window, DWLP_MSGRESULT, PSNRET_NOERROR);
  return handled ? TRUE : FALSE;
}

INT_PTR CALLBACK DeviceFontSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<DeviceFontSection>(window, message, wparam, lparam);
}

INT_PTR CALLBACK BarcodeFontSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<BarcodeFontSection>(window, message, wparam, lparam);
}

INT_PTR CALLBACK Barcode2DFontSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<Barcode2DFontSection>(window, message, wparam, lparam);
}

INT_PTR CALLBACK ControlAFontSectionProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<ControlAFontSection>(window, message, wparam, lparam);
}

INT_PTR CALLBACK FontUnavailablePanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return SectionMessage<FontUnavailablePanel>(window, message, wparam, lparam);
}

}  // namespace kvt
