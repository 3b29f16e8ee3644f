// Dialogs for native tests: fake windows that keep each control's state in
// memory, deliver sent messages at once and posted ones when the test pumps,
// and record every message, so that a page, its sections and the sheet run
// together. A test acts as the user through FakeWindows (type, paste, press
// Enter, pick a combo row, click a button) and the handlers run as they
// would under the real dialog manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "oemui/controls/dialog_port.h"
#include "oemui/controls/my_edit.h"
#include "oemui/controls/tree_model.h"
#include "oemui/watermark/dib_section.h"

namespace kvt {

// One child control. Which fields matter depends on what the page uses it
// as; all of them start as a fresh standard control would.
struct FakeControl {
  int id = 0;
  HWND window = nullptr;
  std::optional<CustomControl> custom;
  std::u16string text;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  std::uint32_t style = 0;  // GWL_STYLE, as a test sets it
  DialogRect rect;
  std::optional<DialogFont> font;
  bool redraw = true;
  int repaints = 0;

  // Edits. Positions in UTF-16 units.
  std::size_t limit = 30000;
  bool read_only = false;
  std::size_t selection_start = 0;
  std::size_t selection_end = 0;
  std::unique_ptr<CMyEdit> edit;  // when custom is kEdit

  // Combo boxes: the rows shown, the rows collected for the next Rebuild.
  std::vector<ComboItem> combo_items;
  std::vector<ComboItem> combo_collected;
  int combo_selected = -1;
  int combo_last_selected = -1;
  int combo_field_height = 0;
  int combo_row_height = 0;
  std::optional<std::uint32_t> combo_text_colour;
  std::uint32_t combo_background = 0xFFFFFF;

  // Trackbars.
  int track_min = 0;
  int track_max = 100;
  int track_tic = 1;
  int track_page = 0;
  int track_line = 1;
  int track_pos = 0;

  // Up-down controls.
  int spin_min = 0;
  int spin_max = 100;
  int spin_pos = 0;
  int spin_buddy = 0;  // the edit's id while bound

  // List views.
  bool list_full_row = false;
  std::vector<std::pair<std::u16string, int>> list_columns;
  std::vector<std::vector<std::u16string>> list_rows;
  int list_selected = -1;

  // Trees.
  // The same model as a CMyTreeView's, so pages meet the same rules.
  std::vector<std::uint32_t> tree_icons;
  TreeModel tree;
  int tree_layouts = 0;

  // Previews.
  std::unique_ptr<CMyDibSection2> preview;
};

// Every message that went through the fake windows, in order.
struct FakeMessage {
  HWND target;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  bool posted;
};

class FakeWindows {
 public:
  using Handler = std::function<LRESULT(UINT message, WPARAM wparam, LPARAM lparam)>;

  FakeWindows();
  ~FakeWindows();
  FakeWindows(const FakeWindows&) = delete;
  FakeWindows& operator=(const FakeWindows&) = delete;

  // What a child dialog template makes: given the new window and the
  // creation parameter, it adds the controls and answers the handler
  // (typically a section object's message routing).
  using TemplateFactory = std::function<Handler(HWND window, LPARAM param)>;
  void AddTemplate(std::uint16_t template_id, TemplateFactory factory);
  // CreateChildDialog's work: null for a template nobody added.
  HWND CreateFromTemplate(HWND parent, std::uint16_t template_id, LPARAM param);

  // A top-level or child window (a sheet, a page, a section). |handler|
  // receives what is sent or posted to it.
  HWND NewWindow(HWND parent, Handler handler = {});
  void SetHandler(HWND window, Handler handler);
  HWND Parent(HWND window) const;
  bool IsWindow(HWND window) const;
  // A child control of |dialog| with |id| (an existing one is returned).
  FakeControl& AddControl(HWND dialog, int id, DialogRect rect = {});
  FakeControl* Control(HWND dialog, int id);
  FakeControl* ControlByWindow(HWND control);
  std::vector<int> ControlIds(HWND dialog) const;
  DialogRect& ClientRect(HWND window);
  DialogFont& Font(HWND window);
  // A child window (a section) as its parent places it.
  DialogRect& PlacedRect(HWND window);
  bool IsShown(HWND window) const;
  bool IsEnabled(HWND window) const;

  LRESULT Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam);
  bool Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam);
  // Delivers posted messages (and those they post) until none is left;
  // answers how many were delivered. Stops after |limit| as a loop guard.
  std::size_t Pump(std::size_t limit = 10000);

  const std::vector<FakeMessage>& Messages() const { return log_; }
  std::vector<FakeMessage> MessagesTo(HWND target, UINT message) const;
  void ClearMessages() { log_.clear(); }

  // Acting as the user. Each pumps the posted messages before it returns.
  void Focus(HWND dialog, int id);
  // Types |keys| into an edit one character at a time.
  void Type(HWND dialog, int id, std::u16string_view keys);
  void Paste(HWND dialog, int id, std::u16string_view clipboard);
  void PressKey(HWND dialog, int id, std::uint32_t virtual_key, bool shift = false);
  // A click into the control: takes the focus (and for a CMyEdit selects all).
  void ClickInto(HWND dialog, int id);
  // Moves the focus away from whatever has it.
  void LeaveFocus();
  // Sends WM_TIMER for a timer the window started; false when none runs.
  bool FireTimer(HWND window, std::uintptr_t timer_id);
  bool IsTimerRunning(HWND window, std::uintptr_t timer_id) const;
  // A button click: checks a radio or check box as the dialog manager
  // would (|check| nullopt leaves the check as it is), then BN_CLICKED.
  void ClickButton(HWND dialog, int id, std::optional<bool> check = std::nullopt);
  // Picks row |index| of a combo's list: selection and CBN_SELCHANGE.
  void PickComboRow(HWND dialog, int id, int index);

  char16_t decimal_separator = u'.';
  // What pages keep in their windows (the window port's page data).
  std::map<HWND, void*> page_data;
  HWND focus() const { return focus_; }
  // The mouse as IsCursorOver and IsLeftButtonDown see it.
  HWND cursor_over = nullptr;
  bool left_button_down = false;
  HWND capture = nullptr;

 private:
  friend class FakeDialogPort;
  struct Window;
  class EditAdapter;
  Window* Find(HWND window);
  const Window* Find(HWND window) const;
  FakeControl* FindControl(HWND control, HWND* dialog);
  std::vector<HWND> ChildWindows(HWND parent) const;
  void Deliver(const FakeMessage& message);
  void NotifyCommand(HWND dialog, int id, std::uint16_t code);

  std::map<HWND, std::unique_ptr<Window>> windows_;
  std::map<HWND, HWND> control_owner_;  // control window -> its dialog
  std::deque<FakeMessage> posted_;
  std::vector<FakeMessage> log_;
  std::uintptr_t next_handle_ = 0x10000;
  HWND focus_ = nullptr;
  std::u16string clipboard_;
  std::vector<std::unique_ptr<EditAdapter>> edit_adapters_;
  std::map<HWND, std::vector<std::uintptr_t>> timers_;
  std::map<std::uint16_t, TemplateFactory> templates_;
};

// The dialog port over one fake window.
class FakeDialogPort final : public DialogPort {
 public:
  FakeDialogPort(FakeWindows& windows, HWND window) : windows_(windows), window_(window) {}

  FakeControl& Control(int id);  // adds it when missing

  HWND Window() override { return window_; }
  HWND Parent() override { return windows_.Parent(window_); }
  HWND Sheet() override;
  HWND ParentOf(HWND window) override { return windows_.Parent(window); }
  HWND Item(int id) override;
  // The window port by handle, on the fake controls of any fake dialog.
  HWND ControlOf(HWND dialog, int id) override;
  HWND NextSibling(HWND window) override;
  std::uint32_t StyleOf(HWND window) override;
  bool IsButtonChecked(HWND button) override;
  void SetButtonChecked(HWND button, bool checked) override;
  int ListSelection(HWND list) override;
  void SelectListRow(HWND list, int row) override;
  HWND FocusedWindow() override { return windows_.focus(); }
  void FocusWindow(HWND window) override;
  void SetPageData(HWND page, void* data) override { windows_.page_data[page] = data; }
  void* PageData(HWND page) override;
  HWND CreateChildDialog(std::uint16_t template_id, DLGPROC, LPARAM param) override {
    return windows_.CreateFromTemplate(window_, template_id, param);
  }
  LRESULT Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) override;
  bool Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) override;
  void NotifyChanged(HWND sheet, HWND page) override;
  void PressCancel(HWND sheet) override;
  bool GetFont(DialogFont* font) override;
  void SetItemFont(int id, const DialogFont& font) override;
  int ScreenDpi() override { return dpi; }
  DialogRect ClientRect() override;
  std::optional<DialogRect> ItemRect(int id) override;
  bool MoveItem(int id, const DialogRect& rect) override;
  std::vector<int> ChildIds() override;
  std::vector<HWND> Children() override;
  std::optional<DialogRect> ChildRect(HWND child) override;
  bool MoveChild(HWND child, const DialogRect& rect) override;
  bool ShowChild(HWND child, bool show) override;
  bool EnableChild(HWND child, bool enable) override;
  void SetChildFont(HWND child, const DialogFont& font) override;
  // As if the dialog sat at the screen's origin.
  std::optional<DialogRect> ItemScreenRect(int id) override { return ItemRect(id); }
  // Half the font's height per character.
  int ChildTextWidth(HWND child, const DialogFont& font) override;
  void Invalidate(const DialogRect& rect) override { invalidated.push_back(rect); }
  bool StartTimer(std::uintptr_t timer_id, UINT period_ms) override;
  void StopTimer(std::uintptr_t timer_id) override;
  void CaptureMouse() override { windows_.capture = window_; }
  void ReleaseMouse() override;
  bool IsCursorOver(int id) override;
  bool IsLeftButtonDown() override { return windows_.left_button_down; }
  void Redraw(int id) override;
  void SetRedraw(int id, bool redraw) override;
  bool SetText(int id, const std::u16string& text) override;
  std::u16string GetText(int id) override;
  bool Enable(int id, bool enable) override;
  bool IsEnabled(int id) override;
  bool Show(int id, bool show) override;
  bool IsVisible(int id) override;
  bool SetCheck(int id, bool checked) override;
  bool IsChecked(int id) override;
  bool Focus(int id) override;
  std::uint32_t AttachCustom(int id, CustomControl kind) override;
  bool SetTextLimit(int id, int characters) override;
  bool SetReadOnly(int id, bool read_only) override;
  bool GetSelection(int id, int* start, int* end) override;
  bool SetSelection(int id, int start, int end) override;
  bool SetInputMode(int id, EditMode mode) override;
  bool SetEditText(int id, const std::u16string& text) override;
  std::optional<std::u16string> GetCheckedText(int id) override;
  std::optional<std::int32_t> GetNumber(int id) override;
  bool ComboAddItem(int id, int index, const ComboItem& item) override;
  bool ComboRebuild(int id) override;
  int ComboCount(int id) override;
  int ComboSelectByData(int id, std::int32_t data) override;
  bool ComboSelectIndex(int id, int index) override;
  int ComboSelectedIndex(int id) override;
  std::int32_t ComboSelectedData(int id) override;
  std::int32_t ComboLastSelectedData(int id) override;
  bool ComboSetItemHeight(int id, int which, int height) override;
  bool ComboSetColours(int id, std::optional<std::uint32_t> text,
                       std::uint32_t background) override;
  bool ComboDrawItem(int, LPARAM) override { return false; }
  bool TrackSetRange(int id, int min, int max) override;
  bool TrackSetTicFrequency(int id, int frequency) override;
  bool TrackSetPageSize(int id, int size) override;
  bool TrackSetLineSize(int id, int size) override;
  bool TrackSetPos(int id, int position) override;
  int TrackPos(int id) override;
  bool SpinSetBuddy(int id, int edit_id) override;
  bool SpinReleaseBuddy(int id) override;
  bool SpinSetRange(int id, int min, int max) override;
  bool SpinSetPos(int id, int position) override;
  int SpinPos(int id) override;
  bool ListSetFullRowSelect(int id) override;
  bool ListAddColumn(int id, int column, const std::u16string& header, int width) override;
  bool ListInsertRow(int id, int row, const std::u16string& first_column) override;
  bool ListSetCell(int id, int row, int column, const std::u16string& text) override;
  std::u16string ListCell(int id, int row, int column) override;
  int ListRowCount(int id) override;
  bool ListSelectRow(int id, int row) override;
  int ListSelectedRow(int id) override;
  std::uint32_t TreeSetIcons(int id, const std::vector<std::uint32_t>& icon_ids) override;
  std::uint32_t TreeAddItem(int id, const TreeItemRecord& item) override;
  std::uint32_t TreeSetItemText(int id, std::uint32_t item, const std::u16string& text,
                                std::uint32_t colour) override;
  std::uint32_t TreeShowItem(int id, std::uint32_t item, bool show) override;
  std::uint32_t TreeExpand(int id, std::uint32_t item, bool expand) override;
  std::uint32_t TreeLayout(int id) override;
  std::uint32_t TreeSelect(int id, std::uint32_t item) override;
  std::uint32_t PreviewSetImage(int id, const CMyDibSection2& image) override;
  std::uintptr_t ShowWaitCursor() override {
    ++waits;
    return 1;
  }
  void RestoreCursor(std::uintptr_t) override { ++restores; }

  int dpi = 96;
  std::vector<DialogRect> invalidated;  // Invalidate calls, in order
  int waits = 0;                        // ShowWaitCursor and RestoreCursor calls
  int restores = 0;

 private:
  FakeControl* Find(int id) { return windows_.Control(window_, id); }
  // A direct child of this dialog by handle: a control, or a window such as
  // a section.
  FakeControl* FindChild(HWND child);
  FakeWindows::Window* FindChildWindow(HWND child);
  FakeControl* FindKind(int id, CustomControl kind);

  FakeWindows& windows_;
  HWND window_;
};

}  // namespace kvt
