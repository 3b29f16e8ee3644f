// The dialog port: everything a page or a section does to its own window,
// its child controls and the windows around it.
//
// A page holds one port for its own dialog window and addresses its child
// controls by resource id. The Win32 implementation
// (win32/dialog_port_win32.cpp) turns each operation into the window
// messages of the standard control, or forwards it to the custom control
// attached to that child (control_attachment.h). The fake
// (fake_dialog_port.h) keeps every control's state in memory and routes
// messages between fake windows, so a page and its sections run together in
// a native test.
//
// Result codes follow the handlers' convention: 0 success, 107 an unknown
// control or item, 221 a custom control that could not be bound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework_abi.h"
#include "platform/property_sheet_abi.h"
#include "platform/window_port.h"

namespace kvt {

class CMyDibSection2;

// ---------------------------------------------------------------------------
// The private notifications of the custom controls, and the parts of the
// standard window messages the pages send through the port.

// CMyEdit -> parent. wParam: low word the edit's id, high word one of the
// codes below; lParam: the edit window.
inline constexpr UINT kMsgEditNotify = 1624;
inline constexpr std::uint16_t kEditCodeEnter = 1;       // sent first on Enter
inline constexpr std::uint16_t kEditCodeChanged = 2;     // posted after a key, Delete, paste
inline constexpr std::uint16_t kEditCodeEnterDone = 4;   // sent second on Enter
inline constexpr std::uint16_t kEditCodeFocusLost = 16;  // sent after the focus left

// CMyComboBox -> parent. wParam: low word the id, high word a list
// notification code; lParam: the control.
inline constexpr UINT kMsgComboNotify = 1129;

// CMySpriter -> parent: wParam y in the high word, x in the low word.
inline constexpr UINT kMsgSplitterMoved = 1632;
// CMyTreeView -> parent: wParam the chosen header's id.
inline constexpr UINT kMsgShowSection = 1633;

// CMyRadBtn -> parent, one per arrow key. wParam the id, lParam the button.
inline constexpr UINT kMsgRadioUp = 1654;
inline constexpr UINT kMsgRadioDown = 1655;
inline constexpr UINT kMsgRadioLeft = 1656;
inline constexpr UINT kMsgRadioRight = 1657;

// Standard messages the fake and the pages need by number on both toolchains.
inline constexpr UINT kWmCommand = 0x0111;
inline constexpr UINT kWmTimer = 0x0113;
inline constexpr UINT kPsmChanged = 0x0400 + 104;      // PSM_CHANGED
inline constexpr UINT kPsmPressButton = 0x0400 + 113;  // PSM_PRESSBUTTON
inline constexpr WPARAM kPsbtnCancel = 5;              // PSBTN_CANCEL
inline constexpr std::uint16_t kBnClicked = 0;
inline constexpr std::uint16_t kCbnSelChange = 1;
inline constexpr std::uint16_t kEnChange = 0x0300;

// wParam of WM_COMMAND and of the private notifications: id low, code high.
constexpr WPARAM MakeNotifyWParam(int id, std::uint16_t code) {
  return (static_cast<WPARAM>(code) << 16) | (static_cast<WPARAM>(id) & 0xFFFF);
}
constexpr int NotifyId(WPARAM wparam) { return static_cast<int>(wparam & 0xFFFF); }
constexpr std::uint16_t NotifyCode(WPARAM wparam) {
  return static_cast<std::uint16_t>((wparam >> 16) & 0xFFFF);
}

// ---------------------------------------------------------------------------
// Values the port carries.

// A rectangle in pixels, right and bottom exclusive.
struct DialogRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const DialogRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The parts of a LOGFONTW the pages change (height for scaling) and the
// rest carried through unchanged.
struct DialogFont {
  std::int32_t height = 0;  // lfHeight: negative is a character height
  std::int32_t width = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 1;  // DEFAULT_CHARSET
  std::uint8_t quality = 0;
  std::uint8_t pitch_and_family = 0;
  std::u16string face;
};

// What the page turns a standard control into. The edit and radio kinds
// subclass the control in place; the others replace the placeholder child
// with a custom window of the same id, position and size.
enum class CustomControl : int {
  kEdit = 0,     // CMyEdit
  kRadioButton,  // CMyRadBtn
  kComboBox,     // CMyComboBox (owner-drawn, icons)
  kPreview,      // CMyPreview
  kSplitter,     // CMySpriter
  kTreeView,     // CMyTreeView
};
inline constexpr int kCustomControlKinds = 6;

// CMyEdit's input modes.
enum class EditMode : int {
  kAnyButBreaks = 0,  // anything except CR, LF and tab
  kSignedDecimal = 1,
  kUnsignedDecimal = 2,
  kSignedInteger = 3,
  kDigits = 4,
  kLatin1 = 5,  // any character below 256
  kPrintableAscii = 6,
  kHex = 7,
};

// The icon in front of a combo row.
enum class ComboIconKind : int {
  kNone = -1,
  kBitmap = 0,  // a bitmap resource
  kTiff = 1,    // a 32-bit TIFF picture in an RCDATA resource
};

struct ComboItem {
  std::u16string text;
  std::int32_t data = 0;
  ComboIconKind icon_kind = ComboIconKind::kNone;
  std::uint32_t icon_id = 0;
};

// Colours as COLORREF (0x00BBGGRR).
inline constexpr std::uint32_t kTreeTextNormal = 0;
inline constexpr std::uint32_t kTreeTextChanged = 255;  // red

enum class TreeItemKind : int { kHeader = 0, kRow = 1 };

// One item of the settings tree as the page builds it.
struct TreeItemRecord {
  TreeItemKind kind = TreeItemKind::kRow;
  std::uint32_t id = 0;
  std::uint32_t parent_id = 0;  // 0 for a top-level header
  std::u16string text;
  int icon = -1;  // index into the tree's icon list, -1 for none
  bool expandable = false;
  bool selectable = false;
};

// ---------------------------------------------------------------------------

// The window port's operations by handle (the framework's controls, the
// data a page keeps) come with every dialog port.
class DialogPort : public WindowPort {
 public:
  ~DialogPort() override = default;

  // The windows around this one.
  virtual HWND Window() = 0;  // this dialog
  virtual HWND Parent() = 0;  // a section's page, a page's sheet
  // The top-level window this dialog sits in: the property sheet, for a
  // page and for a section alike.
  virtual HWND Sheet() = 0;
  virtual HWND ParentOf(HWND window) = 0;
  virtual HWND Item(int id) = 0;  // a child control; null when there is none

  // Messages to any window (the sheet, the page, a section, a control):
  // Send comes with the window port.
  virtual bool Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) = 0;
  LRESULT SendToParent(UINT message, WPARAM wparam, LPARAM lparam) {
    return Send(Parent(), message, wparam, lparam);
  }
  LRESULT SendToItem(int id, UINT message, WPARAM wparam, LPARAM lparam) {
    return Send(Item(id), message, wparam, lparam);
  }

  // A child dialog of this one made from the module's template
  // |template_id|, run by |procedure| with |param| as its creation
  // parameter and given the tab-style themed background (a page's
  // sections). Null when it cannot be made.
  virtual HWND CreateChildDialog(std::uint16_t template_id, DLGPROC procedure, LPARAM param) = 0;

  // Tells the sheet (this dialog's parent for a page) that something
  // changed, naming |page| (this window when null).
  virtual void NotifyChanged(HWND sheet, HWND page) = 0;
  // Presses the sheet's Cancel button (posted, so the page can unwind).
  virtual void PressCancel(HWND sheet) = 0;

  // Fonts: the dialog's own, and a font given to one child or all of them.
  virtual bool GetFont(DialogFont* font) = 0;
  virtual void SetItemFont(int id, const DialogFont& font) = 0;
  // The screen's horizontal pixels per inch.
  virtual int ScreenDpi() = 0;

  // Geometry in this dialog's client coordinates.
  virtual DialogRect ClientRect() = 0;
  virtual std::optional<DialogRect> ItemRect(int id) = 0;
  virtual bool MoveItem(int id, const DialogRect& rect) = 0;
  // The ids of the direct children, in z-order.
  virtual std::vector<int> ChildIds() = 0;
  // The same by handle: static texts share one id, and the sections are
  // children without one.
  virtual std::vector<HWND> Children() = 0;
  virtual std::optional<DialogRect> ChildRect(HWND child) = 0;
  virtual bool MoveChild(HWND child, const DialogRect& rect) = 0;
  virtual bool ShowChild(HWND child, bool show) = 0;
  virtual bool EnableChild(HWND child, bool enable) = 0;
  virtual void SetChildFont(HWND child, const DialogFont& font) = 0;
  // A child's rectangle in screen coordinates (a popup anchored at it).
  virtual std::optional<DialogRect> ItemScreenRect(int id) = 0;
  // The width in pixels of |child|'s text drawn in |font|; 0 without text.
  virtual int ChildTextWidth(HWND child, const DialogFont& font) = 0;
  // Repaints this dialog (or one child) now.
  virtual void Redraw(int id = 0) = 0;
  // Marks part of this dialog's client area for the next paint.
  virtual void Invalidate(const DialogRect& rect) = 0;
  // Stops (false) and restarts (true) a child's drawing around bulk changes.
  virtual void SetRedraw(int id, bool redraw) = 0;

  // Any child: text, enabled, shown, checked, focus.
  virtual bool SetText(int id, const std::u16string& text) = 0;
  virtual std::u16string GetText(int id) = 0;
  virtual bool Enable(int id, bool enable) = 0;
  virtual bool IsEnabled(int id) = 0;
  virtual bool Show(int id, bool show) = 0;
  virtual bool IsVisible(int id) = 0;
  virtual bool SetCheck(int id, bool checked) = 0;
  virtual bool IsChecked(int id) = 0;
  virtual bool Focus(int id) = 0;

  // Window timers of this dialog: WM_TIMER with |timer_id| every |period_ms|.
  virtual bool StartTimer(std::uintptr_t timer_id, UINT period_ms) = 0;
  virtual void StopTimer(std::uintptr_t timer_id) = 0;
  // The mouse, for buttons that repeat while held: capture for this dialog,
  // whether the cursor is over a child, whether the left button is down now.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  virtual bool IsCursorOver(int id) = 0;
  virtual bool IsLeftButtonDown() = 0;

  // Turns a standard control into a custom one (see CustomControl).
  // 0, 107 for an unknown id, 221 when the control could not be bound.
  virtual std::uint32_t AttachCustom(int id, CustomControl kind) = 0;

  // Edits (standard or CMyEdit).
  virtual bool SetTextLimit(int id, int characters) = 0;
  virtual bool SetReadOnly(int id, bool read_only) = 0;
  virtual bool GetSelection(int id, int* start, int* end) = 0;
  virtual bool SetSelection(int id, int start, int end) = 0;  // and scrolls the caret into view
  // CMyEdit only (false for a plain edit).
  virtual bool SetInputMode(int id, EditMode mode) = 0;
  // Sets the text only when it differs, so an equal text notifies nobody.
  virtual bool SetEditText(int id, const std::u16string& text) = 0;
  // The text check: the cut text, or nothing when it fails.
  virtual std::optional<std::u16string> GetCheckedText(int id) = 0;
  // The leading decimal number of the checked text; nothing when the check
  // fails or the number does not fit.
  virtual std::optional<std::int32_t> GetNumber(int id) = 0;
  bool SetNumber(int id, std::uint32_t value);  // "%u"

  // Combo boxes. On a CMyComboBox these reach its item list; on a plain one
  // they are the CB_ messages (icons ignored, Rebuild does nothing).
  // Index 0 starts a new list. False when there is no such control, the
  // index is past the end, or the row's icon could not be loaded (the row
  // is then kept without it).
  virtual bool ComboAddItem(int id, int index, const ComboItem& item) = 0;
  virtual bool ComboRebuild(int id) = 0;
  virtual int ComboCount(int id) = 0;
  // Selects the first item with |data| and gives its index; when none has
  // it, selects the first item and gives -1.
  virtual int ComboSelectByData(int id, std::int32_t data) = 0;
  virtual bool ComboSelectIndex(int id, int index) = 0;
  virtual int ComboSelectedIndex(int id) = 0;          // -1 for none
  virtual std::int32_t ComboSelectedData(int id) = 0;  // -1 for none
  // The data of the item the control selected last by a Select call (the
  // user's pick is compared with it before it is accepted); -1 for none.
  virtual std::int32_t ComboLastSelectedData(int id) = 0;
  // |which| -1 for the selection field, 0 for the list rows.
  virtual bool ComboSetItemHeight(int id, int which, int height) = 0;
  // A CMyComboBox's own text colour (nullopt: none) and background.
  virtual bool ComboSetColours(int id, std::optional<std::uint32_t> text,
                               std::uint32_t background) = 0;
  // Lets the custom combo draw one row (WM_DRAWITEM's lParam). Win32 only;
  // false elsewhere or when |id| is not a CMyComboBox.
  virtual bool ComboDrawItem(int id, LPARAM draw_item) = 0;

  // Trackbars.
  virtual bool TrackSetRange(int id, int min, int max) = 0;
  virtual bool TrackSetTicFrequency(int id, int frequency) = 0;
  virtual bool TrackSetPageSize(int id, int size) = 0;
  virtual bool TrackSetLineSize(int id, int size) = 0;
  virtual bool TrackSetPos(int id, int position) = 0;
  virtual int TrackPos(int id) = 0;

  // Up-down controls (the spin binding builds on these).
  virtual bool SpinSetBuddy(int id, int edit_id) = 0;  // buddy, base 10, IME off
  virtual bool SpinReleaseBuddy(int id) = 0;           // gives the edit its IME back
  virtual bool SpinSetRange(int id, int min, int max) = 0;
  virtual bool SpinSetPos(int id, int position) = 0;
  virtual int SpinPos(int id) = 0;

  // List views in report view.
  virtual bool ListSetFullRowSelect(int id) = 0;
  virtual bool ListAddColumn(int id, int column, const std::u16string& header, int width) = 0;
  virtual bool ListInsertRow(int id, int row, const std::u16string& first_column) = 0;
  virtual bool ListSetCell(int id, int row, int column, const std::u16string& text) = 0;
  virtual std::u16string ListCell(int id, int row, int column) = 0;
  virtual int ListRowCount(int id) = 0;
  virtual bool ListSelectRow(int id, int row) = 0;  // and brings it into view
  virtual int ListSelectedRow(int id) = 0;          // -1 for none

  // The settings tree (CMyTreeView). Item operations answer 0, or 107 for
  // an id the tree does not hold (or a child that is no tree).
  virtual std::uint32_t TreeSetIcons(int id, const std::vector<std::uint32_t>& icon_ids) = 0;
  virtual std::uint32_t TreeAddItem(int id, const TreeItemRecord& item) = 0;
  virtual std::uint32_t TreeSetItemText(int id, std::uint32_t item, const std::u16string& text,
                                        std::uint32_t colour) = 0;
  virtual std::uint32_t TreeShowItem(int id, std::uint32_t item, bool show) = 0;
  virtual std::uint32_t TreeExpand(int id, std::uint32_t item, bool expand) = 0;
  virtual std::uint32_t TreeLayout(int id) = 0;
  // Makes |item| current and scrolls it into view.
  virtual std::uint32_t TreeSelect(int id, std::uint32_t item) = 0;

  // The preview (CMyPreview): a copy of |image| is shown. 0, 107, or the
  // image's own failure code.
  virtual std::uint32_t PreviewSetImage(int id, const CMyDibSection2& image) = 0;

  // The wait cursor while a picture is composed: answers the cursor it
  // replaced, which RestoreCursor puts back.
  virtual std::uintptr_t ShowWaitCursor() = 0;
  virtual void RestoreCursor(std::uintptr_t previous) = 0;
};

inline bool DialogPort::SetNumber(int id, std::uint32_t value) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return SetEditText(id, text);
}

}  // namespace kvt
