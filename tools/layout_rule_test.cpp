#include "tools/layout_rule.h"

#include <gtest/gtest.h>

namespace kvt::tools {
namespace {

LayoutBox Box(const char* name, long left, long top, long right, long bottom,
              bool frames_others = false, const char* buddy = "", bool backdrop = false) {
  LayoutBox box;
  box.name = name;
  box.left = left;
  box.top = top;
  box.right = right;
  box.bottom = bottom;
  box.frames_others = frames_others;
  box.buddy = buddy;
  box.backdrop = backdrop;
  return box;
}

TEST(LayoutRule, FlagsControlsOutsideTheClientAreaAndOverlappingSiblings) {
  struct Case {
    const char* what;
    std::vector<LayoutBox> boxes;
    std::size_t faults;
  };
  const Case cases[] = {
      {"side by side, touching edges", {Box("a", 0, 0, 50, 20), Box("b", 50, 0, 100, 20)}, 0},
      {"a label into its field", {Box("label", 0, 0, 60, 20), Box("edit", 55, 0, 100, 20)}, 1},
      {"a group box and its contents",
       {Box("group", 0, 0, 100, 100, true), Box("a", 10, 10, 50, 30), Box("b", 10, 40, 50, 60)},
       0},
      {"an up-down over its edit's border",
       {Box("edit", 0, 0, 30, 20), Box("spin", 28, 0, 44, 20, false, "edit")},
       0},
      {"buttons on a picture, and one half off it",
       {Box("grid", 0, 0, 60, 60, false, "", true), Box("a", 10, 10, 20, 20),
        Box("b", 55, 10, 70, 20)},
       1},
      {"past the right edge", {Box("wide", 60, 0, 101, 20)}, 1},
      {"a group box past the bottom", {Box("group", 0, 0, 100, 120, true)}, 1},
      {"three stacked on each other",
       {Box("a", 0, 0, 40, 40), Box("b", 10, 10, 50, 50), Box("c", 20, 20, 60, 60)},
       3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayoutFaults(100, 100, c.boxes).size(), c.faults) << c.what;
  }
}

}  // namespace
}  // namespace kvt::tools
