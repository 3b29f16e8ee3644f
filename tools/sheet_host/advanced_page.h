// The sheet host's own "Advanced" page: the option items the framework
// would show in its tree (its own document items, then the plug-in's), one
// row each with the item's name and a drop-down list of its choices. Wine
// shows no option-item tree, so this page stands in for it and calls the
// plug-in's option-item callback as the framework's tree does: on every
// choice, when the page comes into view and when the sheet applies.
//
// The orientation item's list is control 1232 and the item's
// OPTTYPE::BegCtrlID names it: the plug-in looks that control up on the
// page it is given, so its orientation rules work here as on the
// framework's page.
#pragma once

#include <string>
#include <vector>

#include "platform/framework_abi.h"
#include "tools/sheet_host/option_callbacks.h"

namespace kvt::tools {

// Where each shown item's controls sit on the page.
struct AdvancedRow {
  OPTITEM* item = nullptr;
  int label_id = 0;  // the static text with the item's name
  int list_id = 0;   // the drop-down list, right after it
};

// The rows of the tree's items that are shown (not OPTIF_HIDE), with
// consecutive control ids placed so that the first orientation item's list
// is |orientation_list_id|.
std::vector<AdvancedRow> LayOutAdvancedRows(ItemTree tree, int orientation_list_id);

// The list rows of an item and back: an up-down item offers every value of
// its range (its second parameter's IconID to lParam), every other item
// one row per choice; an item without choices offers its name only.
int AdvancedRowCount(const OPTITEM& item);
std::wstring AdvancedRowText(const OPTITEM& item, int row);
int AdvancedRowOfSelection(const OPTITEM& item);
LONG AdvancedSelectionOfRow(const OPTITEM& item, int row);

class AdvancedPage {
 public:
  static constexpr int kOrientationListId = 1232;

  // |block| is the plug-in's OEMCUIPPARAM; |tree| the framework's items and
  // then the plug-in's, laid out as one. The framework's items (the first
  // |framework_count|) get their BegCtrlID set to their list.
  AdvancedPage(OEMCUIPPARAM* block, ItemTree tree, WORD framework_count, std::wstring title);
  AdvancedPage(const AdvancedPage&) = delete;
  AdvancedPage& operator=(const AdvancedPage&) = delete;

  // The page to add to the sheet; valid while this object lives.
  const PROPSHEETPAGEW* page() const { return &page_; }
  HWND window() const { return window_; }
  const std::vector<AdvancedRow>& rows() const { return rows_; }

  // Chooses |row| in the list of the item named |name| as a user does: the
  // list's selection, then the CBN_SELCHANGE its parent hears. False when
  // the page is not up or shows no such item or row.
  bool ChooseRow(const std::wstring& name, int row);

  // Shows |item|'s selection in its list, as the framework's tree follows an
  // item the plug-in changed through DrvUpdateUISetting. Nothing for an item
  // the page does not show or while it is not up.
  void ShowItem(const OPTITEM* item);

  // What happened, for the host's report: one line per callback call.
  const std::vector<std::wstring>& events() const { return events_; }
  // Each row's final selection, noted on apply and when the page closes
  // (the plug-in frees its items' texts after that): "Head Drive: 4 Dynamic
  // 144dots", with "(list shows row N)" when the list says otherwise.
  const std::vector<std::wstring>& final_selections() const { return final_selections_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnInit(HWND window);
  void OnSelectionChange(int list_id);
  void Refresh();
  void NoteSelections();

  OEMCUIPPARAM* block_;
  ItemTree tree_;
  std::wstring title_;
  std::vector<AdvancedRow> rows_;
  std::vector<WORD> template_;  // the in-memory dialog template, DWORD aligned
  PROPSHEETPAGEW page_ = {};
  HWND window_ = nullptr;
  std::vector<std::wstring> events_;
  std::vector<std::wstring> final_selections_;
};

}  // namespace kvt::tools
