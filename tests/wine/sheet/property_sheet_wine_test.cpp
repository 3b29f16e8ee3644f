// What wine's own CommonPropertySheetUIW does with sheet functions and their
// requests, pinned so that the sheet host's stand-in for the missing part
// stays justified, and that stand-in itself (DocumentSheet's set-result
// callback) on wine's real sheet with a plug-in of the test's own.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/framework_abi.h"
#include "tools/sheet_host/document_sheet.h"
#include "tools/sheet_host/sheet_script.h"

namespace {

using kvt::tools::SheetScript;
using kvt::tools::SheetScriptOptions;

constexpr DWORD kSheetTimeoutMs = 30000;

// An empty page: a child dialog template built in memory.
class PageTemplate {
 public:
  PageTemplate() : words_(32, 0) {
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words_.data());
    dialog->style = WS_CHILD | WS_DISABLED | DS_CONTROL | DS_SETFONT;
    dialog->cx = 200;
    dialog->cy = 120;
    WORD* p = words_.data() + sizeof(DLGTEMPLATE) / sizeof(WORD);
    p += 3;    // no menu, default class, no caption
    *p++ = 8;  // point size
    for (const wchar_t* c = L"MS Shell Dlg"; *c != L'\0'; ++c) *p++ = static_cast<WORD>(*c);
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

const PageTemplate& Template() {
  static const PageTemplate page;
  return page;
}

// Adds one page whose procedure reports CPSUI_OK on PSN_APPLY, as the
// plug-in's pages do; answers the handle the callback gave the page.
struct ReportingPage {
  HANDLE sheet = nullptr;
  PFNCOMPROPSHEET callback = nullptr;
  HANDLE handle = nullptr;
  LONG_PTR set_result_answer = -1;
};
ReportingPage* reporting_page = nullptr;

INT_PTR CALLBACK ReportingPageProc(HWND page, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == PSN_APPLY &&
      reporting_page != nullptr) {
    reporting_page->set_result_answer =
        reporting_page->callback(reporting_page->sheet, CPSFUNC_SET_RESULT,
                                 reinterpret_cast<LPARAM>(reporting_page->handle), CPSUI_OK);
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

HANDLE AddReportingPage(HANDLE sheet, PFNCOMPROPSHEET callback) {
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
  page.pResource = Template().get();
  page.pszTitle = L"Reporting";
  page.pfnDlgProc = ReportingPageProc;
  HPROPSHEETPAGE created = CreatePropertySheetPageW(&page);
  const LONG_PTR handle =
      callback(sheet, CPSFUNC_ADD_HPROPSHEETPAGE, reinterpret_cast<LPARAM>(created), 0);
  if (reporting_page != nullptr) {
    reporting_page->sheet = sheet;
    reporting_page->callback = callback;
    reporting_page->handle = reinterpret_cast<HANDLE>(handle);
  }
  return reinterpret_cast<HANDLE>(handle);
}

// ---------------------------------------------------------------------------
// Wine's own sheet, with a top function and one added function.

struct Observed {
  HANDLE top_sheet = nullptr;
  LONG_PTR added = 0;
  int param_of_child = 0;  // the child's lParamInit points here
  std::vector<WORD> top_reasons;
  std::vector<WORD> child_reasons;
  WORD child_version = 0;
  LPARAM child_init = 0;
  HANDLE child_sheet = nullptr;
  ULONG_PTR child_user_data_at_destroy = 0;
  LONG_PTR set_result = -1;
  LONG_PTR page_count = -1;
};
Observed* observed = nullptr;

LONG CALLBACK ChildFunction(PPROPSHEETUI_INFO info, LPARAM) {
  observed->child_reasons.push_back(info->Reason);
  if (info->Reason == PROPSHEETUI_REASON_INIT) {
    observed->child_version = info->Version;
    observed->child_init = info->lParamInit;
    observed->child_sheet = info->hComPropSheet;
    const HANDLE page = AddReportingPage(info->hComPropSheet, info->pfnComPropSheet);
    observed->set_result = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_SET_RESULT,
                                                 reinterpret_cast<LPARAM>(page), CPSUI_OK);
    observed->page_count = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_GET_PAGECOUNT, 0, 0);
    info->UserData = 0x5EED;
  } else if (info->Reason == PROPSHEETUI_REASON_DESTROY) {
    observed->child_user_data_at_destroy = info->UserData;
  }
  info->Result = 1;
  return 1;
}

LONG CALLBACK TopFunction(PPROPSHEETUI_INFO info, LPARAM param) {
  observed->top_reasons.push_back(info->Reason);
  if (info->Reason == PROPSHEETUI_REASON_INIT) {
    observed->top_sheet = info->hComPropSheet;
    observed->added = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
                                            reinterpret_cast<LPARAM>(ChildFunction),
                                            reinterpret_cast<LPARAM>(&observed->param_of_child));
    return observed->added != 0;
  }
  if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER) {
    reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(param)->pTitle = const_cast<LPWSTR>(L"Pinned");
  }
  info->Result = 1;
  return 1;
}

class WineSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    observed = &observed_;
    reporting_page = &page_;
  }
  void TearDown() override {
    observed = nullptr;
    reporting_page = nullptr;
  }

  // Opens the sheet and presses |button| once its page has been shown.
  LONG Show(int button, DWORD* result) {
    SheetScriptOptions options;
    options.press = button;
    options.timeout_ms = kSheetTimeoutMs;
    SheetScript script(options);
    const LONG answer = CommonPropertySheetUIW(nullptr, TopFunction, 0, result);
    EXPECT_FALSE(script.timed_out());
    return answer;
  }

  Observed observed_;
  ReportingPage page_;
};

// One sheet per button. What wine does with an added function: Version
// 0x100, its parameter, the sheet's own handle (not the one it answered for
// the function); set-result and page count answered 0, and neither report
// reaches the added function. The sheet reports OK whichever button closed it.
TEST_F(WineSheet, AddedFunctionsRequestsAndTheSheetsResult) {
  for (const int button : {PSBTN_OK, PSBTN_CANCEL}) {
    SCOPED_TRACE(button);
    observed_ = Observed();
    DWORD result = 99;
    EXPECT_EQ(Show(button, &result), 1);
    EXPECT_EQ(result, static_cast<DWORD>(CPSUI_OK));
    // The top function hears a reason 5 before its set-up (Version 0).
    ASSERT_FALSE(observed_.top_reasons.empty());
    EXPECT_EQ(observed_.top_reasons.front(), 5);
    EXPECT_NE(observed_.added, 0);
    EXPECT_EQ(observed_.child_version, 0x100);
    EXPECT_EQ(observed_.child_init, reinterpret_cast<LPARAM>(&observed_.param_of_child));
    EXPECT_EQ(observed_.child_sheet, observed_.top_sheet);
    EXPECT_NE(reinterpret_cast<HANDLE>(observed_.added), observed_.top_sheet);
    EXPECT_EQ(observed_.child_user_data_at_destroy, 0x5EEDu);
    EXPECT_EQ(observed_.set_result, 0);
    EXPECT_EQ(observed_.page_count, 0);
    const std::vector<WORD> child = {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_DESTROY};
    EXPECT_EQ(observed_.child_reasons, child);
  }
  EXPECT_EQ(page_.set_result_answer, 0) << "the page's report on PSN_APPLY";
}

// ---------------------------------------------------------------------------
// The sheet host's DocumentSheet with a plug-in that only has pages.

class PagePlugin final : public IPrintOemUI {
 public:
  struct Call {
    WORD reason;
    LPARAM init;
    ULONG_PTR user_data;
    HANDLE set_result_page;
    LRESULT set_result;
  };

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) override {
    Call call = {info->Reason, info->lParamInit, info->UserData, nullptr, 0};
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
      page = AddReportingPage(info->hComPropSheet, info->pfnComPropSheet);
      info->UserData = 0xC0DE;
    } else if (info->Reason == PROPSHEETUI_REASON_SET_RESULT) {
      const auto* set_result = reinterpret_cast<const SETRESULT_INFO*>(param);
      call.set_result_page = set_result->hSetResult;
      call.set_result = set_result->Result;
      info->Result = static_cast<ULONG_PTR>(set_result->Result);
    }
    calls.push_back(call);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD, PVOID, DWORD, PDWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DevMode(DWORD, POEMDMPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD, POEMCUIPPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                            PVOID) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW,
                                               PVOID, DWORD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG, void*,
                                              ULONG*, FLONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override {
    return E_NOTIMPL;
  }

  HANDLE page = nullptr;
  std::vector<Call> calls;
};

class SheetHostSetResult : public ::testing::Test {
 protected:
  void SetUp() override { reporting_page = &page_; }
  void TearDown() override { reporting_page = nullptr; }

  kvt::tools::DocumentSheet* Show(int button) {
    sheet_ = std::make_unique<kvt::tools::DocumentSheet>(&plugin_, &param_, L"Shim");
    SheetScriptOptions options;
    options.press = button;
    options.timeout_ms = kSheetTimeoutMs;
    SheetScript script(options);
    DWORD result = 0;
    EXPECT_EQ(sheet_->Show(nullptr, &result), 1);
    EXPECT_FALSE(script.timed_out());
    return sheet_.get();
  }

  PagePlugin plugin_;
  OEMUIPSPARAM param_ = {};
  ReportingPage page_;
  std::unique_ptr<kvt::tools::DocumentSheet> sheet_;
};

TEST_F(SheetHostSetResult, APagesOkReachesThePluginAsTheSetResultReason) {
  const kvt::tools::DocumentSheet* sheet = Show(PSBTN_OK);
  ASSERT_EQ(plugin_.calls.size(), 3u);
  EXPECT_EQ(plugin_.calls[0].reason, PROPSHEETUI_REASON_INIT);
  EXPECT_EQ(plugin_.calls[1].reason, PROPSHEETUI_REASON_SET_RESULT);
  EXPECT_EQ(plugin_.calls[2].reason, PROPSHEETUI_REASON_DESTROY);
  for (const auto& call : plugin_.calls) {
    EXPECT_EQ(call.init, reinterpret_cast<LPARAM>(&param_)) << "reason " << call.reason;
  }
  // The set-result call carries the plug-in's own user data, the reporting
  // page's handle as the callback gave it, and the page's result.
  EXPECT_EQ(plugin_.calls[1].user_data, 0xC0DEu);
  EXPECT_EQ(plugin_.calls[1].set_result_page, plugin_.page);
  EXPECT_EQ(plugin_.calls[1].set_result, CPSUI_OK);
  EXPECT_EQ(plugin_.calls[2].user_data, 0xC0DEu);
  EXPECT_GT(page_.set_result_answer, 0);
  ASSERT_EQ(sheet->set_results().size(), 1u);
  EXPECT_EQ(sheet->set_results()[0].result, CPSUI_OK);
  EXPECT_EQ(sheet->set_results()[0].answer, S_OK);
}

TEST_F(SheetHostSetResult, CancelSetsNoResult) {
  const kvt::tools::DocumentSheet* sheet = Show(PSBTN_CANCEL);
  ASSERT_EQ(plugin_.calls.size(), 2u);
  EXPECT_EQ(plugin_.calls[0].reason, PROPSHEETUI_REASON_INIT);
  EXPECT_EQ(plugin_.calls[1].reason, PROPSHEETUI_REASON_DESTROY);
  EXPECT_TRUE(sheet->set_results().empty());
}

}  // namespace
