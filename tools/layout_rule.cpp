#include "tools/layout_rule.h"

namespace kvt::tools {
namespace {

std::string Rect(const LayoutBox& b) {
  return "(" + std::to_string(b.left) + "," + std::to_string(b.top) + ")-(" +
         std::to_string(b.right) + "," + std::to_string(b.bottom) + ")";
}

bool Inside(const LayoutBox& inner, const LayoutBox& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<std::string> LayoutFaults(long width, long height,
                                      const std::vector<LayoutBox>& boxes) {
  std::vector<std::string> faults;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const LayoutBox& a = boxes[i];
    if (a.left < 0 || a.top < 0 || a.right > width || a.bottom > height) {
      faults.push_back(a.name + " " + Rect(a) + " leaves the client area " + std::to_string(width) +
                       "x" + std::to_string(height));
    }
    if (a.frames_others) continue;
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const LayoutBox& b = boxes[j];
      if (b.frames_others || a.buddy == b.name || b.buddy == a.name) continue;
      if ((a.backdrop && Inside(b, a)) || (b.backdrop && Inside(a, b))) continue;
      if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) {
        faults.push_back(a.name + " " + Rect(a) + " overlaps " + b.name + " " + Rect(b));
      }
    }
  }
  return faults;
}

}  // namespace kvt::tools
