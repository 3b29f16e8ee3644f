#include "tools/sheet_host/document_sheet.h"

namespace kvt::tools {

DocumentSheet* DocumentSheet::current_ = nullptr;

DocumentSheet::DocumentSheet(IPrintOemUI* plugin, OEMUIPSPARAM* param, std::wstring title)
    : plugin_(plugin), param_(param), title_(std::move(title)) {}

LONG DocumentSheet::Show(HWND owner, DWORD* result) {
  current_ = this;
  const LONG answer = CommonPropertySheetUIW(owner, DriverSheetFunction, 0, result);
  current_ = nullptr;
  return answer;
}

LONG CALLBACK DocumentSheet::DriverSheetFunction(PPROPSHEETUI_INFO info, LPARAM param) {
  DocumentSheet* self = current_;
  if (info == nullptr || self == nullptr) return 0;
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      if (!self->replacement_pages_.empty()) {
        for (const PROPSHEETPAGEW* page : self->replacement_pages_) {
          self->plugin_handle_ = info->pfnComPropSheet(
              info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(page), 0);
        }
      } else {
        self->plugin_handle_ = info->pfnComPropSheet(
            info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
            reinterpret_cast<LPARAM>(PluginSheetFunction), reinterpret_cast<LPARAM>(self->param_));
      }
      // The plug-in's function added its pages while it was being added,
      // so this page comes after them.
      if (self->host_page_ != nullptr) {
        self->host_page_handle_ =
            info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                  reinterpret_cast<LPARAM>(self->host_page_), 0);
      }
      info->Result = 0;
      return self->plugin_handle_ != 0;
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
      auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(param);
      header->pTitle = self->title_.data();
      header->hInst = GetModuleHandleW(nullptr);
      info->Result = 1;
      return 1;
    }
    default:
      info->Result = 1;
      return 1;
  }
}

LONG CALLBACK DocumentSheet::PluginSheetFunction(PPROPSHEETUI_INFO info, LPARAM param) {
  DocumentSheet* self = current_;
  if (info == nullptr || self == nullptr) return 0;
  if (info->Reason == PROPSHEETUI_REASON_INIT) {
    self->platform_sheet_ = info->hComPropSheet;
    self->platform_callback_ = info->pfnComPropSheet;
  }
  // The plug-in keeps the sheet handle but gets our callback.
  PROPSHEETUI_INFO plugin_info = *info;
  plugin_info.pfnComPropSheet = PluginSheetCallback;
  const HRESULT answer = self->CallPlugin(&plugin_info, param);
  info->UserData = plugin_info.UserData;
  info->Result = plugin_info.Result;
  return answer == S_OK ? 1 : 0;
}

LONG_PTR CALLBACK DocumentSheet::PluginSheetCallback(HANDLE sheet, UINT function, LPARAM param1,
                                                     LPARAM param2) {
  DocumentSheet* self = current_;
  if (self == nullptr || self->platform_callback_ == nullptr) return 0;
  if (function == CPSFUNC_SET_RESULT) {
    return self->SetResult(reinterpret_cast<HANDLE>(param1), static_cast<LRESULT>(param2));
  }
  return self->platform_callback_(sheet, function, param1, param2);
}

HRESULT DocumentSheet::CallPlugin(PROPSHEETUI_INFO* info, LPARAM param) {
  const HRESULT answer = device_ ? plugin_->DevicePropertySheets(info, param)
                                 : plugin_->DocumentPropertySheets(info, param);
  plugin_user_data_ = info->UserData;
  calls_.push_back({info->Reason, answer, info->Result});
  return answer;
}

// What the framework does for CPSFUNC_SET_RESULT: the sheet function that
// owns the reporting page hears the result through its set-result reason.
// Only the plug-in adds pages here, so it is always the plug-in's function.
LONG_PTR DocumentSheet::SetResult(HANDLE page, LRESULT result) {
  SETRESULT_INFO set_result = {};
  set_result.cbSize = sizeof set_result;
  set_result.hSetResult = page;
  set_result.Result = result;
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof info;
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.Reason = PROPSHEETUI_REASON_SET_RESULT;
  info.hComPropSheet = platform_sheet_;
  info.pfnComPropSheet = PluginSheetCallback;
  info.lParamInit = reinterpret_cast<LPARAM>(param_);
  info.UserData = plugin_user_data_;
  const HRESULT answer = CallPlugin(&info, reinterpret_cast<LPARAM>(&set_result));
  set_results_.push_back({page, result, answer});
  return answer == S_OK ? 1 : 0;
}

}  // namespace kvt::tools
