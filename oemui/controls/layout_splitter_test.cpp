#include "oemui/controls/layout_splitter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "oemui/controls/fake_dialog_port.h"
#include "oemui/controls/my_preview.h"
#include "oemui/controls/my_spriter.h"

namespace kvt {
namespace {

// A page column: preview 10..130, splitter 130..136, tree 136..300.
const ControlRect kUpper = {7, 10, 167, 130};
const ControlRect kSplitter = {7, 130, 167, 136};
const ControlRect kLower = {7, 136, 167, 300};

// At least 32 below the upper top and 32 above the lower bottom.
TEST(LayoutSplitterTest, ClampsAndMovesBothNeighbours) {
  for (int requested = -50; requested < 320; ++requested) {
    const int top = std::clamp(requested, 10 + 32, 300 - 32);
    const SplitterLayout layout = LayoutSplitter(kSplitter, kUpper, kLower, requested);
    EXPECT_EQ(layout.splitter, (ControlRect{7, top, 167, top + 6})) << requested;
    EXPECT_EQ(layout.upper, (ControlRect{7, 10, 167, top})) << requested;
    EXPECT_EQ(layout.lower, (ControlRect{7, top + 6, 167, 300})) << requested;
  }
}

TEST(LayoutSplitterTest, MovesThePagesControls) {
  FakeWindows windows;
  HWND page = windows.NewWindow(nullptr);
  FakeDialogPort port(windows, page);
  constexpr int kSplitterId = 1287;
  windows.AddControl(page, kSplitterUpperId, {7, 10, 167, 130});
  windows.AddControl(page, kSplitterId, {7, 130, 167, 136});
  EXPECT_EQ(LayoutSplitter(port, kSplitterId, 100), 107u);  // no tree yet
  windows.AddControl(page, kSplitterLowerId, {7, 136, 167, 300});

  ASSERT_EQ(LayoutSplitter(port, kSplitterId, 20), 0u);
  EXPECT_EQ(port.ItemRect(kSplitterUpperId), (DialogRect{7, 10, 167, 42}));
  EXPECT_EQ(port.ItemRect(kSplitterId), (DialogRect{7, 42, 167, 48}));
  EXPECT_EQ(port.ItemRect(kSplitterLowerId), (DialogRect{7, 48, 167, 300}));
}

TEST(LayoutSplitterTest, ShortPageGivesNoNegativeHeights) {
  const ControlRect upper = {0, 10, 100, 30};
  const ControlRect splitter = {0, 30, 100, 36};
  const ControlRect lower = {0, 36, 100, 50};
  for (int requested : {-10, 20, 40, 90}) {
    const SplitterLayout layout = LayoutSplitter(splitter, upper, lower, requested);
    EXPECT_GE(layout.upper.height(), 0) << requested;
    EXPECT_GE(layout.lower.height(), 0) << requested;
    EXPECT_EQ(layout.splitter.height(), 6) << requested;
  }
}

TEST(SplitterTest, DragPostsTopLeftKeepingTheGrabPoint) {
  SplitterDrag drag;
  std::uint32_t packed = 0;
  EXPECT_FALSE(drag.Move(50, 50, &packed));  // not pressed: nothing to post
  drag.Press(40, 2);
  ASSERT_TRUE(drag.Move(47, 150, &packed));
  EXPECT_EQ(SplitterPositionX(packed), 7);
  EXPECT_EQ(SplitterPositionY(packed), 148);
  EXPECT_EQ(packed >> 16, 148u);  // y in the high word
  // Dragged above the parent: read back negative, not as 65000-something.
  ASSERT_TRUE(drag.Move(47, -20, &packed));
  EXPECT_EQ(SplitterPositionY(packed), -22);
  drag.Release();
  EXPECT_FALSE(drag.Move(47, 150, &packed));
}

TEST(PreviewTest, CentredWithAFourPixelTop) {
  struct Case {
    int cw, ch, iw, ih, x, y;
  } cases[] = {
      {200, 200, 100, 100, 50, 50},
      {200, 104, 100, 100, 50, 4},  // centring would give 2
      {200, 80, 100, 100, 50, 4},   // taller than the box
      {80, 200, 100, 100, -10, 50},
  };
  for (const Case& c : cases) {
    const PreviewOrigin origin = PreviewPlacement(c.cw, c.ch, c.iw, c.ih);
    EXPECT_EQ(origin.x * 1000 + origin.y, c.x * 1000 + c.y);
  }
  CMyPreview preview;
  ASSERT_EQ(preview.OnCreate(), 0u);
  EXPECT_EQ(preview.image().width() * 1000 + preview.image().height(), 128128);
  EXPECT_EQ(preview.image().RowPointer(127)[0], 0xF0);
}

}  // namespace
}  // namespace kvt
