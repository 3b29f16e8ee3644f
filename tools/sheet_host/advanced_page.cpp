#include "tools/sheet_host/advanced_page.h"

#include <commctrl.h>

namespace kvt::tools {
namespace {

// The page's layout in dialog units: one row per item.
constexpr short kPageWidth = 252;
constexpr short kPageHeight = 218;
constexpr short kMargin = 7;
constexpr short kRowHeight = 18;
constexpr short kLabelWidth = 110;
constexpr short kListWidth = kPageWidth - 2 * kMargin - kLabelWidth - 4;
constexpr short kListDropHeight = 120;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;
// Far more rows than any range item of the framework's needs (copies run
// to 999); a range beyond it is shown as its current value only.
constexpr LONG kMostRangeRows = 10000;

bool IsRange(const OPTITEM& item) {
  const OPTTYPE* type = item.pOptType;
  return type != nullptr && type->Type == TVOT_UDARROW && type->Count >= 2 &&
         type->pOptParam != nullptr;
}

LONG RangeLow(const OPTITEM& item) { return item.pOptType->pOptParam[1].IconID; }
LONG RangeHigh(const OPTITEM& item) {
  return static_cast<LONG>(item.pOptType->pOptParam[1].lParam);
}
bool RangeUsable(const OPTITEM& item) {
  return IsRange(item) && RangeHigh(item) >= RangeLow(item) &&
         RangeHigh(item) - RangeLow(item) < kMostRangeRows;
}

void Append(std::vector<WORD>* words, const std::wstring& text) {
  words->insert(words->end(), text.begin(), text.end());
  words->push_back(0);
}

void AppendDword(std::vector<WORD>* words, DWORD value) {
  words->push_back(LOWORD(value));
  words->push_back(HIWORD(value));
}

void AlignToDword(std::vector<WORD>* words) {
  if (words->size() % 2 != 0) words->push_back(0);
}

void AppendControl(std::vector<WORD>* words, DWORD style, short x, short y, short cx, short cy,
                   int id, WORD class_atom, const std::wstring& text) {
  AlignToDword(words);
  AppendDword(words, style | WS_CHILD | WS_VISIBLE);
  AppendDword(words, 0);  // extended style
  for (short value : {x, y, cx, cy}) words->push_back(static_cast<WORD>(value));
  words->push_back(static_cast<WORD>(id));
  words->push_back(0xFFFF);
  words->push_back(class_atom);
  Append(words, text);
  words->push_back(0);  // no creation data
}

std::wstring ItemName(const OPTITEM& item) { return item.pName != nullptr ? item.pName : L""; }

}  // namespace

std::vector<AdvancedRow> LayOutAdvancedRows(ItemTree tree, int orientation_list_id) {
  std::vector<AdvancedRow> rows;
  int orientation_row = -1;
  for (WORD i = 0; tree.items != nullptr && i < tree.count; ++i) {
    OPTITEM& item = tree.items[i];
    if ((item.Flags & OPTIF_HIDE) != 0) continue;
    if (orientation_row < 0 && item.DMPubID == DMPUB_ORIENTATION) {
      orientation_row = static_cast<int>(rows.size());
    }
    rows.push_back({&item, 0, 0});
  }
  // Two controls per row, the list after the label; the orientation list
  // lands on its id, the rows around it take the ids before and after.
  int id = orientation_list_id - 1 - 2 * (orientation_row < 0 ? 0 : orientation_row);
  for (AdvancedRow& row : rows) {
    row.label_id = id++;
    row.list_id = id++;
  }
  return rows;
}

int AdvancedRowCount(const OPTITEM& item) {
  if (item.pOptType == nullptr) return 1;
  if (IsRange(item)) return RangeUsable(item) ? RangeHigh(item) - RangeLow(item) + 1 : 1;
  return item.pOptType->pOptParam != nullptr ? item.pOptType->Count : 0;
}

std::wstring AdvancedRowText(const OPTITEM& item, int row) {
  if (item.pOptType == nullptr) return ItemName(item);
  if (IsRange(item)) {
    return std::to_wstring(RangeUsable(item) ? RangeLow(item) + row : item.Sel);
  }
  return ChoiceText(item, row);
}

int AdvancedRowOfSelection(const OPTITEM& item) {
  if (item.pOptType == nullptr) return 0;
  if (IsRange(item)) {
    if (!RangeUsable(item)) return 0;
    return item.Sel >= RangeLow(item) && item.Sel <= RangeHigh(item) ? item.Sel - RangeLow(item)
                                                                     : -1;
  }
  return item.Sel >= 0 && item.Sel < AdvancedRowCount(item) ? item.Sel : -1;
}

LONG AdvancedSelectionOfRow(const OPTITEM& item, int row) {
  if (item.pOptType == nullptr) return item.Sel;
  if (IsRange(item)) return RangeUsable(item) ? RangeLow(item) + row : item.Sel;
  return row;
}

AdvancedPage::AdvancedPage(OEMCUIPPARAM* block, ItemTree tree, WORD framework_count,
                           std::wstring title)
    : block_(block),
      tree_(tree),
      title_(std::move(title)),
      rows_(LayOutAdvancedRows(tree, kOrientationListId)) {
  for (const AdvancedRow& row : rows_) {
    // Only the framework's own option types are the host's to write.
    if (row.item - tree.items < framework_count && row.item->pOptType != nullptr) {
      row.item->pOptType->BegCtrlID = static_cast<WORD>(row.list_id);
    }
  }

  // DLGTEMPLATE, no menu, the default class, no caption (the tab's title
  // comes from the page), then the font, then one label and one list per row.
  AppendDword(&template_, DS_SETFONT | DS_CONTROL | WS_CHILD);
  AppendDword(&template_, 0);
  template_.push_back(static_cast<WORD>(2 * rows_.size()));
  for (short value : {short{0}, short{0}, kPageWidth, kPageHeight}) {
    template_.push_back(static_cast<WORD>(value));
  }
  template_.push_back(0);
  template_.push_back(0);
  template_.push_back(0);
  template_.push_back(8);
  Append(&template_, L"MS Shell Dlg");
  short y = kMargin;
  for (const AdvancedRow& row : rows_) {
    AppendControl(&template_, SS_LEFT, kMargin, static_cast<short>(y + 2), kLabelWidth, 8,
                  row.label_id, kStaticClass, ItemName(*row.item));
    // The plug-in tells the framework's radio buttons from its list by a
    // style bit alone (BS_RADIOBUTTON's 0x4), whatever the class; a plain
    // drop-down list has no style with that bit, so it reads as the list.
    AppendControl(&template_, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                  static_cast<short>(kMargin + kLabelWidth + 4), y, kListWidth, kListDropHeight,
                  row.list_id, kComboBoxClass, L"");
    y = static_cast<short>(y + kRowHeight);
  }

  page_.dwSize = sizeof page_;
  // Created with the sheet, so the items are applied on OK even when the
  // user never brings the page to the front, as the framework applies its
  // tree. Wine 8 ignores the flag; the sheet script makes the page instead.
  page_.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_PREMATURE;
  page_.hInstance = GetModuleHandleW(nullptr);
  page_.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(template_.data());
  page_.pszTitle = title_.c_str();
  page_.pfnDlgProc = DialogProc;
  page_.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK AdvancedPage::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<AdvancedPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lparam)->lParam);
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->OnInit(window);
    return TRUE;
  }
  auto* self = reinterpret_cast<AdvancedPage*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == CBN_SELCHANGE) self->OnSelectionChange(LOWORD(wparam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->code == PSN_SETACTIVE) {
        const LONG action = ActivatePage(self->block_, self->tree_, window);
        self->events_.push_back(L"option items shown: callback " + std::to_wstring(action));
        self->Refresh();
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      if (header->code == PSN_APPLY) {
        ULONG_PTR result = 0;
        const LONG action = ApplyItems(self->block_, self->tree_, window, &result);
        self->events_.push_back(L"option items applied: callback " + std::to_wstring(action) +
                                L", result " + std::to_wstring(result));
        self->NoteSelections();
        SetWindowLongPtrW(window, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      self->NoteSelections();
      self->window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void AdvancedPage::OnInit(HWND window) {
  window_ = window;
  for (const AdvancedRow& row : rows_) {
    HWND list = GetDlgItem(window, row.list_id);
    const int count = AdvancedRowCount(*row.item);
    for (int i = 0; i < count; ++i) {
      SendMessageW(list, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(AdvancedRowText(*row.item, i).c_str()));
    }
  }
  Refresh();
}

void AdvancedPage::OnSelectionChange(int list_id) {
  for (const AdvancedRow& row : rows_) {
    if (row.list_id != list_id) continue;
    const auto chosen =
        static_cast<int>(SendMessageW(GetDlgItem(window_, list_id), CB_GETCURSEL, 0, 0));
    if (chosen == CB_ERR) return;
    OPTITEM* item = row.item;
    const std::wstring before = AdvancedRowText(*item, AdvancedRowOfSelection(*item));
    const LONG action =
        ChangeSelection(block_, tree_, item, AdvancedSelectionOfRow(*item, chosen), window_);
    events_.push_back(L"option item " + ItemName(*item) + L": " + before + L" -> " +
                      AdvancedRowText(*item, chosen) + L", callback " + std::to_wstring(action));
    // The plug-in may have put another selection back (a Cancel on its
    // question); the lists show what the items hold.
    Refresh();
    PropSheet_Changed(GetParent(window_), window_);
    return;
  }
}

void AdvancedPage::Refresh() {
  if (window_ == nullptr) return;
  for (const AdvancedRow& row : rows_) {
    row.item->Flags &= ~static_cast<DWORD>(OPTIF_CHANGED);
    SendMessageW(GetDlgItem(window_, row.list_id), CB_SETCURSEL,
                 static_cast<WPARAM>(AdvancedRowOfSelection(*row.item)), 0);
  }
}

void AdvancedPage::ShowItem(const OPTITEM* item) {
  if (window_ == nullptr) return;
  for (const AdvancedRow& row : rows_) {
    if (row.item != item) continue;
    SendMessageW(GetDlgItem(window_, row.list_id), CB_SETCURSEL,
                 static_cast<WPARAM>(AdvancedRowOfSelection(*row.item)), 0);
  }
}

void AdvancedPage::NoteSelections() {
  final_selections_.clear();
  for (const AdvancedRow& row : rows_) {
    const OPTITEM& item = *row.item;
    std::wstring line = ItemName(item) + L": " + std::to_wstring(item.Sel);
    const int row_of_item = AdvancedRowOfSelection(item);
    if (!IsRange(item)) line += L" " + AdvancedRowText(item, row_of_item);
    // A list that lags behind its item shows the user what is not applied.
    if (window_ != nullptr) {
      const auto shown =
          static_cast<int>(SendMessageW(GetDlgItem(window_, row.list_id), CB_GETCURSEL, 0, 0));
      if (shown != row_of_item) line += L" (list shows row " + std::to_wstring(shown) + L")";
    }
    final_selections_.push_back(line);
  }
}

bool AdvancedPage::ChooseRow(const std::wstring& name, int row) {
  if (window_ == nullptr) return false;
  for (const AdvancedRow& shown : rows_) {
    if (ItemName(*shown.item) != name) continue;
    HWND list = GetDlgItem(window_, shown.list_id);
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    if (row < 0 || row >= count) return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(shown.list_id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
  }
  return false;
}

}  // namespace kvt::tools
