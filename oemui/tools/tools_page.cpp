#include "oemui/tools/tools_page.h"

#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/tools/tools_dialog.h"
#include "platform/last_error.h"
#include "resources/tools_page_ids.h"

namespace kvt {
namespace {

HWND g_tools_dialog = nullptr;

}  // namespace

HWND LiveToolsDialog() { return g_tools_dialog; }

ToolsPage::~ToolsPage() {
  // The dialog is the page's child and goes with it.
  if (dialog_ != nullptr && dialog_ == g_tools_dialog) g_tools_dialog = nullptr;
}

std::uint32_t ToolsPage::OnInit(LPARAM description, DLGPROC dialog_proc) {
  if (g_tools_dialog != nullptr) {
    const std::uint32_t error = GetThreadLastError();
    WriteDriverLog(LogSource{kModuleDriverUi, __LINE__, error, kLogWarning, L"Tools"},
                   sheet_ != nullptr && sheet_->pOemCuipParam != nullptr
                       ? sheet_->pOemCuipParam->hPrinter
                       : nullptr,
                   L"Tools dialog already open");
    return kResultOk;
  }
  dialog_ = port_.CreateChildDialog(IDD_TOOLS_DIALOG, dialog_proc, description);
  if (dialog_ == nullptr) return kResultNoWindowState;
  g_tools_dialog = dialog_;
  return kResultOk;
}

void ToolsPage::OnApply() {
  if (sheet_ != nullptr && sheet_->pfnComPropSheet != nullptr) {
    sheet_->pfnComPropSheet(sheet_->hComPropSheet, CPSFUNC_SET_RESULT,
                            reinterpret_cast<LPARAM>(sheet_->hToolPage), CPSUI_OK);
  }
  port_.Send(port_.Parent(), kPsmUnchanged, reinterpret_cast<WPARAM>(port_.Window()), 0);
}

void ToolsPage::OnSetActive() {
  if (dialog_ != nullptr) port_.Send(dialog_, kMsgToolsRefresh, 0, 0);
}

}  // namespace kvt
