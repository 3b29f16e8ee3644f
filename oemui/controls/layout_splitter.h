// The document pages stack a picture, a splitter and the settings tree. When
// the user drags the splitter the page moves all three with LayoutSplitter;
// the geometry is worked out here over plain rectangles in the page's client
// coordinates.
#pragma once

#include <cstdint>

namespace kvt {

class DialogPort;

struct ControlRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const ControlRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// Neither neighbour of the splitter is squeezed to less than this.
inline constexpr int kSplitterMinimumPane = 32;

// The control ids the document pages lay out around the splitter.
inline constexpr int kSplitterUpperId = 1047;  // the preview
inline constexpr int kSplitterLowerId = 1050;  // the settings tree

struct SplitterLayout {
  ControlRect splitter;
  ControlRect upper;
  ControlRect lower;
};

// Moves the splitter's top to |requested_top|, kept at least 32 pixels
// below the upper control's top and at most 32 pixels above the lower
// control's bottom; the upper control then ends at the splitter and the
// lower one starts under it, each keeping its other edges. When the page
// is too short for both margins no control gets a negative height.
SplitterLayout LayoutSplitter(const ControlRect& splitter, const ControlRect& upper,
                              const ControlRect& lower, int requested_top);

// The same on a page's controls, through the page's dialog port: reads the
// rectangles of the splitter and of its two neighbours and moves all three.
// 107 when the page lacks one of them.
std::uint32_t LayoutSplitter(DialogPort& page, int splitter_id, int requested_top,
                             int upper_id = kSplitterUpperId, int lower_id = kSplitterLowerId);

}  // namespace kvt
