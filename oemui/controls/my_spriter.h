// CMySpriter: the horizontal bar between a page's picture and its settings
// tree. It draws three grip dots and, while the user drags it, tells its
// parent where its top-left corner should go (message 1632); the parent
// then calls LayoutSplitter.
#pragma once

#include <array>
#include <cstdint>

#include "oemui/controls/dialog_port.h"
#include "oemui/controls/layout_splitter.h"
#include "oemui/watermark/dib_section.h"

namespace kvt {

// The three grip dots of a splitter of |width| x |height|: circles as tall
// as the bar, one in the middle and one three heights to either side, as
// their bounding boxes in the splitter's client coordinates.
std::array<ControlRect, 3> SplitterGripDots(int width, int height);

// The splitter's picture: |face| with the three dots in |dot| (both
// COLORREF), their edges smoothed by the share of each pixel the circle
// covers. Answers the image code.
std::uint32_t RenderSplitter(int width, int height, std::uint32_t face, std::uint32_t dot,
                             CMyDibSection2* picture);

// Packs a top-left corner into the message's wParam. Coordinates above or
// left of the parent's client area stay negative when read back as signed
// 16-bit words.
std::uint32_t PackSplitterPosition(int x, int y);
int SplitterPositionX(std::uint32_t packed);
int SplitterPositionY(std::uint32_t packed);

// The drag: pressing the mouse remembers where on the bar it was grabbed;
// each move while captured answers where the bar's top-left goes so that
// the grab point stays under the pointer.
class SplitterDrag {
 public:
  // |grab_x|, |grab_y|: the pointer in the splitter's client coordinates.
  void Press(int grab_x, int grab_y) {
    dragging_ = true;
    grab_x_ = grab_x;
    grab_y_ = grab_y;
  }
  // |pointer_x|, |pointer_y|: the pointer in the parent's client
  // coordinates. False when no drag is under way (nothing to post).
  bool Move(int pointer_x, int pointer_y, std::uint32_t* packed_top_left) const;
  void Release() { dragging_ = false; }
  bool dragging() const { return dragging_; }

 private:
  bool dragging_ = false;
  int grab_x_ = 0;
  int grab_y_ = 0;
};

}  // namespace kvt
