// An image device for tests. A device context is a FakeCanvas: 24-bit
// pixels, top row first, that Draw writes (24-bit pictures, source copy or
// the other binary raster operations) and Read reads back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/image_device.h"
#include "platform/last_error.h"

namespace kvt {

struct FakeCanvas {
  FakeCanvas(int w, int h, std::uint8_t grey)
      : width(w), height(h), bgr(static_cast<std::size_t>(w) * h * 3, grey) {}
  std::uint8_t* At(int x, int y) {
    return bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
  }
  int width;
  int height;
  std::vector<std::uint8_t> bgr;
};

class FakeImageDevice final : public ImageDevice {
 public:
  bool Draw(DeviceContext dc, int x, int y, int width, int height, const PixelView& image,
            std::uint32_t rop) override {
    draws.push_back({rop, image.header->biBitCount});
    auto* canvas = static_cast<FakeCanvas*>(dc);
    if (canvas == nullptr || image.header->biBitCount != 24) {
      SetThreadLastError(87);  // ERROR_INVALID_PARAMETER
      return false;
    }
    const std::size_t stride = (static_cast<std::size_t>(image.header->biWidth) * 3 + 3) & ~3u;
    for (int row = 0; row < height; ++row) {
      const std::uint8_t* source =
          image.bits + stride * static_cast<std::size_t>(image.header->biHeight - row - 1);
      for (int col = 0; col < width; ++col) {
        if (x + col < 0 || y + row < 0 || x + col >= canvas->width || y + row >= canvas->height)
          continue;
        std::uint8_t* d = canvas->At(x + col, y + row);
        for (int c = 0; c < 3; ++c) {
          const std::uint8_t s = source[col * 3 + c];
          d[c] = rop == kRopSrcAnd ? (s & d[c]) : rop == kRopSrcPaint ? (s | d[c]) : s;
        }
      }
    }
    return true;
  }

  bool Read(DeviceContext dc, int x, int y, const PixelView& image) override {
    auto* canvas = static_cast<FakeCanvas*>(dc);
    if (canvas == nullptr || image.header->biBitCount != 24 || x < 0 || y < 0 ||
        x + image.header->biWidth > canvas->width || y + image.header->biHeight > canvas->height) {
      SetThreadLastError(87);  // ERROR_INVALID_PARAMETER
      return false;
    }
    const std::size_t stride = (static_cast<std::size_t>(image.header->biWidth) * 3 + 3) & ~3u;
    for (int row = 0; row < image.header->biHeight; ++row) {
      std::memcpy(image.bits + stride * static_cast<std::size_t>(image.header->biHeight - row - 1),
                  canvas->At(x, y + row), static_cast<std::size_t>(image.header->biWidth) * 3);
    }
    return true;
  }

  BitmapHandle CreateSection(const PixelView& image) override {
    sections.emplace_back(image.bits, image.bits + image.header->biSizeImage);
    return &sections.back();
  }
  void DeleteBitmap(BitmapHandle) override { ++deleted; }

  struct DrawCall {
    std::uint32_t rop;
    int bits;
  };
  std::vector<DrawCall> draws;
  std::vector<std::vector<std::uint8_t>> sections;
  int deleted = 0;
};

}  // namespace kvt
