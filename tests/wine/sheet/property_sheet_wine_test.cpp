// What wine's own CommonPropertySheetUIW does with sheet functions and their
// requests, pinned so that the sheet host's stand-in for the missing part
// (DocumentSheet's set-result callback, exercised with the real plug-in by
// sheet_wine_test) stays justified.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <vector>

#include "tools/sheet_host/sheet_script.h"

namespace {

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
  // The page's own report on PSN_APPLY, as the plug-in's pages make it.
  PFNCOMPROPSHEET callback = nullptr;
  HANDLE page = nullptr;
  LONG_PTR set_result_on_apply = -1;
};
Observed* observed = nullptr;

INT_PTR CALLBACK ReportingPageProc(HWND page, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == PSN_APPLY) {
    observed->set_result_on_apply =
        observed->callback(observed->child_sheet, CPSFUNC_SET_RESULT,
                           reinterpret_cast<LPARAM>(observed->page), CPSUI_OK);
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

LONG CALLBACK ChildFunction(PPROPSHEETUI_INFO info, LPARAM) {
  observed->child_reasons.push_back(info->Reason);
  if (info->Reason == PROPSHEETUI_REASON_INIT) {
    observed->child_version = info->Version;
    observed->child_init = info->lParamInit;
    observed->child_sheet = info->hComPropSheet;
    observed->callback = info->pfnComPropSheet;
    static const PageTemplate page_template;
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    page.pResource = page_template.get();
    page.pszTitle = L"Reporting";
    page.pfnDlgProc = ReportingPageProc;
    observed->page = reinterpret_cast<HANDLE>(
        info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                              reinterpret_cast<LPARAM>(CreatePropertySheetPageW(&page)), 0));
    observed->set_result =
        info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_SET_RESULT,
                              reinterpret_cast<LPARAM>(observed->page), CPSUI_OK);
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

// One sheet per button. What wine does with an added function: Version
// 0x100, its parameter, the sheet's own handle (not the one it answered for
// the function); set-result and page count answered 0, and neither report
// reaches the added function. The sheet reports OK whichever button closed it.
TEST(WineSheet, AddedFunctionsRequestsAndTheSheetsResult) {
  for (const int button : {PSBTN_OK, PSBTN_CANCEL}) {
    SCOPED_TRACE(button);
    Observed seen;
    observed = &seen;
    kvt::tools::SheetScriptOptions options;
    options.press = button;
    options.timeout_ms = 30000;
    DWORD result = 99;
    {
      kvt::tools::SheetScript script(options);
      EXPECT_EQ(CommonPropertySheetUIW(nullptr, TopFunction, 0, &result), 1);
      EXPECT_FALSE(script.timed_out());
    }
    observed = nullptr;
    EXPECT_EQ(result, static_cast<DWORD>(CPSUI_OK));
    // The top function hears a reason 5 before its set-up (Version 0).
    ASSERT_FALSE(seen.top_reasons.empty());
    EXPECT_EQ(seen.top_reasons.front(), 5);
    EXPECT_NE(seen.added, 0);
    EXPECT_EQ(seen.child_version, 0x100);
    EXPECT_EQ(seen.child_init, reinterpret_cast<LPARAM>(&seen.param_of_child));
    EXPECT_EQ(seen.child_sheet, seen.top_sheet);
    EXPECT_NE(reinterpret_cast<HANDLE>(seen.added), seen.top_sheet);
    EXPECT_EQ(seen.child_user_data_at_destroy, 0x5EEDu);
    EXPECT_EQ(seen.set_result, 0);
    EXPECT_EQ(seen.page_count, 0);
    const std::vector<WORD> child = {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_DESTROY};
    EXPECT_EQ(seen.child_reasons, child);
    if (button == PSBTN_OK) {
      EXPECT_EQ(seen.set_result_on_apply, 0);
    }
  }
}

}  // namespace
