#include "oemui/controls/my_combo_box.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_module_resources.h"
#include "platform/fake/fake_string_table.h"

namespace kvt {
namespace {

// The list part of a combo box as a vector; text extents are 5 pixels per
// character.
class FakeComboWindow final : public ComboWindow {
 public:
  std::vector<ComboShownRow> Rows() override { return rows; }
  void Clear() override {
    rows.clear();
    selection = -1;
    ++clears;
  }
  void Append(const std::u16string& text, std::int32_t data) override {
    rows.push_back({text, data});
  }
  int Selection() override { return selection; }
  void Select(int index) override { selection = index; }
  int TextWidth(const std::u16string& text) override { return 5 * static_cast<int>(text.size()); }
  int ScrollBarWidth() override { return 17; }
  int ControlWidth() override { return 60; }
  void SetDropDownWidth(int width) override { drop_down_width = width; }

  std::vector<ComboShownRow> rows;
  int selection = -1;
  int clears = 0;
  int drop_down_width = 0;
};

ModuleHandle const kModule = reinterpret_cast<ModuleHandle>(0x1000);

TEST(MyComboBoxTest, SelectByDataFindsFirstMatchOrFallsBackToFirstRow) {
  FakeComboWindow window;
  CMyComboBox combo(window, kModule);
  combo.AddItem(0, {u"Low", 10});
  combo.AddItem(1, {u"Middle", 20});
  combo.AddItem(2, {u"Again", 20});
  combo.Rebuild();

  EXPECT_EQ(combo.SelectByData(20), 1);
  EXPECT_EQ(combo.GetSelectedData(), 20);

  EXPECT_EQ(combo.SelectByData(99), -1);
  EXPECT_EQ(combo.GetSelectedData(), 10);

  FakeComboWindow none;
  CMyComboBox empty(none, kModule);
  empty.Rebuild();
  EXPECT_EQ(empty.SelectByData(0), -1);
  EXPECT_EQ(empty.GetSelectedData(), -1);
}

TEST(MyComboBoxTest, RebuildRefillsOnlyWhenTheRowsChanged) {
  FakeComboWindow window;
  CMyComboBox combo(window, kModule);
  combo.AddItem(0, {u"Left", 0});
  combo.AddItem(1, {u"Centered text", 1});
  combo.Rebuild();
  ASSERT_EQ(window.rows.size(), 2u);
  EXPECT_EQ(window.clears, 1);
  EXPECT_EQ(window.drop_down_width, 5 * 13 + 17 + 8);

  // The same description again leaves the window (and its selection) alone.
  combo.SelectByData(1);
  combo.AddItem(0, {u"Left", 0});
  combo.AddItem(1, {u"Centered text", 1});
  combo.Rebuild();
  EXPECT_EQ(window.clears, 1);
  EXPECT_EQ(window.selection, 1);

  // Index 0 starts over: a shorter list replaces the longer one.
  combo.AddItem(0, {u"Only", 7});
  combo.Rebuild();
  EXPECT_EQ(window.clears, 2);
  ASSERT_EQ(window.rows.size(), 1u);
  EXPECT_EQ(window.rows[0].data, 7);
  EXPECT_EQ(window.drop_down_width, 60);  // never narrower than the control
}

TEST(MyComboBoxTest, AddItemRefusesAHoleAndReplacesInPlace) {
  FakeComboWindow window;
  CMyComboBox combo(window, kModule);
  EXPECT_EQ(combo.AddItem(1, {u"B", 2}), 107u);
  EXPECT_EQ(combo.AddItem(0, {u"A", 1}), 0u);
  EXPECT_EQ(combo.AddItem(2, {u"C", 3}), 107u);
  EXPECT_EQ(combo.AddItem(1, {u"b", 4}), 0u);
  combo.Rebuild();
  ASSERT_EQ(window.rows.size(), 2u);
  EXPECT_EQ(window.rows[1].text + char16_t(u'0' + window.rows[1].data), u"b4");
}

TEST(MyComboBoxTest, RowsFromStringsAndIcons) {
  FakeStringTable strings;
  strings.Add(kModule, 86, u"Enabled");
  ScopedService<StringTable> strings_scope(strings);
  FakeModuleResources resources;
  BitmapPixels bitmap;
  bitmap.width = 2;
  bitmap.height = 2;
  bitmap.rows.assign(16, 0);  // two rows of 6 bytes padded to 8
  resources.bitmaps[{kModule, 300}] = bitmap;
  ScopedService<ModuleResources> resources_scope(resources);

  FakeComboWindow window;
  CMyComboBox combo(window, kModule);
  EXPECT_EQ(combo.AddItemFromString(0, 86, {u"", 1, ComboIconKind::kBitmap, 300}), 0u);
  // A missing picture keeps the row, without an icon.
  EXPECT_EQ(combo.AddItem(1, {u"X", 2, ComboIconKind::kTiff, 301}), 107u);
  // A missing string adds nothing.
  EXPECT_EQ(combo.AddItemFromString(2, 999, {u"", 3}), 201u);

  ASSERT_EQ(combo.item_count(), 2);
  ASSERT_NE(combo.Icon(0), nullptr);
  EXPECT_EQ(combo.IconKind(0), ComboIconKind::kBitmap);
  EXPECT_EQ(combo.Icon(1), nullptr);
  combo.Rebuild();
  EXPECT_EQ(window.rows[0].text, u"Enabled");
  // The row with the icon is measured from where its text starts, so its
  // text is not cut off at the drop-down's edge.
  EXPECT_EQ(window.drop_down_width, (3 + 2 + 8) + 5 * 7 + 17 + 8);
}

TEST(MyComboBoxTest, UserPicksLeaveThePagesLastSelectionForComparison) {
  FakeComboWindow window;
  CMyComboBox combo(window, kModule);
  combo.AddItem(0, {u"A", 1});
  combo.AddItem(1, {u"B", 2});
  combo.AddItem(2, {u"C", 3});
  combo.Rebuild();
  EXPECT_EQ(combo.LastSelectedData(), -1);
  EXPECT_TRUE(combo.OnArrowKey(kKeyDown));  // nothing -> A
  EXPECT_EQ(combo.LastSelectedData(), -1);
  ASSERT_TRUE(combo.SelectIndex(1));
  EXPECT_TRUE(combo.OnArrowKey(kKeyRight));  // B -> C
  EXPECT_FALSE(combo.OnArrowKey(kKeyDown));  // stays on C
  EXPECT_EQ(combo.GetSelectedData(), 3);
  EXPECT_EQ(combo.LastSelectedData(), 2);
  EXPECT_FALSE(combo.SelectIndex(3));

  // Confirming the drop-down with nothing selected puts B back.
  window.selection = -1;
  EXPECT_EQ(combo.OnSelectionAccepted(), 1);
  EXPECT_EQ(window.selection, 1);
}

}  // namespace
}  // namespace kvt
