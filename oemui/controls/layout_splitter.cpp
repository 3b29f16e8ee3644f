#include "oemui/controls/layout_splitter.h"

#include <algorithm>

#include "oemui/controls/dialog_port.h"

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

namespace {

ControlRect FromDialog(const DialogRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}
DialogRect ToDialog(const ControlRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

std::uint32_t LayoutSplitter(DialogPort& page, int splitter_id, int requested_top, int upper_id,
                             int lower_id) {
  const std::optional<DialogRect> splitter = page.ItemRect(splitter_id);
  const std::optional<DialogRect> upper = page.ItemRect(upper_id);
  const std::optional<DialogRect> lower = page.ItemRect(lower_id);
  if (!splitter || !upper || !lower) return 107;
  const SplitterLayout layout =
      LayoutSplitter(FromDialog(*splitter), FromDialog(*upper), FromDialog(*lower), requested_top);
  page.MoveItem(upper_id, ToDialog(layout.upper));
  page.MoveItem(splitter_id, ToDialog(layout.splitter));
  page.MoveItem(lower_id, ToDialog(layout.lower));
  return 0;
}

}  // namespace kvt
