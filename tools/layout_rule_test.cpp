#include "tools/layout_rule.h"

#include <gtest/gtest.h>

namespace kvt::tools {
namespace {

TEST(LayoutRule, FlagsControlsOutsideTheClientAreaAndOverlappingSiblings) {
  struct Case {
    const char* what;
    std::vector<LayoutBox> boxes;
    std::size_t faults;
  };
  const Case cases[] = {
      {"side by side, touching edges", {{"a", 0, 0, 50, 20}, {"b", 50, 0, 100, 20}}, 0},
      {"a label into its field", {{"label", 0, 0, 60, 20}, {"edit", 55, 0, 100, 20}}, 1},
      {"a group box and its contents",
       {{"group", 0, 0, 100, 100, true}, {"a", 10, 10, 50, 30}, {"b", 10, 40, 50, 60}},
       0},
      {"past the right edge", {{"wide", 60, 0, 101, 20}}, 1},
      {"a group box past the bottom", {{"group", 0, 0, 100, 120, true}}, 1},
      {"three stacked on each other",
       {{"a", 0, 0, 40, 40}, {"b", 10, 10, 50, 50}, {"c", 20, 20, 60, 60}},
       3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayoutFaults(100, 100, c.boxes).size(), c.faults) << c.what;
  }
}

}  // namespace
}  // namespace kvt::tools
