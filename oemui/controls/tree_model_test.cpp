#include "oemui/controls/tree_model.h"

#include <gtest/gtest.h>

#include "oemui/controls/my_tree_view.h"

namespace kvt {
namespace {

// The settings tree in small: two sections, one with a nested header.
//   1 General        (header)
//     2 Initialize
//     3 Speed
//   13 Options       (header)
//     14 Print Start (header)
//       15 Logo
//       16 Keycode
//     24 Page Start  (header)
//       25 Feed
void Build(TreeModel* model) {
  constexpr TreeItemKind H = TreeItemKind::kHeader;
  constexpr TreeItemKind R = TreeItemKind::kRow;
  const TreeItemRecord records[] = {
      {H, 1, 0, u"General", 0, true, true},
      {R, 2, 1, u"Initialize"},
      {R, 3, 1, u"Speed"},
      {H, 13, 0, u"Options", 2, true, true},
      {H, 14, 13, u"Print Start", -1, true, true},
      {R, 15, 14, u"Logo"},
      {R, 16, 14, u"Keycode"},
      {H, 24, 13, u"Page Start", -1, true, true},
      {R, 25, 24, u"Feed"},
  };
  for (const TreeItemRecord& record : records) {
    ASSERT_EQ(model->Add(record), kTreeOk) << record.id;
  }
}

TEST(TreeModelTest, RefusesUnknownIdsAndParents) {
  TreeModel model;
  Build(&model);
  EXPECT_EQ(model.Add({TreeItemKind::kRow, 1, 0, u"again"}), kTreeItemNotFound);
  EXPECT_EQ(model.Add({TreeItemKind::kRow, 30, 29, u"orphan"}), kTreeItemNotFound);
  EXPECT_EQ(model.Add({TreeItemKind::kRow, 0, 0, u"no id"}), kTreeItemNotFound);
  EXPECT_EQ(model.SetVisible(99, false), kTreeItemNotFound);
  EXPECT_EQ(model.SetExpanded(2, false), kTreeItemNotFound);  // not a header
}

TEST(TreeModelTest, KeyboardSkipsHiddenAndCollapsedRows) {
  TreeModel model;
  Build(&model);
  ASSERT_EQ(model.SetVisible(3, false), kTreeOk);    // Speed hidden
  ASSERT_EQ(model.SetExpanded(14, false), kTreeOk);  // Print Start collapsed

  struct Case {
    std::uint32_t from;
    std::uint32_t key;
    TreeAction action;
  } cases[] = {
      {2, kKeyDown, {TreeAction::kMove, 13}},   // over hidden Speed
      {14, kKeyDown, {TreeAction::kMove, 24}},  // over collapsed Logo, Keycode
      {25, kKeyDown, {}},                       // last row
      {14, kKeyRight, {TreeAction::kExpand, 14}},
      {24, kKeyRight, {TreeAction::kMove, 25}},  // open: to the first child
      {24, kKeyLeft, {TreeAction::kCollapse, 24}},
      {14, kKeyLeft, {TreeAction::kMove, 13}},  // closed: to the parent
      {25, kKeyLeft, {TreeAction::kMove, 24}},
      {14, kKeyAdd, {TreeAction::kExpand, 14}},
      {24, kKeySubtract, {TreeAction::kCollapse, 24}},
      {14, kKeyReturn, {TreeAction::kShowSection, 14}},
      {2, kKeyReturn, {}},  // a value row opens nothing
  };
  for (const Case& c : cases) {
    ASSERT_EQ(model.SetCurrent(c.from), kTreeOk) << c.from;
    EXPECT_EQ(TreeKeyAction(model, c.key, false), c.action)
        << "from " << c.from << " key " << c.key;
  }
  EXPECT_EQ(TreeKeyAction(model, kKeyTab, true), (TreeAction{TreeAction::kNextControl, 0, true}));
  // Rows off screen cannot be made current.
  EXPECT_EQ(model.SetCurrent(3), kTreeItemNotFound);
  EXPECT_EQ(model.SetCurrent(15), kTreeItemNotFound);
}

TEST(TreeModelTest, CurrentRowThatLeavesTheScreenHandsOverToItsHeader) {
  TreeModel model;
  Build(&model);
  ASSERT_EQ(model.SetCurrent(16), kTreeOk);
  model.SetExpanded(13, false);
  EXPECT_EQ(model.current(), 13);
  model.SetExpanded(13, true);
  ASSERT_EQ(model.SetCurrent(3), kTreeOk);
  model.SetVisible(3, false);
  EXPECT_EQ(model.current(), 1);
}

// A window that records what the tree asks of it; 5 rows fit.
class FakeTreeWindow final : public TreeWindow {
 public:
  int ClientHeight() override { return 5 * 18 + 7; }
  void Invalidate() override { ++paints; }
  void SetScroll(int top_row, int total_rows, int visible_rows) override {
    top = top_row;
    total = total_rows;
    visible = visible_rows;
  }
  void PostToParent(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override {
    posted.push_back({message, wparam, lparam});
  }
  void MoveFocus(bool previous) override { focus_moves.push_back(previous); }

  struct Post {
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
  };
  int paints = 0;
  int top = -1, total = -1, visible = -1;
  std::vector<Post> posted;
  std::vector<bool> focus_moves;
};

TEST(MyTreeViewTest, ClicksToggleOrShowSectionsAndValueRowsDoNothing) {
  FakeTreeWindow window;
  CMyTreeView tree(window);
  TreeModel source;
  Build(&source);
  for (const TreeItem& item : source.items()) {
    tree.AddItem({item.kind, item.id, item.parent_id, item.text, item.icon, item.expandable,
                  item.kind == TreeItemKind::kHeader});
  }
  tree.Layout();
  EXPECT_EQ(window.total * 10 + window.visible, 95);
  const TreeGeometry& g = tree.geometry();

  // Row 1 (Initialize): nothing, not even current.
  tree.OnClick(60, g.row_height + 3);
  EXPECT_TRUE(window.posted.empty());
  EXPECT_EQ(tree.model().current(), 0);

  // Row 4 (Print Start, depth 1): its expander box folds it.
  const ControlRect box = TreeExpanderBox(g, 1);
  tree.OnClick(box.left + 2, 4 * g.row_height + box.top + 2);
  EXPECT_FALSE(tree.model().Find(14)->expanded);
  EXPECT_TRUE(window.posted.empty());
  EXPECT_EQ(window.total, 7);

  // Elsewhere on the header: current, highlighted, 1633 with its id.
  tree.OnClick(80, 4 * g.row_height + 5);
  ASSERT_EQ(window.posted.size(), 1u);
  EXPECT_EQ(window.posted[0].message, kMsgShowSection);
  EXPECT_EQ(window.posted[0].wparam * 10 + window.posted[0].lparam, 140u);
  EXPECT_TRUE(tree.IsHighlighted(*tree.model().Find(14)));
  EXPECT_FALSE(tree.IsHighlighted(*tree.model().Find(13)));

  // Down to the last row scrolls it into view; Enter on it posts again.
  tree.OnKey(kKeyDown, false);
  tree.OnKey(kKeyDown, false);
  EXPECT_EQ(tree.model().current(), 25);
  EXPECT_EQ(window.top, 2);  // rows 2..6 of 7 on screen
  tree.OnKey(kKeyUp, false);
  tree.OnKey(kKeyReturn, false);
  ASSERT_EQ(window.posted.size(), 2u);
  EXPECT_EQ(window.posted[1].wparam, 24u);
  tree.OnKey(kKeyTab, false);
  EXPECT_EQ(window.focus_moves, std::vector<bool>{false});
}

}  // namespace
}  // namespace kvt
