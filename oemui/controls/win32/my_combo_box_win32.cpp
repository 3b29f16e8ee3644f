// CMyComboBox's window: an owner-drawn drop-down list made in place of the
// template's combo box. The object watches its parent too (a comctl32
// subclass): the combo box's row drawing and its notifications go to the
// parent, and the control has to see both to draw its rows and to turn the
// notifications into message 1129.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/result_codes.h"
#include "oemui/controls/control_attachment.h"
#include "oemui/controls/my_combo_box.h"
#include "oemui/controls/win32/list_controls_win32.h"

namespace kvt {
namespace {

// Room for the list under the selection field when the control is made.
constexpr int kDropDownHeight = 200;
constexpr int kMinimumRowHeight = 18;
constexpr UINT_PTR kComboSubclassId = 1;
constexpr DWORD kOwnerDrawnDropDownList = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

bool IsOwnerDrawnDropDownList(HWND window) {
  wchar_t name[16] = {};
  if (window == nullptr || ::GetClassNameW(window, name, 16) == 0 ||
      ::lstrcmpiW(name, L"ComboBox") != 0) {
    return false;
  }
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  return (style & 0x3) == CBS_DROPDOWNLIST &&
         (style & (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS)) == (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
}

LRESULT CALLBACK ComboProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

class ComboBoxWindow final : public AttachedControl, public ComboItemsTarget, public ComboWindow {
 public:
  ComboBoxWindow(HWND parent, int id) : parent_(parent), id_(id), combo_(*this, OwnModule()) {}

  bool Attach(HWND window) {
    window_ = window;
    if (!AttachControlObject(window, this)) return false;
    return ::SetWindowSubclass(window, &ComboProc, kComboSubclassId,
                               reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  }
  bool WatchParent() {
    return ::SetWindowSubclass(parent_, &ParentProc, reinterpret_cast<UINT_PTR>(this),
                               reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  }
  void Detach() {
    ::RemoveWindowSubclass(parent_, &ParentProc, reinterpret_cast<UINT_PTR>(this));
    if (window_ != nullptr) {
      ::RemoveWindowSubclass(window_, &ComboProc, kComboSubclassId);
      AttachControlObject(window_, nullptr);
    }
  }

  HWND window() const { return window_; }
  int id() const { return id_; }

  CustomControl Kind() const override { return CustomControl::kComboBox; }
  ComboItemsTarget* AsCombo() override { return this; }

  // ComboItemsTarget.
  std::uint32_t AddItem(int index, const ComboItem& item) override {
    return combo_.AddItem(index, item);
  }
  void Rebuild() override { combo_.Rebuild(); }
  int Count() override { return combo_.Count(); }
  int SelectByData(std::int32_t data) override { return combo_.SelectByData(data); }
  bool SelectIndex(int index) override { return combo_.SelectIndex(index); }
  int SelectedIndex() override { return combo_.SelectedIndex(); }
  std::int32_t SelectedData() override { return combo_.GetSelectedData(); }
  std::int32_t LastSelectedData() override { return combo_.LastSelectedData(); }
  void SetColours(std::optional<std::uint32_t> text, std::uint32_t background) override {
    combo_.SetColours(text, background);
    ::InvalidateRect(window_, nullptr, TRUE);
  }
  bool DrawItem(LPARAM draw_item) override {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(draw_item);
    if (item == nullptr || item->hwndItem != window_) return false;
    PaintRow(*item);
    return true;
  }

  // ComboWindow.
  std::vector<ComboShownRow> Rows() override {
    const int count = static_cast<int>(::SendMessageW(window_, CB_GETCOUNT, 0, 0));
    std::vector<ComboShownRow> rows;
    rows.reserve(std::max(0, count));
    for (int i = 0; i < count; ++i) {
      rows.push_back(
          {RowText(i), static_cast<std::int32_t>(::SendMessageW(window_, CB_GETITEMDATA, i, 0))});
    }
    return rows;
  }
  void Clear() override { ::SendMessageW(window_, CB_RESETCONTENT, 0, 0); }
  void Append(const std::u16string& text, std::int32_t data) override {
    const LRESULT index =
        ::SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
    if (index >= 0) {
      ::SendMessageW(window_, CB_SETITEMDATA, index,
                     static_cast<LPARAM>(static_cast<std::uint32_t>(data)));
    }
  }
  int Selection() override { return static_cast<int>(::SendMessageW(window_, CB_GETCURSEL, 0, 0)); }
  void Select(int index) override { ::SendMessageW(window_, CB_SETCURSEL, index, 0); }
  int TextWidth(const std::u16string& text) override {
    HDC dc = ::GetDC(window_);
    HGDIOBJ old = ::SelectObject(dc, Font());
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window_, dc);
    return size.cx;
  }
  int ScrollBarWidth() override { return ::GetSystemMetrics(SM_CXVSCROLL); }
  int ControlWidth() override {
    RECT rect;
    ::GetWindowRect(window_, &rect);
    return rect.right - rect.left;
  }
  void SetDropDownWidth(int width) override {
    ::SendMessageW(window_, CB_SETDROPPEDWIDTH, width, 0);
  }

  // Messages.
  int RowHeight() {
    HDC dc = ::GetDC(window_ != nullptr ? window_ : parent_);
    HGDIOBJ old = ::SelectObject(dc, Font());
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(window_ != nullptr ? window_ : parent_, dc);
    return std::max<int>(kMinimumRowHeight, metrics.tmHeight + 4);
  }

  // Arrow keys on the closed list step through the rows; the open list
  // keeps the combo box's own handling.
  bool OnKey(WPARAM key) {
    if (key != VK_UP && key != VK_DOWN && key != VK_LEFT && key != VK_RIGHT) return false;
    if (::SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0)) return false;
    if (combo_.OnArrowKey(static_cast<std::uint32_t>(key))) {
      ::SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(id_, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(window_));
    }
    return true;
  }

  // A notification of the combo box to the parent. True when it became
  // message 1129 (and the parent does not see the original).
  bool OnNotification(WORD code) {
    switch (code) {
      case CBN_SELENDOK:
        combo_.OnSelectionAccepted();
        break;
      case CBN_KILLFOCUS:
      case CBN_CLOSEUP:
      case CBN_SELENDCANCEL:
        break;
      default:
        return false;
    }
    ::PostMessageW(parent_, kMsgComboNotify, MAKEWPARAM(id_, code),
                   reinterpret_cast<LPARAM>(window_));
    return true;
  }

 private:
  HFONT Font() {
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window_, WM_GETFONT, 0, 0));
    if (font == nullptr) font = reinterpret_cast<HFONT>(::SendMessageW(parent_, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  }

  std::u16string RowText(int index) {
    const LRESULT length = ::SendMessageW(window_, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(window_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return copied > 0 ? FromWide(text.data(), static_cast<std::size_t>(copied)) : std::u16string();
  }

  void PaintRow(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    const int row_height = row.bottom - row.top;
    const bool has_item = item.itemID != static_cast<UINT>(-1);
    std::u16string text;
    if (has_item) {
      text = RowText(static_cast<int>(item.itemID));
    } else {
      // No row to draw: the control's own text in the window text colour.
      wchar_t own[256] = {};
      const int length = ::GetWindowTextW(window_, own, 256);
      text = FromWide(own, static_cast<std::size_t>(std::max(0, length)));
    }

    ComboRowState state;
    state.selected = has_item && (item.itemState & ODS_SELECTED) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0 || !::IsWindowEnabled(window_);
    state.has_text = !text.empty();
    state.focused = ::GetFocus() == window_;
    state.dropped_down = ::SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (combo_.text_colour()) {
      state.has_own_colours = true;
      state.own_text = *combo_.text_colour();
      state.own_background = combo_.background();
    }
    ComboRowColours colours = ComboRowColoursFor(state);
    if (!has_item && !state.has_own_colours) colours.text = PaintColour::System(kSysWindowText);

    HBRUSH background = ::CreateSolidBrush(ToColorRef(colours.background));
    ::FillRect(dc, &row, background);
    ::DeleteObject(background);

    const CMyDibSection2* icon = has_item ? combo_.Icon(static_cast<int>(item.itemID)) : nullptr;
    const int icon_width = icon != nullptr ? icon->width() : 0;
    const int icon_height = icon != nullptr ? icon->height() : 0;
    const ComboRowPlacement placement = ComboRowPlacementFor(row_height, icon_width, icon_height);
    if (icon != nullptr) {
      // Bitmaps are copied; 32-bit pictures blend onto the row they sit on.
      icon->DrawTo(dc, row.left + placement.icon_x, row.top + std::max(0, placement.icon_y),
                   icon_width, std::min(icon_height, row_height));
    }

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(colours.text));
    HGDIOBJ old_font = ::SelectObject(dc, Font());
    RECT text_rect = row;
    text_rect.left += placement.text_x;
    ::DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &text_rect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc, old_font);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
      ::DrawFocusRect(dc, &row);
    }
  }

  HWND parent_;
  HWND window_ = nullptr;
  int id_;
  CMyComboBox combo_;
};

LRESULT CALLBACK ComboProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                           DWORD_PTR data) {
  auto* self = reinterpret_cast<ComboBoxWindow*>(data);
  switch (message) {
    case WM_KEYDOWN:
      if (self->OnKey(wparam)) return 0;
      break;
    case WM_NCDESTROY:
      self->Detach();
      delete self;
      return ::DefSubclassProc(window, message, wparam, lparam);
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR data) {
  auto* self = reinterpret_cast<ComboBoxWindow*>(data);
  switch (message) {
    case WM_MEASUREITEM: {
      // Comes while the combo box is being made, before it is ours.
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlType == ODT_COMBOBOX && static_cast<int>(measure->CtlID) == self->id()) {
        measure->itemHeight = static_cast<UINT>(self->RowHeight());
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM:
      if (self->window() != nullptr && self->DrawItem(lparam)) return TRUE;
      break;
    case WM_COMMAND:
      if (self->window() != nullptr && reinterpret_cast<HWND>(lparam) == self->window() &&
          self->OnNotification(HIWORD(wparam))) {
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

std::uint32_t CreateComboBoxControl(HWND dialog, int id) {
  RegisterListControls();
  if (::GetDlgItem(dialog, id) == nullptr) return kResultInvalid;
  auto* self = new ComboBoxWindow(dialog, id);
  if (!self->WatchParent()) {
    delete self;
    return kResultBindingFailed;
  }
  // A template's combo box that is an owner-drawn drop-down list with
  // strings already is taken as it is; any other is replaced by one. Making
  // a combo box is the dearest step of a page's start under wine.
  HWND existing = ::GetDlgItem(dialog, id);
  const bool reused = IsOwnerDrawnDropDownList(existing);
  HWND window =
      reused ? existing
             : ReplacePlaceholder(dialog, id, L"COMBOBOX", kOwnerDrawnDropDownList | WS_VSCROLL, 0,
                                  kDropDownHeight, nullptr);
  if (window == nullptr || !self->Attach(window)) {
    self->Detach();
    if (window != nullptr && !reused) ::DestroyWindow(window);
    delete self;
    return kResultBindingFailed;
  }
  // The rows follow the font the control got from its placeholder.
  const int height = self->RowHeight();
  ::SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  ::SendMessageW(window, CB_SETITEMHEIGHT, 0, height);
  return kResultOk;
}

}  // namespace kvt
