// The dialog port over a real dialog window. A page's dialog procedure
// makes one for its window at WM_INITDIALOG and keeps it with the page.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

class Win32DialogPort final : public DialogPort {
 public:
  explicit Win32DialogPort(HWND dialog) : dialog_(dialog) {}
  // Gives bound edits their input method back and frees the fonts made here.
  ~Win32DialogPort() override;
  Win32DialogPort(const Win32DialogPort&) = delete;
  Win32DialogPort& operator=(const Win32DialogPort&) = delete;

  HWND Window() override { return dialog_; }
  HWND Parent() override;
  HWND Sheet() override;
  HWND ParentOf(HWND window) override;
  HWND Item(int id) override;
  // The window port's operations by handle are the process's own.
  HWND ControlOf(HWND dialog, int id) override {
    return Service<WindowPort>().ControlOf(dialog, id);
  }
  HWND NextSibling(HWND window) override { return Service<WindowPort>().NextSibling(window); }
  std::uint32_t StyleOf(HWND window) override { return Service<WindowPort>().StyleOf(window); }
  bool IsButtonChecked(HWND button) override {
    return Service<WindowPort>().IsButtonChecked(button);
  }
  void SetButtonChecked(HWND button, bool checked) override {
    Service<WindowPort>().SetButtonChecked(button, checked);
  }
  int ListSelection(HWND list) override { return Service<WindowPort>().ListSelection(list); }
  void SelectListRow(HWND list, int row) override {
    Service<WindowPort>().SelectListRow(list, row);
  }
  HWND FocusedWindow() override { return Service<WindowPort>().FocusedWindow(); }
  void FocusWindow(HWND window) override { Service<WindowPort>().FocusWindow(window); }
  void SetPageData(HWND page, void* data) override {
    Service<WindowPort>().SetPageData(page, data);
  }
  void* PageData(HWND page) override { return Service<WindowPort>().PageData(page); }
  LRESULT Send(HWND target, UINT message, WPARAM wparam, LPARAM lparam) override;
  bool Post(HWND target, UINT message, WPARAM wparam, LPARAM lparam) override;
  HWND CreateChildDialog(std::uint16_t template_id, DLGPROC procedure, LPARAM param) override;
  void NotifyChanged(HWND sheet, HWND page) override;
  void PressCancel(HWND sheet) override;
  bool GetFont(DialogFont* font) override;
  void SetItemFont(int id, const DialogFont& font) override;
  int ScreenDpi() override;
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
  std::optional<DialogRect> ItemScreenRect(int id) override;
  int ChildTextWidth(HWND child, const DialogFont& font) override;
  void Invalidate(const DialogRect& rect) override;
  bool StartTimer(std::uintptr_t timer_id, UINT period_ms) override;
  void StopTimer(std::uintptr_t timer_id) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  bool IsCursorOver(int id) override;
  bool IsLeftButtonDown() override;
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
  bool ComboDrawItem(int id, LPARAM draw_item) override;
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
  std::uintptr_t ShowWaitCursor() override;
  void RestoreCursor(std::uintptr_t previous) override;

 private:
  EditTarget* EditOf(int id);
  ComboItemsTarget* ComboOf(int id);
  TreeTarget* TreeOf(int id);

  HWND dialog_;
  std::vector<HFONT> fonts_;
  // Bound up-down id -> its edit and the edit's input context before.
  std::map<int, std::pair<HWND, void*>> buddies_;
  // Plain combo boxes: the index selected last through the port.
  std::map<int, int> last_selected_;
};

}  // namespace kvt
