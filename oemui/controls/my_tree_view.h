// CMyTreeView: the settings tree of the document pages. It holds the rows
// (TreeModel), scrolls them, carries out what a key or a click asks for and
// tells its parent which section to show (message 1633). The window side
// paints and feeds it input through TreeWindow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "oemui/controls/tree_model.h"

namespace kvt {

class TreeWindow {
 public:
  virtual ~TreeWindow() = default;

  virtual int ClientHeight() = 0;
  // Repaint the whole client area.
  virtual void Invalidate() = 0;
  // Show the vertical scroll position: |top_row| of |total_rows|, with
  // |visible_rows| on screen.
  virtual void SetScroll(int top_row, int total_rows, int visible_rows) = 0;
  virtual void PostToParent(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) = 0;
  // Give the focus to the next (or previous) control of the dialog.
  virtual void MoveFocus(bool previous) = 0;
};

class CMyTreeView {
 public:
  explicit CMyTreeView(TreeWindow& window) : window_(window) {}

  // Building and updating the rows. An id the tree does not hold gives 107.
  std::uint32_t AddItem(const TreeItemRecord& record) { return model_.Add(record); }
  void DeleteAllItems();
  std::uint32_t SetItemText(std::uint32_t id, const std::u16string& text, std::uint32_t colour);
  std::uint32_t ShowItem(std::uint32_t id, bool visible);
  std::uint32_t Expand(std::uint32_t id, bool expand);
  // Icon resources the rows refer to by index.
  void SetIcons(std::vector<std::uint32_t> resource_ids) { icons_ = std::move(resource_ids); }
  const std::vector<std::uint32_t>& icons() const { return icons_; }

  // After a batch of changes: fits the scroll range and repaints.
  void Layout();
  // Makes |id| current and scrolls it into view (no notification).
  std::uint32_t Select(std::uint32_t id);
  std::uint32_t EnsureVisible(std::uint32_t id);

  // Input. |shift|: the Shift key is held.
  void OnKey(std::uint32_t key, bool shift);
  void OnClick(int x, int y);
  // The scroll bar or the wheel asks for a new first row.
  void ScrollTo(int top_row);
  void SetRowHeight(int row_height);
  void SetIconSize(int icon_size) { geometry_.icon_size = icon_size; }

  // Headers are highlighted while they are the current row: the section the
  // page shows stays marked when the focus goes elsewhere.
  bool IsHighlighted(const TreeItem& item) const {
    return item.kind == TreeItemKind::kHeader && item.id == model_.current();
  }

  const TreeModel& model() const { return model_; }
  const TreeGeometry& geometry() const { return geometry_; }
  int VisibleRows();

 private:
  void Carry(const TreeAction& action);

  TreeWindow& window_;
  TreeModel model_;
  TreeGeometry geometry_;
  std::vector<std::uint32_t> icons_;
};

}  // namespace kvt
