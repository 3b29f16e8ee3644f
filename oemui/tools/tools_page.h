// The Tools page of the printer properties: an empty page (template 121)
// that hosts the Tools dialog (template 106) as its child, reports its
// result to the framework on apply and has the dialog refresh its buttons
// whenever the page comes to the front.
#pragma once

#include <cstdint>

#include "core/device_sheet_state.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

// PSM_UNCHANGED: the page has nothing left to apply.
inline constexpr UINT kPsmUnchanged = 0x0400 + 109;

class ToolsPage {
 public:
  ToolsPage(DialogPort& port, DeviceSheetState* sheet) : port_(port), sheet_(sheet) {}
  ~ToolsPage();
  ToolsPage(const ToolsPage&) = delete;
  ToolsPage& operator=(const ToolsPage&) = delete;

  // Makes the Tools dialog with |dialog_proc|, handing it |description|
  // (the page's PROPSHEETPAGEW). One Tools dialog lives in the process at
  // a time: while another page's is up, this page stays empty. 0, or 101
  // when the dialog cannot be made.
  std::uint32_t OnInit(LPARAM description, DLGPROC dialog_proc);
  // PSN_APPLY: CPSUI_OK for the page through the framework's callback, and
  // nothing left pending.
  void OnApply();
  // PSN_SETACTIVE: the dialog refreshes its buttons.
  void OnSetActive();

  HWND dialog() const { return dialog_; }

 private:
  DialogPort& port_;
  DeviceSheetState* sheet_;
  HWND dialog_ = nullptr;
};

// The module's one Tools dialog, null while there is none.
HWND LiveToolsDialog();

// The procedures of the page and of its dialog (win32/; no windows on
// Linux). The page gets the DeviceSheetState as its page parameter, the
// dialog the page's description.
INT_PTR CALLBACK ToolsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK ToolsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
