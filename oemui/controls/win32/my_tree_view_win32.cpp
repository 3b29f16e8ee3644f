// CMyTreeView's window: paints the rows, turns keys, clicks, the scroll bar
// and the wheel into calls on CMyTreeView, and carries out what it asks of
// the window.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "oemui/controls/control_attachment.h"
#include "oemui/controls/my_tree_view.h"
#include "oemui/controls/win32/list_controls_win32.h"

namespace kvt {
namespace {

// The pointer position of a mouse message (as windowsx.h's PointerX,
// whose header would also turn DeleteBitmap into a macro).
int PointerX(LPARAM lparam) { return static_cast<short>(LOWORD(lparam)); }
int PointerY(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

constexpr int kIconSize = 16;
constexpr int kMinimumRowHeight = kIconSize + 2;
constexpr int kWheelRows = 3;

class TreeViewWindow final : public AttachedControl, public TreeTarget, public TreeWindow {
 public:
  explicit TreeViewWindow(HWND window) : window_(window), tree_(*this) {}
  ~TreeViewWindow() { FreeIcons(); }

  CustomControl Kind() const override { return CustomControl::kTreeView; }
  TreeTarget* AsTree() override { return this; }

  // TreeTarget: what the pages do through the dialog port.
  std::uint32_t SetIcons(const std::vector<std::uint32_t>& icon_ids) override {
    FreeIcons();
    tree_.SetIcons(icon_ids);
    icons_.assign(icon_ids.size(), nullptr);
    tree_.SetIconSize(icon_ids.empty() ? 0 : kIconSize);
    return 0;
  }
  std::uint32_t AddItem(const TreeItemRecord& item) override { return tree_.AddItem(item); }
  std::uint32_t SetItemText(std::uint32_t item, const std::u16string& text,
                            std::uint32_t colour) override {
    return tree_.SetItemText(item, text, colour);
  }
  std::uint32_t ShowItem(std::uint32_t item, bool show) override {
    return tree_.ShowItem(item, show);
  }
  std::uint32_t Expand(std::uint32_t item, bool expand) override {
    return tree_.Expand(item, expand);
  }
  std::uint32_t Layout() override {
    tree_.Layout();
    return 0;
  }
  std::uint32_t Select(std::uint32_t item) override { return tree_.Select(item); }

  // TreeWindow: what CMyTreeView asks of the window.
  int ClientHeight() override {
    RECT client;
    ::GetClientRect(window_, &client);
    return client.bottom;
  }
  void Invalidate() override { ::InvalidateRect(window_, nullptr, FALSE); }
  void SetScroll(int top_row, int total_rows, int visible_rows) override {
    // Showing or hiding the bar resizes the client area, which lays the
    // tree out again; one level of that is enough.
    if (in_set_scroll_) return;
    in_set_scroll_ = true;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, total_rows - 1);
    info.nPage = static_cast<UINT>(visible_rows);
    info.nPos = top_row;
    ::SetScrollInfo(window_, SB_VERT, &info, TRUE);
    in_set_scroll_ = false;
  }
  void PostToParent(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override {
    ::PostMessageW(::GetParent(window_), message, wparam, lparam);
  }
  void MoveFocus(bool previous) override {
    ::PostMessageW(::GetParent(window_), WM_NEXTDLGCTL, previous ? 1 : 0, 0);
  }

  // Window messages.
  void SetFont(HFONT font) {
    font_ = font;
    HDC dc = ::GetDC(window_);
    HGDIOBJ old = ::SelectObject(dc, font_ != nullptr ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(window_, dc);
    tree_.SetRowHeight(std::max<int>(kMinimumRowHeight, metrics.tmHeight + 4));
  }
  HFONT font() const { return font_; }
  int row_height() const { return tree_.geometry().row_height; }

  UINT DialogCode(const MSG* message) const {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (message != nullptr && message->message == WM_KEYDOWN) {
      if (message->wParam == VK_TAB) code |= DLGC_WANTMESSAGE;
      // Enter opens a header's section; on a value row it stays the
      // dialog's (its default button).
      const TreeItem* current = tree_.model().Find(tree_.model().current());
      if (message->wParam == VK_RETURN && current != nullptr &&
          current->kind == TreeItemKind::kHeader) {
        code |= DLGC_WANTMESSAGE;
      }
    }
    return code;
  }

  void Key(WPARAM key) {
    tree_.OnKey(static_cast<std::uint32_t>(key), ::GetKeyState(VK_SHIFT) < 0);
  }

  void Click(LPARAM lparam) {
    if (::GetFocus() != window_) ::SetFocus(window_);
    tree_.OnClick(PointerX(lparam), PointerY(lparam));
  }

  void Scroll(WORD request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(window_, SB_VERT, &info);
    const int page = std::max(1, static_cast<int>(info.nPage));
    int top = tree_.geometry().top_row;
    switch (request) {
      case SB_LINEUP:
        top -= 1;
        break;
      case SB_LINEDOWN:
        top += 1;
        break;
      case SB_PAGEUP:
        top -= page;
        break;
      case SB_PAGEDOWN:
        top += page;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        top = info.nTrackPos;
        break;
      case SB_TOP:
        top = 0;
        break;
      case SB_BOTTOM:
        top = info.nMax;
        break;
      default:
        return;
    }
    tree_.ScrollTo(top);
  }

  void Wheel(WPARAM wparam) {
    wheel_delta_ += static_cast<short>(HIWORD(wparam));
    const int notches = wheel_delta_ / WHEEL_DELTA;
    wheel_delta_ -= notches * WHEEL_DELTA;
    if (notches != 0) tree_.ScrollTo(tree_.geometry().top_row - notches * kWheelRows);
  }

  void Resized() { tree_.Layout(); }

  void Paint() {
    PAINTSTRUCT paint;
    HDC window_dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    // Drawn off screen first, so rows do not flash while they are filled.
    HDC dc = ::CreateCompatibleDC(window_dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(window_dc, std::max<LONG>(1, client.right),
                                              std::max<LONG>(1, client.bottom));
    HGDIOBJ old_bitmap = ::SelectObject(dc, bitmap);
    HGDIOBJ old_font =
        ::SelectObject(dc, font_ != nullptr ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    ::SetBkMode(dc, TRANSPARENT);

    const TreeGeometry& geometry = tree_.geometry();
    const std::vector<int> rows = tree_.model().DisplayedRows();
    const bool focused = ::GetFocus() == window_;
    for (int r = geometry.top_row; r < static_cast<int>(rows.size()); ++r) {
      const int top = (r - geometry.top_row) * geometry.row_height;
      if (top >= client.bottom) break;
      const TreeItem& item = tree_.model().items()[rows[r]];
      RECT row = {0, top, client.right, top + geometry.row_height};
      PaintRow(dc, row, item);
      if (focused && item.id == tree_.model().current()) ::DrawFocusRect(dc, &row);
    }

    ::BitBlt(window_dc, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ::SelectObject(dc, old_font);
    ::SelectObject(dc, old_bitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::EndPaint(window_, &paint);
  }

 private:
  void PaintRow(HDC dc, const RECT& row, const TreeItem& item) {
    const TreeGeometry& geometry = tree_.geometry();
    const TreeRowColours colours = TreeRowColoursFor(item, tree_.IsHighlighted(item));
    HBRUSH background = ::CreateSolidBrush(ToColorRef(colours.background));
    ::FillRect(dc, &row, background);
    ::DeleteObject(background);

    if (item.expandable) {
      const ControlRect box = TreeExpanderBox(geometry, item.depth);
      const int left = row.left + box.left;
      const int top = row.top + box.top;
      HGDIOBJ old_pen = ::SelectObject(dc, ::GetStockObject(DC_PEN));
      HGDIOBJ old_brush = ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
      ::SetDCPenColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
      ::Rectangle(dc, left, top, left + box.width(), top + box.height());
      ::SetDCPenColor(dc, RGB(0, 0, 0));
      const int mid_x = left + box.width() / 2;
      const int mid_y = top + box.height() / 2;
      ::MoveToEx(dc, left + 2, mid_y, nullptr);
      ::LineTo(dc, left + box.width() - 2, mid_y);
      if (!item.expanded) {
        ::MoveToEx(dc, mid_x, top + 2, nullptr);
        ::LineTo(dc, mid_x, top + box.height() - 2);
      }
      ::SelectObject(dc, old_brush);
      ::SelectObject(dc, old_pen);
    }

    if (HICON icon = Icon(item.icon)) {
      ::DrawIconEx(dc, (item.depth + 1) * geometry.indent,
                   row.top + (geometry.row_height - kIconSize) / 2, icon, kIconSize, kIconSize, 0,
                   nullptr, DI_NORMAL);
    }

    ::SetTextColor(dc, ToColorRef(colours.text));
    RECT text = row;
    text.left = TreeTextLeft(geometry, item);
    ::DrawTextW(dc, Wide(item.text), static_cast<int>(item.text.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }

  // Icons are loaded the first time a row shows them.
  HICON Icon(int index) {
    if (index < 0 || index >= static_cast<int>(icons_.size())) return nullptr;
    if (icons_[index] == nullptr) {
      icons_[index] =
          static_cast<HICON>(::LoadImageW(OwnModule(), MAKEINTRESOURCEW(tree_.icons()[index]),
                                          IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
    }
    return icons_[index];
  }

  void FreeIcons() {
    for (HICON icon : icons_) {
      if (icon != nullptr) ::DestroyIcon(icon);
    }
    icons_.clear();
  }

  HWND window_;
  CMyTreeView tree_;
  HFONT font_ = nullptr;
  std::vector<HICON> icons_;
  int wheel_delta_ = 0;
  bool in_set_scroll_ = false;
};

LRESULT CALLBACK TreeViewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = WindowObjectFor<TreeViewWindow>(window, message);
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_CREATE:
      self->SetFont(nullptr);
      return 0;
    case WM_SETFONT:
      self->SetFont(reinterpret_cast<HFONT>(wparam));
      if (LOWORD(lparam)) self->Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(self->font());
    case WM_GETDLGCODE:
      return self->DialogCode(reinterpret_cast<const MSG*>(lparam));
    case WM_KEYDOWN:
      self->Key(wparam);
      return 0;
    case WM_LBUTTONDOWN:
      self->Click(lparam);
      return 0;
    case WM_VSCROLL:
      self->Scroll(LOWORD(wparam));
      return 0;
    case WM_MOUSEWHEEL:
      self->Wheel(wparam);
      return 0;
    case WM_SIZE:
      self->Resized();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      self->Invalidate();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      self->Paint();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int TreeViewRowHeight(HWND tree) {
  AttachedControl* control = FindControlObject(tree);
  if (control == nullptr || control->Kind() != CustomControl::kTreeView) return 0;
  return static_cast<TreeViewWindow*>(control)->row_height();
}

bool RegisterTreeViewClass(HMODULE module) {
  return RegisterCustomWindowClass(module, &TreeViewProc, IDC_ARROW, kTreeViewClass);
}

}  // namespace kvt
