// One printing-preferences sheet of a document, opened the way the universal
// driver opens it: on the platform's own CommonPropertySheetUIW, with the
// plug-in's DocumentPropertySheets added as a sheet function
// (CPSFUNC_ADD_PFNPROPSHEETUIW) that gets the OEMUIPSPARAM block.
//
// Wine's CommonPropertySheetUIW answers 0 to CPSFUNC_SET_RESULT and never
// calls a sheet function with PROPSHEETUI_REASON_SET_RESULT, so the plug-in
// would never be asked to write its settings back. The plug-in therefore
// gets a sheet callback of ours: it passes every request on to the
// platform's callback except CPSFUNC_SET_RESULT, which it carries out as the
// real framework does, by calling the plug-in's sheet function with the
// set-result reason and a SETRESULT_INFO. On Windows that one request would
// reach the platform's callback too; this host keeps the same path on both.
#pragma once

#include <string>
#include <vector>

#include "platform/framework_abi.h"

namespace kvt::tools {

// One call of the plug-in's DocumentPropertySheets.
struct SheetFunctionCall {
  WORD reason = 0;
  HRESULT answer = S_OK;
  ULONG_PTR result = 0;  // PROPSHEETUI_INFO::Result after the call
};

// One CPSFUNC_SET_RESULT request of the plug-in.
struct SetResultRequest {
  HANDLE page = nullptr;  // lParam1: the page that reports
  LRESULT result = 0;     // lParam2: CPSUI_OK, CPSUI_CANCEL, ...
  HRESULT answer = S_OK;  // what the plug-in's set-result call answered
};

class DocumentSheet {
 public:
  // |param| is the OEMUIPSPARAM the plug-in's sheet function receives as its
  // lParamInit; |title| is the sheet's caption.
  DocumentSheet(IPrintOemUI* plugin, OEMUIPSPARAM* param, std::wstring title);
  DocumentSheet(const DocumentSheet&) = delete;
  DocumentSheet& operator=(const DocumentSheet&) = delete;

  // The printer's properties instead of a document's: the plug-in's
  // DevicePropertySheets is the sheet function.
  void UseDeviceSheet() { device_ = true; }

  // A page of the host's own, added by the driver's sheet function after
  // the plug-in's pages. |page| must outlive Show.
  void AddPageAfterPlugin(const PROPSHEETPAGEW* page) { host_page_ = page; }
  // Pages added in place of the plug-in's sheet function (a baseline to
  // measure the plug-in's pages against); the plug-in is then not asked.
  void ReplacePluginWith(std::vector<const PROPSHEETPAGEW*> pages) {
    replacement_pages_ = std::move(pages);
  }

  // Shows the sheet and returns when it is closed, with what
  // CommonPropertySheetUIW answered and, in |*result|, what it reported.
  // One sheet at a time per process.
  LONG Show(HWND owner, DWORD* result);

  // The plug-in's PROPSHEETUI_INFO::UserData as it left it at its last call
  // (its PageContext while the sheet is up).
  ULONG_PTR plugin_user_data() const { return plugin_user_data_; }
  // What CPSFUNC_ADD_PFNPROPSHEETUIW answered for the plug-in's function.
  LONG_PTR plugin_handle() const { return plugin_handle_; }
  // What CPSFUNC_ADD_PROPSHEETPAGEW answered for the host's page.
  LONG_PTR host_page_handle() const { return host_page_handle_; }
  const std::vector<SheetFunctionCall>& calls() const { return calls_; }
  const std::vector<SetResultRequest>& set_results() const { return set_results_; }

 private:
  // The universal driver's own sheet function: adds the plug-in's and gives
  // the sheet its title.
  static LONG CALLBACK DriverSheetFunction(PPROPSHEETUI_INFO info, LPARAM param);
  // The plug-in's sheet function as the platform sees it.
  static LONG CALLBACK PluginSheetFunction(PPROPSHEETUI_INFO info, LPARAM param);
  // The sheet callback the plug-in gets.
  static LONG_PTR CALLBACK PluginSheetCallback(HANDLE sheet, UINT function, LPARAM param1,
                                               LPARAM param2);

  HRESULT CallPlugin(PROPSHEETUI_INFO* info, LPARAM param);
  LONG_PTR SetResult(HANDLE page, LRESULT result);

  // The platform's callbacks carry no pointer of ours.
  static DocumentSheet* current_;

  IPrintOemUI* plugin_;
  bool device_ = false;
  OEMUIPSPARAM* param_;
  std::wstring title_;
  HANDLE platform_sheet_ = nullptr;
  PFNCOMPROPSHEET platform_callback_ = nullptr;
  LONG_PTR plugin_handle_ = 0;
  const PROPSHEETPAGEW* host_page_ = nullptr;
  std::vector<const PROPSHEETPAGEW*> replacement_pages_;
  LONG_PTR host_page_handle_ = 0;
  ULONG_PTR plugin_user_data_ = 0;
  std::vector<SheetFunctionCall> calls_;
  std::vector<SetResultRequest> set_results_;
};

}  // namespace kvt::tools
