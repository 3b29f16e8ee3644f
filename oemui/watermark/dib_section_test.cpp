#include "oemui/watermark/dib_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kvt {
namespace {

std::vector<std::uint8_t> Row(const CMyDibSection2& image, int y, std::size_t bytes) {
  const std::uint8_t* row = image.RowPointer(y);
  return std::vector<std::uint8_t>(row, row + bytes);
}

TEST(DibSection, HeaderHasTheValuesGdiExpects) {
  const struct {
    int bits, width;
    std::size_t stride;
    std::uint32_t colours;
  } cases[] = {{1, 33, 8, 2}, {4, 3, 4, 16}, {8, 10, 12, 256}, {24, 10, 32, 0}, {32, 10, 40, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    CMyDibSection2 image;
    ASSERT_EQ(image.Create(c.width, 3, c.bits, 96), kImageOk);
    const BitmapInfoHeader& h = image.header();
    // Height positive: bottom-up rows.
    EXPECT_EQ((std::vector<std::int64_t>{h.biSize, h.biWidth, h.biHeight, h.biPlanes, h.biBitCount,
                                         h.biCompression, h.biXPelsPerMeter, h.biYPelsPerMeter,
                                         h.biClrUsed, h.biClrImportant}),
              (std::vector<std::int64_t>{40, c.width, 3, 1, c.bits, 0, 3779, 3779, c.colours, 0}));
    EXPECT_EQ(image.stride(), c.stride);
    EXPECT_EQ(h.biSizeImage, c.stride * 3);
    ASSERT_EQ(image.colours().size(), c.colours);
    if (c.colours == 0) continue;
    // A grey ramp from black to white.
    const RgbQuad& first = image.colours().front();
    const RgbQuad& last = image.colours().back();
    EXPECT_EQ(first.blue + first.red + first.reserved + last.reserved, 0);
    EXPECT_EQ(last.blue + last.green + last.red, 3 * 255);
  }
}

TEST(DibSection, StraightAlphaMixesEachChannel) {
  const struct {
    std::uint8_t source, alpha, destination, expected;
  } cases[] = {
      {200, 0, 100, 100},    // keeps the page
      {200, 255, 100, 200},  // sets the picture
      {200, 128, 100, 149},  // 38300 / 256
      {255, 1, 0, 0},        // 255 / 256
      {255, 254, 255, 254},
  };
  for (const auto& c : cases) {
    CMyDibSection2 picture, page;
    ASSERT_EQ(picture.Create(1, 1, 32), kImageOk);
    picture.Fill(std::uint32_t{c.alpha} << 24 | c.source * 0x010101u);
    ASSERT_EQ(page.Create(1, 1, 24), kImageOk);
    page.Fill(c.destination * 0x010101u);
    ASSERT_EQ(picture.DrawInto(page, 0, 0, 1, 1), kImageOk);
    EXPECT_EQ(Row(page, 0, 3), (std::vector<std::uint8_t>(3, c.expected))) << int{c.alpha};
  }
}

// Whole rows take the wide paths; every byte must still come out as the
// one-channel rule says, at every alpha and offset.
TEST(DibSection, RowBlendsMatchTheChannelRule) {
  constexpr int kWidth = 37;
  const std::uint8_t alphas[] = {0, 0, 0, 0, 1, 128, 254, 255, 255, 255, 255, 0, 77};
  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(kWidth, 1, 32), kImageOk);
  for (int i = 0; i < 4 * kWidth; ++i) {
    picture.RowPointer(0)[i] = static_cast<std::uint8_t>(i % 4 == 3 ? alphas[i / 4 % 13] : i * 31);
  }
  for (int bits : {24, 32}) {
    for (int offset : {0, 1, 3}) {
      CMyDibSection2 page;
      ASSERT_EQ(page.Create(kWidth + 4, 1, bits), kImageOk);
      for (std::size_t i = 0; i < page.stride(); ++i)
        page.RowPointer(0)[i] = static_cast<std::uint8_t>(i * 13);
      ASSERT_EQ(picture.DrawInto(page, offset, 0, kWidth, 1), kImageOk);
      const int step = bits / 8;
      for (int i = 0; i < step * (kWidth + 4); ++i) {
        const int x = i / step - offset, c = i % step;
        const std::uint8_t* s = picture.RowPointer(0) + 4 * x;
        const auto old = static_cast<std::uint8_t>(i * 13);
        const bool drawn = c < 3 && x >= 0 && x < kWidth;
        ASSERT_EQ(page.RowPointer(0)[i], drawn ? BlendChannel(s[c], old, s[3]) : old)
            << bits << " " << offset << " " << i;
      }
    }
  }
}

TEST(DibSection, DrawIntoAnEmptyTargetMakesOne) {
  // An empty target is made at the source's depth and the default resolution.
  CMyDibSection2 grey, made;
  ASSERT_EQ(grey.Create(4, 4, 8, 300), kImageOk);
  grey.Fill(0x40);
  ASSERT_EQ(grey.DrawInto(made, 0, 0, 3, 2), kImageOk);
  EXPECT_EQ(
      (std::vector<int>{made.width(), made.height(), made.bits_per_pixel(), made.resolution()}),
      (std::vector<int>{3, 2, 8, 96}));
  EXPECT_EQ(Row(made, 1, 3), (std::vector<std::uint8_t>(3, 0x40)));
}

TEST(DibSection, RasterOperationsCombineWithTheTarget) {
  CMyDibSection2 mask;
  ASSERT_EQ(mask.Create(1, 1, 24), kImageOk);
  mask.Fill(0x000F0F0F);
  CMyDibSection2 target;
  struct {
    std::uint32_t rop;
    std::uint8_t expected;
  } cases[] = {{kRopSrcAnd, 0x0C},
               {kRopSrcPaint, 0x3F},
               {kRopSrcInvert, 0x33},
               {kRopNotSrcCopy, 0xF0},
               {kRopSrcCopy, 0x0F}};
  for (const auto& c : cases) {
    ASSERT_EQ(target.Create(1, 1, 24), kImageOk);
    target.Fill(0x003C3C3C);
    ASSERT_EQ(mask.DrawInto(target, 0, 0, 1, 1, c.rop), kImageOk);
    EXPECT_EQ(Row(target, 0, 3), (std::vector<std::uint8_t>(3, c.expected))) << std::hex << c.rop;
  }
}

TEST(DibSection, DensityScalesTheDarknessOfGreyAndColourBytes) {
  // Darkness (255 - value) scaled by the percentage, held to 0..255.
  for (int percent : {-20, 0, 50, 70, 130}) {
    for (int value = 0; value < 256; ++value) {
      const int darkness = std::clamp((255 - value) * percent / 100, 0, 255);
      ASSERT_EQ(DensityByte(static_cast<std::uint8_t>(value), percent), 255 - darkness)
          << percent << " " << value;
    }
  }
  for (int bits : {8, 24}) {
    CMyDibSection2 image;
    ASSERT_EQ(image.Create(3, 2, bits), kImageOk);
    image.Fill(55 * 0x010101u);
    ASSERT_EQ(image.ApplyDensity(50), kImageOk);
    const std::size_t bytes = 3 * bits / 8;
    EXPECT_EQ(Row(image, 1, bytes), std::vector<std::uint8_t>(bytes, 155)) << bits;
    EXPECT_EQ(image.RowPointer(1)[image.stride() - 1], bits == 8 ? 55 : 0) << bits;  // padding
  }
}

}  // namespace
}  // namespace kvt
