// The dialog port over real windows: standard controls through their
// messages, custom controls through the object attached to their window.
#include "core/result_codes.h"
#include "oemui/controls/win32/dialog_port_win32.h"

#include "platform/framework_abi.h"

#include <commctrl.h>
#include <imm.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/win32/list_controls_win32.h"
#include "platform/win32/activation_context.h"
#include "platform/win32/own_module.h"

namespace kvt {

// The built-in factories of the edit-side controls (edit_controls_win32.cpp).
std::uint32_t AttachMyEdit(HWND dialog, int id);
std::uint32_t AttachMyRadBtn(HWND dialog, int id);

namespace {

constexpr wchar_t kControlProperty[] = L"KvtCustomControl";

static_assert(kPsmChanged == PSM_CHANGED && kPsmPressButton == PSM_PRESSBUTTON);
static_assert(kPsbtnCancel == PSBTN_CANCEL && kWmCommand == WM_COMMAND);
static_assert(kBnClicked == BN_CLICKED && kCbnSelChange == CBN_SELCHANGE && kEnChange == EN_CHANGE);

ControlFactory g_factories[kCustomControlKinds] = {};

std::u16string WindowText(HWND window) {
  if (window == nullptr) return {};
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(&text[0]), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

void RegisterControlFactory(CustomControl kind, ControlFactory factory) {
  int index = static_cast<int>(kind);
  if (index >= 0 && index < kCustomControlKinds) g_factories[index] = factory;
}

ControlFactory FindControlFactory(CustomControl kind) {
  int index = static_cast<int>(kind);
  if (index < 0 || index >= kCustomControlKinds) return nullptr;
  if (g_factories[index] != nullptr) return g_factories[index];
  switch (kind) {
    case CustomControl::kEdit:
      return AttachMyEdit;
    case CustomControl::kRadioButton:
      return AttachMyRadBtn;
    case CustomControl::kComboBox:
      return CreateComboBoxControl;
    case CustomControl::kPreview:
      return CreatePreviewControl;
    case CustomControl::kSplitter:
      return CreateSplitterControl;
    case CustomControl::kTreeView:
      return CreateTreeViewControl;
    default:
      return nullptr;
  }
}

bool AttachControlObject(HWND window, AttachedControl* control) {
  if (window == nullptr) return false;
  if (control == nullptr) {
    RemovePropW(window, kControlProperty);
    return true;
  }
  return SetPropW(window, kControlProperty, control) != FALSE;
}

AttachedControl* FindControlObject(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<AttachedControl*>(GetPropW(window, kControlProperty));
}

// ---------------------------------------------------------------------------

Win32DialogPort::~Win32DialogPort() {
  for (const auto& [id, buddy] : buddies_) {
    if (IsWindow(buddy.first)) ImmAssociateContext(buddy.first, static_cast<HIMC>(buddy.second));
  }
  for (HFONT font : fonts_) DeleteObject(font);
}

HWND Win32DialogPort::Parent() { return GetParent(dialog_); }

HWND Win32DialogPort::Sheet() { return GetAncestor(dialog_, GA_ROOT); }

HWND Win32DialogPort::ParentOf(HWND window) { return GetParent(window); }

HWND Win32DialogPort::Item(int id) { return GetDlgItem(dialog_, id); }

LRESULT Win32DialogPort::Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(target, message, wparam, lparam);
}

bool Win32DialogPort::Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  return PostMessageW(target, message, wparam, lparam) != FALSE;
}

HWND Win32DialogPort::CreateChildDialog(std::uint16_t template_id, DLGPROC procedure,
                                        LPARAM param) {
  HWND child = CreateDialogParamInModuleContext(OwnModule(), MAKEINTRESOURCEW(template_id), dialog_,
                                                procedure, param);
  if (child != nullptr) EnableThemeDialogTexture(child, ETDT_ENABLETAB);
  return child;
}

void Win32DialogPort::NotifyChanged(HWND sheet, HWND page) {
  SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page != nullptr ? page : dialog_), 0);
}

void Win32DialogPort::PressCancel(HWND sheet) {
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

bool Win32DialogPort::GetFont(DialogFont* font) {
  HFONT handle = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logical{};
  if (GetObjectW(handle, sizeof(logical), &logical) == 0) return false;
  font->height = logical.lfHeight;
  font->width = logical.lfWidth;
  font->weight = logical.lfWeight;
  font->italic = logical.lfItalic;
  font->underline = logical.lfUnderline;
  font->strike_out = logical.lfStrikeOut;
  font->char_set = logical.lfCharSet;
  font->quality = logical.lfQuality;
  font->pitch_and_family = logical.lfPitchAndFamily;
  font->face.assign(reinterpret_cast<const char16_t*>(logical.lfFaceName),
                    wcsnlen(logical.lfFaceName, LF_FACESIZE));
  return true;
}

void Win32DialogPort::SetItemFont(int id, const DialogFont& font) { SetChildFont(Item(id), font); }

namespace {

LOGFONTW ToLogFont(const DialogFont& font) {
  LOGFONTW logical{};
  logical.lfHeight = font.height;
  logical.lfWidth = font.width;
  logical.lfWeight = font.weight;
  logical.lfItalic = font.italic;
  logical.lfUnderline = font.underline;
  logical.lfStrikeOut = font.strike_out;
  logical.lfCharSet = font.char_set;
  logical.lfQuality = font.quality;
  logical.lfPitchAndFamily = font.pitch_and_family;
  std::size_t length = std::min<std::size_t>(font.face.size(), LF_FACESIZE - 1);
  std::copy_n(font.face.data(), length, reinterpret_cast<char16_t*>(logical.lfFaceName));
  return logical;
}

}  // namespace

void Win32DialogPort::SetChildFont(HWND item, const DialogFont& font) {
  if (item == nullptr) return;
  const LOGFONTW logical = ToLogFont(font);
  HFONT handle = CreateFontIndirectW(&logical);
  if (handle == nullptr) return;
  // The control keeps using the font, so it lives as long as this port.
  fonts_.push_back(handle);
  SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

int Win32DialogPort::ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

DialogRect Win32DialogPort::ClientRect() {
  RECT rect{};
  GetClientRect(dialog_, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

std::optional<DialogRect> Win32DialogPort::ItemRect(int id) { return ChildRect(Item(id)); }

std::optional<DialogRect> Win32DialogPort::ChildRect(HWND child) {
  RECT rect{};
  if (child == nullptr || !GetWindowRect(child, &rect)) return std::nullopt;
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
  return DialogRect{rect.left, rect.top, rect.right, rect.bottom};
}

std::optional<DialogRect> Win32DialogPort::ItemScreenRect(int id) {
  RECT rect{};
  HWND child = Item(id);
  if (child == nullptr || !GetWindowRect(child, &rect)) return std::nullopt;
  return DialogRect{rect.left, rect.top, rect.right, rect.bottom};
}

int Win32DialogPort::ChildTextWidth(HWND child, const DialogFont& font) {
  const int length = child != nullptr ? GetWindowTextLengthW(child) : 0;
  if (length <= 0) return 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), length + 1)));
  const LOGFONTW logical = ToLogFont(font);
  HFONT handle = CreateFontIndirectW(&logical);
  HDC dc = GetDC(child);
  SIZE size{};
  if (handle != nullptr && dc != nullptr) {
    HGDIOBJ old = SelectObject(dc, handle);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
  }
  if (dc != nullptr) ReleaseDC(child, dc);
  if (handle != nullptr) DeleteObject(handle);
  return size.cx;
}

void Win32DialogPort::Invalidate(const DialogRect& rect) {
  const RECT area{rect.left, rect.top, rect.right, rect.bottom};
  InvalidateRect(dialog_, &area, TRUE);
}

bool Win32DialogPort::MoveItem(int id, const DialogRect& rect) { return MoveChild(Item(id), rect); }

bool Win32DialogPort::MoveChild(HWND child, const DialogRect& rect) {
  return child != nullptr &&
         MoveWindow(child, rect.left, rect.top, rect.Width(), rect.Height(), TRUE) != FALSE;
}

std::vector<int> Win32DialogPort::ChildIds() {
  std::vector<int> ids;
  for (HWND child : Children()) ids.push_back(GetDlgCtrlID(child));
  return ids;
}

std::vector<HWND> Win32DialogPort::Children() {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool Win32DialogPort::ShowChild(HWND child, bool show) {
  if (child == nullptr) return false;
  ShowWindow(child, show ? SW_SHOW : SW_HIDE);
  return true;
}

bool Win32DialogPort::EnableChild(HWND child, bool enable) {
  if (child == nullptr) return false;
  EnableWindow(child, enable ? TRUE : FALSE);
  return true;
}

bool Win32DialogPort::StartTimer(std::uintptr_t timer_id, UINT period_ms) {
  return SetTimer(dialog_, timer_id, period_ms, nullptr) != 0;
}

void Win32DialogPort::StopTimer(std::uintptr_t timer_id) { KillTimer(dialog_, timer_id); }

void Win32DialogPort::CaptureMouse() { SetCapture(dialog_); }

void Win32DialogPort::ReleaseMouse() {
  if (GetCapture() == dialog_) ReleaseCapture();
}

bool Win32DialogPort::IsCursorOver(int id) {
  HWND item = Item(id);
  POINT cursor{};
  RECT rect{};
  if (item == nullptr || !GetCursorPos(&cursor) || !GetWindowRect(item, &rect)) return false;
  return PtInRect(&rect, cursor) != FALSE;
}

bool Win32DialogPort::IsLeftButtonDown() {
  // GetAsyncKeyState reads the physical buttons; with swapped buttons the
  // user's left one is the physical right.
  int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(button) & 0x8000) != 0;
}

void Win32DialogPort::Redraw(int id) {
  HWND window = id == 0 ? dialog_ : Item(id);
  if (window == nullptr) return;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32DialogPort::SetRedraw(int id, bool redraw) {
  HWND window = id == 0 ? dialog_ : Item(id);
  if (window != nullptr) SendMessageW(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
}

bool Win32DialogPort::SetText(int id, const std::u16string& text) {
  return SetDlgItemTextW(dialog_, id, Wide(text)) != FALSE;
}

std::u16string Win32DialogPort::GetText(int id) { return WindowText(Item(id)); }

bool Win32DialogPort::Enable(int id, bool enable) { return EnableChild(Item(id), enable); }

bool Win32DialogPort::IsEnabled(int id) {
  HWND item = Item(id);
  return item != nullptr && IsWindowEnabled(item) != FALSE;
}

bool Win32DialogPort::Show(int id, bool show) { return ShowChild(Item(id), show); }

bool Win32DialogPort::IsVisible(int id) {
  // The control's own flag: a page that is not shown yet still has visible
  // controls.
  HWND item = Item(id);
  return item != nullptr && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32DialogPort::SetCheck(int id, bool checked) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

bool Win32DialogPort::IsChecked(int id) {
  HWND item = Item(id);
  return item != nullptr && SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Win32DialogPort::Focus(int id) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  // Through the dialog manager, so the default button follows the focus.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
  return true;
}

std::uint32_t Win32DialogPort::AttachCustom(int id, CustomControl kind) {
  HWND item = Item(id);
  if (item == nullptr) return kResultInvalid;
  if (AttachedControl* attached = FindControlObject(item)) {
    return attached->Kind() == kind ? kResultOk : kResultBindingFailed;
  }
  ControlFactory factory = FindControlFactory(kind);
  if (factory == nullptr) return kResultBindingFailed;
  return factory(dialog_, id);
}

bool Win32DialogPort::SetTextLimit(int id, int characters) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  SendMessageW(item, EM_LIMITTEXT, static_cast<WPARAM>(std::max(characters, 0)), 0);
  return true;
}

bool Win32DialogPort::SetReadOnly(int id, bool read_only) {
  HWND item = Item(id);
  return item != nullptr && SendMessageW(item, EM_SETREADONLY, read_only ? TRUE : FALSE, 0) != 0;
}

bool Win32DialogPort::GetSelection(int id, int* start, int* end) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  DWORD first = 0;
  DWORD last = 0;
  SendMessageW(item, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  *start = static_cast<int>(first);
  *end = static_cast<int>(last);
  return true;
}

bool Win32DialogPort::SetSelection(int id, int start, int end) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  SendMessageW(item, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  SendMessageW(item, EM_SCROLLCARET, 0, 0);
  return true;
}

EditTarget* Win32DialogPort::EditOf(int id) {
  AttachedControl* attached = FindControlObject(Item(id));
  return attached != nullptr ? attached->AsEdit() : nullptr;
}

ComboItemsTarget* Win32DialogPort::ComboOf(int id) {
  AttachedControl* attached = FindControlObject(Item(id));
  return attached != nullptr ? attached->AsCombo() : nullptr;
}

TreeTarget* Win32DialogPort::TreeOf(int id) {
  AttachedControl* attached = FindControlObject(Item(id));
  return attached != nullptr ? attached->AsTree() : nullptr;
}

bool Win32DialogPort::SetInputMode(int id, EditMode mode) {
  EditTarget* edit = EditOf(id);
  if (edit == nullptr) return false;
  edit->SetInputMode(mode);
  return true;
}

bool Win32DialogPort::SetEditText(int id, const std::u16string& text) {
  if (EditTarget* edit = EditOf(id)) {
    edit->SetText(text);
    return true;
  }
  HWND item = Item(id);
  if (item == nullptr) return false;
  return WindowText(item) == text || SetWindowTextW(item, Wide(text)) != FALSE;
}

std::optional<std::u16string> Win32DialogPort::GetCheckedText(int id) {
  EditTarget* edit = EditOf(id);
  if (edit == nullptr) return std::nullopt;
  return edit->GetCheckedText();
}

std::optional<std::int32_t> Win32DialogPort::GetNumber(int id) {
  EditTarget* edit = EditOf(id);
  if (edit == nullptr) return std::nullopt;
  return edit->GetNumber();
}

bool Win32DialogPort::ComboAddItem(int id, int index, const ComboItem& item) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->AddItem(index, item) == kResultOk;
  HWND window = Item(id);
  if (window == nullptr) return false;
  if (index == 0) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    last_selected_.erase(id);
  }
  LRESULT count = SendMessageW(window, CB_GETCOUNT, 0, 0);
  WPARAM at = index < 0 || index >= count ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index);
  LRESULT added =
      SendMessageW(window, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(Wide(item.text)));
  if (added < 0) return false;
  SendMessageW(window, CB_SETITEMDATA, static_cast<WPARAM>(added),
               static_cast<LPARAM>(static_cast<std::uint32_t>(item.data)));
  return true;
}

bool Win32DialogPort::ComboRebuild(int id) {
  if (ComboItemsTarget* combo = ComboOf(id)) {
    combo->Rebuild();
    return true;
  }
  return Item(id) != nullptr;
}

int Win32DialogPort::ComboCount(int id) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->Count();
  HWND window = Item(id);
  return window != nullptr ? static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0)) : 0;
}

int Win32DialogPort::ComboSelectByData(int id, std::int32_t data) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->SelectByData(data);
  HWND window = Item(id);
  if (window == nullptr) return -1;
  int count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    LRESULT value = SendMessageW(window, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (static_cast<std::int32_t>(value) == data) {
      ComboSelectIndex(id, index);
      return index;
    }
  }
  ComboSelectIndex(id, count > 0 ? 0 : -1);
  return -1;
}

bool Win32DialogPort::ComboSelectIndex(int id, int index) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->SelectIndex(index);
  HWND window = Item(id);
  if (window == nullptr) return false;
  LRESULT result = SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index >= 0 && result == CB_ERR) return false;
  last_selected_[id] = index;
  return true;
}

int Win32DialogPort::ComboSelectedIndex(int id) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->SelectedIndex();
  HWND window = Item(id);
  return window != nullptr ? static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)) : -1;
}

std::int32_t Win32DialogPort::ComboSelectedData(int id) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->SelectedData();
  int index = ComboSelectedIndex(id);
  if (index < 0) return -1;
  return static_cast<std::int32_t>(
      SendMessageW(Item(id), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::int32_t Win32DialogPort::ComboLastSelectedData(int id) {
  if (ComboItemsTarget* combo = ComboOf(id)) return combo->LastSelectedData();
  auto last = last_selected_.find(id);
  HWND window = Item(id);
  if (last == last_selected_.end() || last->second < 0 || window == nullptr) return -1;
  LRESULT value = SendMessageW(window, CB_GETITEMDATA, static_cast<WPARAM>(last->second), 0);
  return value == CB_ERR ? -1 : static_cast<std::int32_t>(value);
}

bool Win32DialogPort::ComboSetItemHeight(int id, int which, int height) {
  HWND window = Item(id);
  return window != nullptr &&
         SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(which), height) != CB_ERR;
}

bool Win32DialogPort::ComboSetColours(int id, std::optional<std::uint32_t> text,
                                      std::uint32_t background) {
  ComboItemsTarget* combo = ComboOf(id);
  if (combo == nullptr) return false;
  combo->SetColours(text, background);
  return true;
}

bool Win32DialogPort::ComboDrawItem(int id, LPARAM draw_item) {
  ComboItemsTarget* combo = ComboOf(id);
  return combo != nullptr && combo->DrawItem(draw_item);
}

bool Win32DialogPort::TrackSetRange(int id, int min, int max) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(window, TBM_SETRANGEMAX, TRUE, max);
  return true;
}

bool Win32DialogPort::TrackSetTicFrequency(int id, int frequency) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
  return true;
}

bool Win32DialogPort::TrackSetPageSize(int id, int size) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETPAGESIZE, 0, size);
  return true;
}

bool Win32DialogPort::TrackSetLineSize(int id, int size) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETLINESIZE, 0, size);
  return true;
}

bool Win32DialogPort::TrackSetPos(int id, int position) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, TBM_SETPOS, TRUE, position);
  return true;
}

int Win32DialogPort::TrackPos(int id) {
  HWND window = Item(id);
  return window != nullptr ? static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0)) : 0;
}

bool Win32DialogPort::SpinSetBuddy(int id, int edit_id) {
  HWND updown = Item(id);
  HWND edit = Item(edit_id);
  if (updown == nullptr || edit == nullptr) return false;
  SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(updown, UDM_SETBASE, 10, 0);
  // Numbers only: an input method composition would bypass the edit's
  // character filter.
  HIMC previous = ImmAssociateContext(edit, nullptr);
  if (buddies_.count(id) == 0) buddies_[id] = {edit, previous};
  return true;
}

bool Win32DialogPort::SpinReleaseBuddy(int id) {
  auto bound = buddies_.find(id);
  if (bound == buddies_.end()) return false;
  if (IsWindow(bound->second.first)) {
    ImmAssociateContext(bound->second.first, static_cast<HIMC>(bound->second.second));
  }
  buddies_.erase(bound);
  return true;
}

bool Win32DialogPort::SpinSetRange(int id, int min, int max) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  return true;
}

bool Win32DialogPort::SpinSetPos(int id, int position) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
  return true;
}

int Win32DialogPort::SpinPos(int id) {
  HWND window = Item(id);
  if (window == nullptr) return 0;
  BOOL failed = FALSE;
  return static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

bool Win32DialogPort::ListSetFullRowSelect(int id) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  return true;
}

bool Win32DialogPort::ListAddColumn(int id, int column, const std::u16string& header, int width) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  std::u16string text = header;
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  info.pszText = reinterpret_cast<wchar_t*>(&text[0]);
  info.cx = width;
  info.iSubItem = column;
  return SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                      reinterpret_cast<LPARAM>(&info)) >= 0;
}

bool Win32DialogPort::ListInsertRow(int id, int row, const std::u16string& first_column) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  std::u16string text = first_column;
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = reinterpret_cast<wchar_t*>(&text[0]);
  return SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

bool Win32DialogPort::ListSetCell(int id, int row, int column, const std::u16string& text) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  std::u16string copy = text;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(&copy[0]);
  return SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::u16string Win32DialogPort::ListCell(int id, int row, int column) {
  HWND window = Item(id);
  if (window == nullptr) return {};
  // The list answers how much it copied, never how long the cell is: grow
  // the buffer until the copy no longer fills it.
  std::u16string buffer(256, u'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(&buffer[0]);
    item.cchTextMax = static_cast<int>(buffer.size());
    LRESULT copied = SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                  reinterpret_cast<LPARAM>(&item));
    if (copied < static_cast<LRESULT>(buffer.size()) - 1 || buffer.size() >= (1u << 20)) {
      buffer.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
      return buffer;
    }
    buffer.assign(buffer.size() * 2, u'\0');
  }
}

int Win32DialogPort::ListRowCount(int id) {
  HWND window = Item(id);
  return window != nullptr ? static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

bool Win32DialogPort::ListSelectRow(int id, int row) {
  HWND window = Item(id);
  if (window == nullptr) return false;
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (row < 0) return true;
  LVITEMW select{};
  select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  select.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&select))) {
    return false;
  }
  SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  return true;
}

int Win32DialogPort::ListSelectedRow(int id) {
  HWND window = Item(id);
  if (window == nullptr) return -1;
  return static_cast<int>(
      SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::uint32_t Win32DialogPort::TreeSetIcons(int id, const std::vector<std::uint32_t>& icon_ids) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->SetIcons(icon_ids) : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeAddItem(int id, const TreeItemRecord& item) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->AddItem(item) : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeSetItemText(int id, std::uint32_t item,
                                               const std::u16string& text, std::uint32_t colour) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->SetItemText(item, text, colour) : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeShowItem(int id, std::uint32_t item, bool show) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->ShowItem(item, show) : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeExpand(int id, std::uint32_t item, bool expand) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->Expand(item, expand) : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeLayout(int id) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->Layout() : kResultInvalid;
}

std::uint32_t Win32DialogPort::TreeSelect(int id, std::uint32_t item) {
  TreeTarget* tree = TreeOf(id);
  return tree != nullptr ? tree->Select(item) : kResultInvalid;
}

std::uint32_t Win32DialogPort::PreviewSetImage(int id, const CMyDibSection2& image) {
  AttachedControl* attached = FindControlObject(Item(id));
  PreviewTarget* preview = attached != nullptr ? attached->AsPreview() : nullptr;
  return preview != nullptr ? preview->SetImage(image) : kResultInvalid;
}

std::uintptr_t Win32DialogPort::ShowWaitCursor() {
  return reinterpret_cast<std::uintptr_t>(SetCursor(LoadCursorW(nullptr, IDC_WAIT)));
}

void Win32DialogPort::RestoreCursor(std::uintptr_t previous) {
  SetCursor(reinterpret_cast<HCURSOR>(previous));
}

}  // namespace kvt
