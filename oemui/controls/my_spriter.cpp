#include "oemui/controls/my_spriter.h"

namespace kvt {

std::array<ControlRect, 3> SplitterGripDots(int width, int height) {
  const int diameter = height;
  const int centre_left = width / 2 - diameter / 2;
  std::array<ControlRect, 3> dots;
  const int offsets[3] = {-3 * height, 0, 3 * height};
  for (int i = 0; i < 3; ++i) {
    const int left = centre_left + offsets[i];
    dots[i] = {left, 0, left + diameter, diameter};
  }
  return dots;
}

std::uint32_t PackSplitterPosition(int x, int y) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
         static_cast<std::uint16_t>(x);
}

int SplitterPositionX(std::uint32_t packed) { return static_cast<std::int16_t>(packed & 0xFFFF); }

int SplitterPositionY(std::uint32_t packed) { return static_cast<std::int16_t>(packed >> 16); }

bool SplitterDrag::Move(int pointer_x, int pointer_y, std::uint32_t* packed_top_left) const {
  if (!dragging_) return false;
  *packed_top_left = PackSplitterPosition(pointer_x - grab_x_, pointer_y - grab_y_);
  return true;
}

}  // namespace kvt
