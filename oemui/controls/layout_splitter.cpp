#include "oemui/controls/layout_splitter.h"

#include <algorithm>

namespace kvt {

SplitterLayout LayoutSplitter(const ControlRect& splitter, const ControlRect& upper,
                              const ControlRect& lower, int requested_top) {
  int top = std::max(requested_top, upper.top + kSplitterMinimumPane);
  top = std::min(top, lower.bottom - kSplitterMinimumPane);
  // On a page too short for both margins the upper margin gives way first,
  // but the splitter never rises above the upper control's top nor sinks so
  // far that it hangs below the lower control's bottom.
  const int height = splitter.height();
  top = std::max(top, upper.top);
  top = std::min(top, std::max(upper.top, lower.bottom - height));

  SplitterLayout layout;
  layout.splitter = {splitter.left, top, splitter.right, top + height};
  layout.upper = {upper.left, upper.top, upper.right, top};
  layout.lower = {lower.left, top + height, lower.right, std::max(lower.bottom, top + height)};
  return layout;
}

}  // namespace kvt
