// The Watermark page's dialog procedure: it owns the page object from
// WM_INITDIALOG to WM_DESTROY, hands it the window messages, and draws
// what only a window can: the Image list's rows, the grid's picture, and
// the white behind the grid's buttons.
#include <windows.h>

#include <memory>

#include "core/module_state.h"
#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "oemui/watermark/position_grid.h"
#include "oemui/watermark/watermark_page.h"
#include "oemui/win32/page_frame_win32.h"
#include "resources/watermark_page_ids.h"

namespace kvt {
namespace {

struct PageState {
  PageState(HWND window, PageContext* context) : port(window), page(port, context) {}
  Win32DialogPort port;
  WatermarkPage page;
};

// The paper under the grid, greyed while the grid is disabled; the buttons
// on it are repainted after it.
void DrawGridPicture(HWND page, const DRAWITEMSTRUCT& item, bool enabled) {
  HBITMAP picture = LoadBitmapW(
      ModuleInstance(), MAKEINTRESOURCEW(enabled ? kGridPictureId : kGridPictureDisabledId));
  HDC memory = CreateCompatibleDC(item.hDC);
  if (picture != nullptr && memory != nullptr) {
    BITMAP size = {};
    GetObjectW(picture, sizeof(size), &size);
    HGDIOBJ old = SelectObject(memory, picture);
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
               item.rcItem.bottom - item.rcItem.top, memory, 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
    SelectObject(memory, old);
  }
  if (memory != nullptr) DeleteDC(memory);
  if (picture != nullptr) DeleteObject(picture);
  for (int position = 0; position < kGridPositions; ++position) {
    if (HWND button = GetDlgItem(page, GridButtonId(position)))
      InvalidateRect(button, nullptr, TRUE);
  }
}

}  // namespace

INT_PTR CALLBACK WatermarkPageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PageState* state = PageStateOf<PageState>(window);
  switch (message) {
    case WM_INITDIALOG:
      OpenPageState<PageState>(window, lparam);
      return TRUE;
    case WM_DESTROY:
      ClosePageState<PageState>(window);
      return FALSE;
    case WM_DRAWITEM: {
      if (state == nullptr || lparam == 0) return FALSE;
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.CtlID == IDC_WATERMARK_IMAGE_COMBO) {
        return state->port.ComboDrawItem(IDC_WATERMARK_IMAGE_COMBO, lparam) ? TRUE : FALSE;
      }
      if (item.CtlID == IDC_WATERMARK_POSITION_PICTURE) {
        DrawGridPicture(window, item, state->page.GridEnabled());
        return TRUE;
      }
      return FALSE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (state != nullptr &&
          WatermarkPage::IsGridButton(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)))) {
        SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
      }
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

}  // namespace kvt
