#include "oemui/watermark/dib_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "oemui/watermark/tiff_builder_testing.h"
#include "platform/fake/fake_image_device.h"
#include "platform/fake/fake_module_resources.h"
#include "platform/service.h"

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

TEST(DibSection, RowsFromTheTopAndShapesNoDibCanHave) {
  CMyDibSection2 image;
  ASSERT_EQ(image.Create(5, 4, 24), kImageOk);
  const std::uint8_t* bits = image.pixels().data();
  EXPECT_EQ(image.RowPointer(0), bits + 16 * 3);
  EXPECT_EQ(image.RowPointer(3), bits);
  EXPECT_EQ(image.RowPointer(4), nullptr);
  EXPECT_EQ(image.RowPointer(-1), nullptr);
  CMyDibSection2 refused;
  EXPECT_EQ(refused.Create(4, 4, 16), kImageInvalid);
  EXPECT_EQ(refused.Create(0, 4, 24), kImageInvalid);
  EXPECT_EQ(refused.Create(4, -1, 24), kImageInvalid);
  EXPECT_EQ(refused.Create(4, 4, 24, 0), kImageInvalid);
  // Far beyond any preview: refused before anything is allocated.
  EXPECT_EQ(refused.Create(100000, 100000, 32), kImageNoMemory);
  EXPECT_TRUE(refused.empty());
}

TEST(DibSection, FillWritesEachDepthItsWay) {
  CMyDibSection2 image;
  ASSERT_EQ(image.Create(2, 2, 32), kImageOk);
  image.Fill(0x80112233);  // alpha 80, blue 11, green 22, red 33
  EXPECT_EQ(Row(image, 1, 8),
            (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0x80, 0x11, 0x22, 0x33, 0x80}));
  ASSERT_EQ(image.Create(1, 2, 24), kImageOk);
  image.Fill(0x00112233);
  EXPECT_EQ(Row(image, 0, 4), (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0}));  // padding kept
  ASSERT_EQ(image.Create(3, 1, 8), kImageOk);
  image.Fill(0x00112233);
  EXPECT_EQ(Row(image, 0, 4), (std::vector<std::uint8_t>(4, 0x33)));
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

TEST(DibSection, DrawIntoDrawsOnlyWhereBothImagesAre) {
  CMyDibSection2 source;
  ASSERT_EQ(source.Create(3, 3, 24), kImageOk);
  source.Fill(0x000000FF);
  CMyDibSection2 target;
  ASSERT_EQ(target.Create(4, 2, 24), kImageOk);
  target.Fill(0x00FFFFFF);
  // Hangs over the top and right edges; a width beyond the source is cut.
  ASSERT_EQ(source.DrawInto(target, 2, -2, 10, 10), kImageOk);
  EXPECT_EQ(Row(target, 0, 12),
            (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 0, 255}));
  EXPECT_EQ(Row(target, 1, 12), std::vector<std::uint8_t>(12, 255));
  EXPECT_EQ(source.DrawInto(target, -5, 0, 3, 3), kImageOk);  // wholly outside
  EXPECT_EQ(source.DrawInto(target, 0, 0, 3, 3, 0x12345678), kImageInvalid);
  EXPECT_EQ(CMyDibSection2().DrawInto(target, 0, 0, 1, 1), kImageEmpty);

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

TEST(DibSection, PalettePicturesDrawIntoColourImagesThroughTheirTable) {
  CMyDibSection2 ink;
  ASSERT_EQ(ink.Create(9, 1, 1), kImageOk);
  ink.RowPointer(0)[1] = 0x80;  // pixel 8 white, the rest black
  CMyDibSection2 target;
  ASSERT_EQ(target.Create(9, 1, 24), kImageOk);
  target.Fill(0x00777777);
  ASSERT_EQ(ink.DrawInto(target, 0, 0, 9, 1), kImageOk);
  EXPECT_EQ(Row(target, 0, 3), (std::vector<std::uint8_t>(3, 0)));
  EXPECT_EQ(std::vector<std::uint8_t>(target.RowPointer(0) + 24, target.RowPointer(0) + 27),
            (std::vector<std::uint8_t>(3, 255)));

  // Same depth at an odd bit position.
  CMyDibSection2 bits;
  ASSERT_EQ(bits.Create(16, 1, 1), kImageOk);
  ASSERT_EQ(ink.DrawInto(bits, 3, 0, 9, 1), kImageOk);
  EXPECT_EQ(Row(bits, 0, 2), (std::vector<std::uint8_t>{0x00, 0x10}));

  // A colour image cannot be drawn into a palette image.
  CMyDibSection2 colour;
  ASSERT_EQ(colour.Create(1, 1, 24), kImageOk);
  EXPECT_EQ(colour.DrawInto(bits, 0, 0, 1, 1), kImageInvalid);
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
  // Not for empty, two-colour, 16-colour or alpha pictures.
  CMyDibSection2 image;
  EXPECT_EQ(image.ApplyDensity(50), kImageEmpty);
  ASSERT_EQ(image.Create(8, 1, 1), kImageOk);
  EXPECT_EQ(image.ApplyDensity(50), kImageOk);
  EXPECT_EQ(image.RowPointer(0)[0], 0);
  ASSERT_EQ(image.Create(1, 1, 32), kImageOk);
  EXPECT_EQ(image.ApplyDensity(50), kImageInvalid);
}

class DibDevice : public ::testing::Test {
 protected:
  FakeImageDevice device_;
  ScopedService<ImageDevice> scoped_device_{device_};
  FakeModuleResources resources_;
  ScopedService<ModuleResources> scoped_resources_{resources_};
};

TEST_F(DibDevice, AlphaPicturesBlendWithTheContextOthersGoWithTheirOperation) {
  FakeCanvas canvas(4, 4, 100);
  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(2, 1, 32), kImageOk);
  picture.Fill(0x80C8C8C8);                  // 200 at alpha 128
  std::fill_n(picture.RowPointer(0), 4, 0);  // first pixel: alpha 0
  ASSERT_EQ(picture.DrawTo(&canvas, 1, 2, 2, 1, kRopSrcAnd), kImageOk);
  EXPECT_EQ(canvas.At(1, 2)[0] + canvas.At(3, 2)[0], 200);
  EXPECT_EQ(canvas.At(2, 2)[0], 149);
  EXPECT_EQ(device_.draws.at(0).rop, kRopSrcCopy);  // the blend ignores the operation

  ASSERT_EQ(picture.Create(3, 3, 24), kImageOk);
  picture.Fill(0x003C3C3C);
  ASSERT_EQ(picture.DrawTo(&canvas, 0, 0, 1, 1, kRopSrcAnd), kImageOk);
  EXPECT_EQ(canvas.At(0, 0)[0], 100 & 0x3C);
  EXPECT_EQ(canvas.At(1, 0)[0], 100);
  EXPECT_EQ(device_.draws.at(1).rop, kRopSrcAnd);
  EXPECT_EQ(CMyDibSection2().DrawTo(&canvas, 0, 0, 1, 1), kImageEmpty);
  EXPECT_EQ(picture.DrawTo(nullptr, 0, 0, 1, 1), kImageInvalid);
}

TEST_F(DibDevice, PicturesLoadFromBitmapResources) {
  void* const module = reinterpret_cast<void*>(0x1000);
  BitmapPixels bitmap;
  bitmap.width = 2;
  bitmap.height = 2;
  bitmap.rows = {1, 1, 1, 2, 2, 2, 0, 0,   // bottom row
                 3, 3, 3, 4, 4, 4, 0, 0};  // top row
  resources_.bitmaps[{module, 223}] = bitmap;

  CMyDibSection2 picture;
  ASSERT_EQ(picture.LoadPicture(module, 223), kImageOk);
  EXPECT_EQ(Row(picture, 0, 6), (std::vector<std::uint8_t>{3, 3, 3, 4, 4, 4}));
  EXPECT_EQ(picture.LoadPicture(module, 224), kImageInvalid);

  // The controls' image takes at most its own size from the top left.
  CMyDibSection icon;
  ASSERT_EQ(icon.Create(1, 1), kImageOk);
  ASSERT_EQ(icon.LoadBitmapResource(module, 223), kImageOk);
  EXPECT_EQ(std::vector<std::uint8_t>(icon.RowPointer(0), icon.RowPointer(0) + 3),
            (std::vector<std::uint8_t>(3, 3)));
  EXPECT_EQ(CMyDibSection().LoadBitmapResource(module, 1), kImageInvalid);
}

TEST_F(DibDevice, TiffPicturesLoadFromDataResources) {
  void* const module = reinterpret_cast<void*>(0x1000);
  resources_.AddData(module, 196,
                     testing::TiffBuilder::Picture(false, 1, 1, 4, {64, 0, 0, 128}).Build());
  CMyDibSection2 picture;
  ASSERT_EQ(picture.LoadTiffResource(module, 196), kImageOk);
  EXPECT_EQ(Row(picture, 0, 4), (std::vector<std::uint8_t>{0, 0, 127, 128}));
  EXPECT_EQ(picture.LoadTiffResource(module, 197), kImageInvalid);
}

}  // namespace
}  // namespace kvt
