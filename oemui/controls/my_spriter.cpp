#include "oemui/controls/my_spriter.h"

#include <algorithm>

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

namespace {

// Subsamples per pixel side when measuring how much of a pixel a dot covers.
constexpr int kSubsamples = 4;

std::uint8_t Channel(std::uint32_t colour, int shift) {
  return static_cast<std::uint8_t>((colour >> shift) & 0xFF);
}

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, int covered, int samples) {
  return static_cast<std::uint8_t>(from + (to - from) * covered / samples);
}

}  // namespace

std::uint32_t RenderSplitter(int width, int height, std::uint32_t face, std::uint32_t dot,
                             CMyDibSection2* picture) {
  const std::uint32_t result = picture->Create(width, height, 24);
  if (result != kImageOk) return result;
  picture->Fill(face);
  const int samples = kSubsamples * kSubsamples;
  for (const ControlRect& box : SplitterGripDots(width, height)) {
    // Circle centre and radius in subsample units.
    const int diameter = box.width() * kSubsamples;
    const int cx = box.left * kSubsamples + diameter / 2;
    const int cy = box.top * kSubsamples + diameter / 2;
    const long long r2 = static_cast<long long>(diameter) * diameter / 4;
    for (int y = std::max(0, box.top); y < std::min(height, box.bottom); ++y) {
      std::uint8_t* row = picture->RowPointer(y);
      for (int x = std::max(0, box.left); x < std::min(width, box.right); ++x) {
        int covered = 0;
        for (int sy = 0; sy < kSubsamples; ++sy) {
          for (int sx = 0; sx < kSubsamples; ++sx) {
            // Doubled coordinates put each subsample at its own centre.
            const long long dx = 2 * (x * kSubsamples + sx) + 1 - 2 * cx;
            const long long dy = 2 * (y * kSubsamples + sy) + 1 - 2 * cy;
            if (dx * dx + dy * dy <= 4 * r2) ++covered;
          }
        }
        std::uint8_t* pixel = row + 3 * x;
        pixel[0] = Mix(pixel[0], Channel(dot, 16), covered, samples);
        pixel[1] = Mix(pixel[1], Channel(dot, 8), covered, samples);
        pixel[2] = Mix(pixel[2], Channel(dot, 0), covered, samples);
      }
    }
  }
  return kImageOk;
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
