#include "oemui/controls/combo_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvt {
namespace {

TEST(ComboKeyTargetTest, StepsWithinTheList) {
  struct Case {
    std::uint32_t key;
    int selected;
    int count;
    int target;
  } cases[] = {
      {kKeyRight, 1, 3, 2},  {kKeyLeft, 1, 3, 0},    {kKeyDown, 2, 3, -1},  // already last
      {kKeyUp, 0, 3, -1},                                                   // already first
      {kKeyDown, -1, 3, 0},  {kKeyUp, -1, 3, 0},                            // nothing selected yet
      {kKeyDown, 7, 3, 0},  // a stale index is not trusted
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

TEST(ComboRowColoursTest, ByRowState) {
  const PaintColour window = PaintColour::System(kSysWindow);
  const PaintColour highlight = PaintColour::System(kSysHighlight);
  const PaintColour text = PaintColour::System(kSysWindowText);
  const PaintColour grey = PaintColour::System(kSysGrayText);
  const PaintColour own_text = PaintColour::Rgb(0x0000FF);
  const PaintColour own_back = PaintColour::Rgb(0x00FFFF);
  // selected, focused, has text, disabled, own colours, dropped down.
  auto state = [](bool selected, bool focused, bool has_text, bool disabled, bool own,
                  bool dropped) {
    ComboRowState s;
    s.selected = selected;
    s.focused = focused;
    s.has_text = has_text;
    s.disabled = disabled;
    s.has_own_colours = own;
    s.own_text = 0x0000FF;
    s.own_background = 0x00FFFF;
    s.dropped_down = dropped;
    return s;
  };
  const struct {
    const char* name;
    ComboRowState state;
    PaintColour background, text;
  } cases[] = {
      {"plain", state(0, 0, 1, 0, 0, 0), window, text},
      {"selected, focused", state(1, 1, 1, 0, 0, 0), highlight,
       PaintColour::System(kSysHighlightText)},
      {"selected, unfocused", state(1, 0, 1, 0, 0, 0), highlight, text},
      {"selected but empty", state(1, 1, 0, 0, 0, 0), window, grey},
      {"disabled", state(0, 0, 1, 1, 0, 0), PaintColour::System(kSysButtonFace), grey},
      {"own colours, selected, closed", state(1, 1, 1, 0, 1, 0), own_back, own_text},
      {"own colours, selected, open", state(1, 1, 1, 0, 1, 1), highlight, own_text},
  };
  for (const auto& c : cases) {
    const ComboRowColours colours = ComboRowColoursFor(c.state);
    EXPECT_EQ(colours.background, c.background) << c.name;
    EXPECT_EQ(colours.text, c.text) << c.name;
  }
}

TEST(ComboRowPlacementTest, IconCentredTextEightPixelsAfter) {
  const ComboRowPlacement with_icon = ComboRowPlacementFor(20, 16, 12);
  EXPECT_EQ((std::vector<int>{with_icon.icon_x, with_icon.icon_y, with_icon.text_x}),
            (std::vector<int>{3, 4, 3 + 16 + 8}));
}

}  // namespace
}  // namespace kvt
