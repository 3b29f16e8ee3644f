#include "oemui/controls/my_tree_view.h"

#include <algorithm>

namespace kvt {

void CMyTreeView::DeleteAllItems() {
  model_.Clear();
  geometry_.top_row = 0;
  Layout();
}

std::uint32_t CMyTreeView::SetItemText(std::uint32_t id, const std::u16string& text,
                                       std::uint32_t colour) {
  const std::uint32_t result = model_.SetText(id, text, colour);
  if (result == kTreeOk) window_.Invalidate();
  return result;
}

std::uint32_t CMyTreeView::ShowItem(std::uint32_t id, bool visible) {
  return model_.SetVisible(id, visible);
}

std::uint32_t CMyTreeView::Expand(std::uint32_t id, bool expand) {
  return model_.SetExpanded(id, expand);
}

int CMyTreeView::VisibleRows() {
  return std::max(1, window_.ClientHeight() / std::max(1, geometry_.row_height));
}

void CMyTreeView::Layout() {
  const int total = static_cast<int>(model_.DisplayedRows().size());
  const int visible = VisibleRows();
  geometry_.top_row = std::clamp(geometry_.top_row, 0, std::max(0, total - visible));
  window_.SetScroll(geometry_.top_row, total, visible);
  window_.Invalidate();
}

std::uint32_t CMyTreeView::Select(std::uint32_t id) {
  const std::uint32_t result = model_.SetCurrent(id);
  if (result != kTreeOk) return result;
  return EnsureVisible(id);
}

std::uint32_t CMyTreeView::EnsureVisible(std::uint32_t id) {
  const std::vector<int> rows = model_.DisplayedRows();
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    if (model_.items()[rows[r]].id != id) continue;
    geometry_.top_row =
        TreeScrollToShow(geometry_.top_row, VisibleRows(), static_cast<int>(rows.size()), r);
    Layout();
    return kTreeOk;
  }
  return kTreeItemNotFound;
}

void CMyTreeView::OnKey(std::uint32_t key, bool shift) { Carry(TreeKeyAction(model_, key, shift)); }

void CMyTreeView::OnClick(int x, int y) { Carry(TreeClickAction(model_, geometry_, x, y)); }

void CMyTreeView::ScrollTo(int top_row) {
  geometry_.top_row = top_row;
  Layout();
}

void CMyTreeView::SetRowHeight(int row_height) {
  geometry_.row_height = std::max(1, row_height);
  Layout();
}

void CMyTreeView::Carry(const TreeAction& action) {
  switch (action.kind) {
    case TreeAction::kNone:
      return;
    case TreeAction::kMove:
      Select(action.id);
      return;
    case TreeAction::kExpand:
    case TreeAction::kCollapse:
    case TreeAction::kToggle: {
      const TreeItem* item = model_.Find(action.id);
      if (item == nullptr) return;
      const bool expand = action.kind == TreeAction::kExpand ||
                          (action.kind == TreeAction::kToggle && !item->expanded);
      model_.SetExpanded(action.id, expand);
      Layout();
      return;
    }
    case TreeAction::kShowSection:
      if (Select(action.id) != kTreeOk) return;
      window_.PostToParent(kMsgShowSection, static_cast<std::uintptr_t>(action.id), 0);
      return;
    case TreeAction::kNextControl:
      window_.MoveFocus(action.previous);
      return;
  }
}

}  // namespace kvt
