// The Tools page's and the Tools dialog's procedures: they own the page and
// dialog objects from WM_INITDIALOG to WM_DESTROY, hand them the window
// messages, and do what only a window can: sizing to the parent, the white
// panel behind the versions and the failure that closes the sheet.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <memory>

#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/tools_dialog.h"
#include "oemui/tools/tools_page.h"
#include "resources/tools_page_ids.h"

namespace kvt {
namespace {

struct PageState {
  PageState(HWND window, DeviceSheetState* sheet) : port(window), page(port, sheet) {}
  Win32DialogPort port;
  ToolsPage page;
};

struct DialogState {
  DialogState(HWND window, const DeviceSheetState* sheet, HINSTANCE instance)
      : port(window), dialog(port, sheet, instance) {}
  Win32DialogPort port;
  ToolsDialog dialog;
};

template <typename State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, DWLP_USER));
}

// Keeps |window| inside its parent's client area.
void FitIntoParent(HWND window, bool fill) {
  RECT client = {};
  RECT own = {};
  if (!GetClientRect(GetParent(window), &client) || !GetWindowRect(window, &own)) return;
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&own), 2);
  const int left = fill ? 0 : own.left;
  const int top = fill ? 0 : own.top;
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  if (fill || width > client.right - left) width = client.right - left;
  if (fill || height > client.bottom - top) height = client.bottom - top;
  if (width != own.right - own.left || height != own.bottom - own.top || left != own.left ||
      top != own.top) {
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool IsPanelText(int id) {
  return id == IDC_TOOLS_TITLE || id == IDC_TOOLS_FILE_VERSION ||
         (id >= IDC_TOOLS_ROW_FIRST_LABEL && id < IDC_TOOLS_PANEL_LINE);
}

INT_PTR OpenDialog(HWND window, LPARAM lparam) {
  const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
  FitIntoParent(window, true);
  auto state = std::make_unique<DialogState>(
      window,
      description != nullptr ? reinterpret_cast<const DeviceSheetState*>(description->lParam)
                             : nullptr,
      description != nullptr ? description->hInstance : nullptr);
  const std::uint32_t code = state->dialog.OnInit();
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
  if (code == kResultOk) return TRUE;
  ShowCodedMessage(__LINE__, window, code, kMbIconError);
  if (code == kResultNoWindowState || code == kResultUnreadable) {
    // The sheet cannot work without its printer: closed as if cancelled.
    PostMessageW(GetParent(GetParent(window)), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK ToolsDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DialogState* state = StateOf<DialogState>(window);
  switch (message) {
    case WM_INITDIALOG:
      return OpenDialog(window, lparam);
    case WM_CLOSE:
      DestroyWindow(window);
      return TRUE;
    case WM_DESTROY:
      SetWindowLongPtrW(window, DWLP_USER, 0);
      delete state;
      return FALSE;
    default:
      break;
  }
  // After a failed set-up the dialog stays without state and ignores input.
  if (state == nullptr || state->dialog.state() == nullptr) return FALSE;
  switch (message) {
    case kMsgToolsRefresh:
      state->dialog.OnRefresh();
      return TRUE;
    case WM_COMMAND: {
      const std::uint32_t code = state->dialog.OnCommand(LOWORD(wparam), HIWORD(wparam));
      if (code != kResultOk) ShowCodedMessage(__LINE__, window, code, kMbIconError);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint = {};
      HDC dc = BeginPaint(window, &paint);
      const DialogRect panel = state->dialog.PanelRect();
      const RECT rect = {panel.left, panel.top, panel.right, panel.bottom};
      if (rect.right > rect.left && rect.bottom > rect.top) {
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      }
      EndPaint(window, &paint);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      if (IsPanelText(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)))) {
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ToolsPageProc(HWND window, UINT message, WPARAM, LPARAM lparam) {
  PageState* state = StateOf<PageState>(window);
  switch (message) {
    case WM_INITDIALOG: {
      FitIntoParent(window, false);
      const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lparam);
      auto made = std::make_unique<PageState>(
          window, description != nullptr ? reinterpret_cast<DeviceSheetState*>(description->lParam)
                                         : nullptr);
      const std::uint32_t code = made->page.OnInit(lparam, &ToolsDialogProc);
      if (made->page.dialog() != nullptr) ShowWindow(made->page.dialog(), SW_SHOW);
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
      if (code != kResultOk) {
        ShowCodedMessage(__LINE__, window, code, kMbIconError);
        PostMessageW(GetParent(window), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      }
      return TRUE;
    }
    case WM_DESTROY:
      SetWindowLongPtrW(window, DWLP_USER, 0);
      delete state;
      return FALSE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (state == nullptr || header == nullptr) return FALSE;
      if (header->code == PSN_APPLY) {
        state->page.OnApply();
        SetWindowLongPtrW(window, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      if (header->code == PSN_SETACTIVE) {
        state->page.OnSetActive();
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      if (header->code == PSN_KILLACTIVE) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, FALSE);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace kvt
