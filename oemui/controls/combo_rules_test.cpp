#include "oemui/controls/combo_rules.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(ComboKeyTargetTest, StepsWithinTheList) {
  struct Case {
    std::uint32_t key;
    int selected;
    int count;
    int target;
  } cases[] = {
      {kKeyDown, 0, 3, 1},   {kKeyRight, 1, 3, 2},   {kKeyUp, 2, 3, 1},
      {kKeyLeft, 1, 3, 0},   {kKeyDown, 2, 3, -1},  // already last
      {kKeyUp, 0, 3, -1},                           // already first
      {kKeyDown, -1, 3, 0},  {kKeyUp, -1, 3, 0},    // nothing selected yet
      {kKeyDown, 7, 3, 0},                          // a stale index is not trusted
      {kKeyDown, -1, 0, -1}, {kKeyReturn, 1, 3, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComboKeyTarget(c.key, c.selected, c.count), c.target)
        << "key " << c.key << " from " << c.selected;
  }
}

TEST(ComboAcceptedSelectionTest, EmptyChoiceFallsBackToTheLastRow) {
  EXPECT_EQ(ComboAcceptedSelection(2, 0, 3), 2);
  EXPECT_EQ(ComboAcceptedSelection(-1, 1, 3), 1);
  EXPECT_EQ(ComboAcceptedSelection(-1, 5, 3), -1);  // the list got shorter since
  EXPECT_EQ(ComboAcceptedSelection(-1, -1, 3), -1);
}

TEST(ComboNeedsRefillTest, AnyDifferenceInCountTextOrData) {
  const std::vector<ComboShownRow> shown = {{u"A", 1}, {u"B", 2}};
  EXPECT_FALSE(ComboNeedsRefill(shown, shown));
  EXPECT_TRUE(ComboNeedsRefill(shown, {{u"A", 1}}));
  EXPECT_TRUE(ComboNeedsRefill(shown, {{u"A", 1}, {u"C", 2}}));
  EXPECT_TRUE(ComboNeedsRefill(shown, {{u"A", 1}, {u"B", 3}}));
}

TEST(ComboDropDownWidthTest, WidestRowPlusScrollBarNeverNarrowerThanControl) {
  EXPECT_EQ(ComboDropDownWidth({40, 120, 80}, 17, 100), 120 + 17 + 8);
  EXPECT_EQ(ComboDropDownWidth({40, 60}, 17, 100), 100);
  EXPECT_EQ(ComboDropDownWidth({}, 17, 100), 100);
}

TEST(ComboRowColoursTest, ByRowState) {
  const PaintColour window = PaintColour::System(kSysWindow);
  const PaintColour highlight = PaintColour::System(kSysHighlight);
  const PaintColour face = PaintColour::System(kSysButtonFace);
  const PaintColour text = PaintColour::System(kSysWindowText);
  const PaintColour grey = PaintColour::System(kSysGrayText);
  const PaintColour highlight_text = PaintColour::System(kSysHighlightText);
  const PaintColour own_text = PaintColour::Rgb(0x0000FF);
  const PaintColour own_back = PaintColour::Rgb(0x00FFFF);

  struct Case {
    const char* name;
    ComboRowState state;
    PaintColour background;
    PaintColour text;
  };
  ComboRowState plain;
  ComboRowState selected_focused = plain;
  selected_focused.selected = true;
  selected_focused.focused = true;
  ComboRowState selected_unfocused = plain;
  selected_unfocused.selected = true;
  ComboRowState selected_empty = selected_focused;
  selected_empty.has_text = false;
  ComboRowState disabled = plain;
  disabled.disabled = true;
  ComboRowState coloured = plain;
  coloured.has_own_colours = true;
  coloured.own_text = 0x0000FF;
  coloured.own_background = 0x00FFFF;
  ComboRowState coloured_selected_closed = coloured;
  coloured_selected_closed.selected = true;
  coloured_selected_closed.focused = true;
  ComboRowState coloured_selected_open = coloured_selected_closed;
  coloured_selected_open.dropped_down = true;

  const Case cases[] = {
      {"plain", plain, window, text},
      {"selected, focused", selected_focused, highlight, highlight_text},
      {"selected, unfocused", selected_unfocused, highlight, text},
      {"selected but empty", selected_empty, window, grey},
      {"disabled", disabled, face, grey},
      {"own colours", coloured, own_back, own_text},
      {"own colours, selected, closed", coloured_selected_closed, own_back, own_text},
      {"own colours, selected, open", coloured_selected_open, highlight, own_text},
  };
  for (const Case& c : cases) {
    const ComboRowColours colours = ComboRowColoursFor(c.state);
    EXPECT_EQ(colours.background, c.background) << c.name;
    EXPECT_EQ(colours.text, c.text) << c.name;
  }
}

TEST(ComboRowPlacementTest, IconCentredTextEightPixelsAfter) {
  const ComboRowPlacement with_icon = ComboRowPlacementFor(20, 16, 12);
  EXPECT_EQ(with_icon.icon_x, 3);
  EXPECT_EQ(with_icon.icon_y, 4);
  EXPECT_EQ(with_icon.text_x, 3 + 16 + 8);
}

}  // namespace
}  // namespace kvt
