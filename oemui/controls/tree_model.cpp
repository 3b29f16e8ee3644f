#include "oemui/controls/tree_model.h"

#include <algorithm>

namespace kvt {

std::uint32_t TreeModel::Add(const TreeItemRecord& spec) {
  if (spec.id == 0 || IndexOf(spec.id) >= 0) return kTreeItemNotFound;
  int depth = 0;
  if (spec.parent_id != 0) {
    const int parent = IndexOf(spec.parent_id);
    if (parent < 0) return kTreeItemNotFound;
    depth = items_[parent].depth + 1;
  }
  TreeItem item;
  item.kind = spec.kind;
  item.id = spec.id;
  item.parent_id = spec.parent_id;
  item.depth = depth;
  item.icon = spec.icon;
  item.text = spec.text;
  item.expandable = spec.expandable;
  // The list is there to be read: every section starts open.
  item.expanded = spec.expandable;
  items_.push_back(std::move(item));
  return kTreeOk;
}

void TreeModel::Clear() {
  items_.clear();
  current_ = 0;
}

std::uint32_t TreeModel::SetText(std::uint32_t id, const std::u16string& text,
                                 std::uint32_t colour) {
  const int index = IndexOf(id);
  if (index < 0) return kTreeItemNotFound;
  items_[index].text = text;
  items_[index].colour = colour;
  return kTreeOk;
}

std::uint32_t TreeModel::SetVisible(std::uint32_t id, bool visible) {
  const int index = IndexOf(id);
  if (index < 0) return kTreeItemNotFound;
  items_[index].visible = visible;
  KeepCurrentDisplayed();
  return kTreeOk;
}

std::uint32_t TreeModel::SetExpanded(std::uint32_t id, bool expanded) {
  const int index = IndexOf(id);
  if (index < 0 || !items_[index].expandable) return kTreeItemNotFound;
  items_[index].expanded = expanded;
  KeepCurrentDisplayed();
  return kTreeOk;
}

std::uint32_t TreeModel::SetCurrent(std::uint32_t id) {
  if (!IsDisplayed(id)) return kTreeItemNotFound;
  current_ = id;
  return kTreeOk;
}

const TreeItem* TreeModel::Find(std::uint32_t id) const {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &items_[index];
}

std::vector<int> TreeModel::DisplayedRows() const {
  std::vector<int> rows;
  rows.reserve(items_.size());
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (IsDisplayed(items_[i].id)) rows.push_back(i);
  }
  return rows;
}

bool TreeModel::IsDisplayed(std::uint32_t id) const {
  int index = IndexOf(id);
  if (index < 0 || !items_[index].visible) return false;
  while (items_[index].parent_id != 0) {
    index = IndexOf(items_[index].parent_id);
    if (index < 0) return false;
    const TreeItem& parent = items_[index];
    if (!parent.visible || (parent.expandable && !parent.expanded)) return false;
  }
  return true;
}

int TreeModel::IndexOf(std::uint32_t id) const {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (items_[i].id == id) return i;
  }
  return -1;
}

void TreeModel::KeepCurrentDisplayed() {
  std::uint32_t id = current_;
  while (id != 0 && !IsDisplayed(id)) {
    const TreeItem* item = Find(id);
    id = item != nullptr ? item->parent_id : 0;
  }
  current_ = id;
}

namespace {

// Position of |id| among |rows| (indexes into |items|), -1 when not shown.
int RowOf(const std::vector<TreeItem>& items, const std::vector<int>& rows, std::uint32_t id) {
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    if (items[rows[r]].id == id) return r;
  }
  return -1;
}

bool IsOpenHeader(const TreeItem& item) { return item.expandable && item.expanded; }
bool IsClosedHeader(const TreeItem& item) { return item.expandable && !item.expanded; }

}  // namespace

TreeAction TreeKeyAction(const TreeModel& model, std::uint32_t key, bool shift) {
  if (key == kKeyTab) return {TreeAction::kNextControl, 0, shift};
  const std::vector<TreeItem>& items = model.items();
  const std::vector<int> rows = model.DisplayedRows();
  if (rows.empty()) return {};
  const int row = RowOf(items, rows, model.current());
  if (row < 0) {
    // Nothing current yet: the first arrow press lands on the top row.
    if (key == kKeyUp || key == kKeyDown) return {TreeAction::kMove, items[rows[0]].id};
    return {};
  }
  const TreeItem& item = items[rows[row]];
  switch (key) {
    case kKeyUp:
      return row > 0 ? TreeAction{TreeAction::kMove, items[rows[row - 1]].id} : TreeAction{};
    case kKeyDown:
      return row + 1 < static_cast<int>(rows.size())
                 ? TreeAction{TreeAction::kMove, items[rows[row + 1]].id}
                 : TreeAction{};
    case kKeyLeft:
      if (IsOpenHeader(item)) return {TreeAction::kCollapse, item.id};
      return item.parent_id != 0 ? TreeAction{TreeAction::kMove, item.parent_id} : TreeAction{};
    case kKeyRight:
      if (IsClosedHeader(item)) return {TreeAction::kExpand, item.id};
      // The first child on screen is the next displayed row, if that row
      // hangs under this one.
      if (row + 1 < static_cast<int>(rows.size()) && items[rows[row + 1]].parent_id == item.id) {
        return {TreeAction::kMove, items[rows[row + 1]].id};
      }
      return {};
    case kKeyAdd:
      return IsClosedHeader(item) ? TreeAction{TreeAction::kExpand, item.id} : TreeAction{};
    case kKeySubtract:
      return IsOpenHeader(item) ? TreeAction{TreeAction::kCollapse, item.id} : TreeAction{};
    case kKeyReturn:
    case kKeySpace:
      return item.kind == TreeItemKind::kHeader ? TreeAction{TreeAction::kShowSection, item.id}
                                                : TreeAction{};
    default:
      return {};
  }
}

ControlRect TreeExpanderBox(const TreeGeometry& geometry, int depth) {
  const int size = std::min(9, geometry.row_height);
  const int left = depth * geometry.indent + (geometry.indent - size) / 2;
  const int top = (geometry.row_height - size) / 2;
  return {left, top, left + size, top + size};
}

int TreeTextLeft(const TreeGeometry& geometry, const TreeItem& item) {
  int left = (item.depth + 1) * geometry.indent;
  if (item.icon >= 0 && geometry.icon_size > 0) left += geometry.icon_size + 2;
  return left + 2;
}

TreeAction TreeClickAction(const TreeModel& model, const TreeGeometry& geometry, int x, int y) {
  if (y < 0 || geometry.row_height <= 0) return {};
  const std::vector<int> rows = model.DisplayedRows();
  const int row = geometry.top_row + y / geometry.row_height;
  if (row < 0 || row >= static_cast<int>(rows.size())) return {};
  const TreeItem& item = model.items()[rows[row]];
  if (item.kind != TreeItemKind::kHeader) return {};
  if (item.expandable) {
    const ControlRect box = TreeExpanderBox(geometry, item.depth);
    const int row_y = y % geometry.row_height;
    // A pixel of slack around the small box: it is hard to hit otherwise.
    if (x >= box.left - 1 && x < box.right + 1 && row_y >= box.top - 1 && row_y < box.bottom + 1) {
      return {TreeAction::kToggle, item.id};
    }
  }
  return {TreeAction::kShowSection, item.id};
}

int TreeScrollToShow(int top_row, int visible_rows, int total_rows, int row) {
  visible_rows = std::max(1, visible_rows);
  if (row < top_row) {
    top_row = row;
  } else if (row >= top_row + visible_rows) {
    top_row = row - visible_rows + 1;
  }
  return std::clamp(top_row, 0, std::max(0, total_rows - visible_rows));
}

TreeRowColours TreeRowColoursFor(const TreeItem& item, bool highlighted) {
  if (item.kind == TreeItemKind::kRow) {
    return {PaintColour::System(kSysWindow), PaintColour::Rgb(item.colour)};
  }
  return {PaintColour::Rgb(highlighted ? kTreeHeaderHighlight : kTreeHeaderBackground),
          PaintColour::Rgb(0)};
}

}  // namespace kvt
