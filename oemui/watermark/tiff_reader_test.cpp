#include "oemui/watermark/tiff_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "oemui/watermark/dib_section.h"
#include "oemui/watermark/tiff_builder_testing.h"

namespace kvt {
namespace {

using testing::TiffBuilder;
using testing::TiffEntry;

// Two pixels a row, two rows: red, green / blue, white, as RGB samples.
std::vector<std::uint8_t> RgbPixels() {
  return {255, 0, 0,   0,   255, 0,  //
          0,   0, 255, 255, 255, 255};
}

class TiffByteOrder : public ::testing::TestWithParam<bool> {};

TEST_P(TiffByteOrder, ThreeSamplesBecomeBlueGreenRed) {
  const std::vector<std::uint8_t> bytes =
      TiffBuilder::Picture(GetParam(), 2, 2, 3, RgbPixels()).Build();
  CMyDibSection2 image;
  ASSERT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageOk);
  EXPECT_EQ((std::vector<int>{image.width(), image.height(), image.bits_per_pixel()}),
            (std::vector<int>{2, 2, 24}));
  // Stored bottom-up, rows padded to four bytes.
  EXPECT_EQ(image.pixels(), (std::vector<std::uint8_t>{255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0,
                                                       255, 0, 0, 0}));
}

TEST_P(TiffByteOrder, FourPremultipliedSamplesBecomeStraightAlpha) {
  // Transparent, opaque, and half-covered red 64 (which is red 127 at full
  // strength).
  const std::vector<std::uint8_t> premultiplied = {9, 9, 9, 0, 10, 20, 30, 255, 64, 0, 32, 128};
  const std::vector<std::uint8_t> bytes =
      TiffBuilder::Picture(GetParam(), 3, 1, 4, premultiplied).Build();
  CMyDibSection2 image;
  ASSERT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageOk);
  EXPECT_EQ(image.bits_per_pixel(), 32);
  EXPECT_EQ(std::vector<std::uint8_t>(image.RowPointer(0), image.RowPointer(0) + 12),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 30, 20, 10, 255, 63, 0, 127, 128}));
}

TEST_P(TiffByteOrder, FieldsAreReadInTheirByteOrder) {
  TiffBuilder tiff = TiffBuilder::Picture(GetParam(), 2, 2, 3, RgbPixels());
  tiff.Find(282)->values = {401, 2};           // 200.5 dpi, truncated
  tiff.Find(257)->type = testing::kTiffShort;  // a SHORT in a LONG's field
  const std::vector<std::uint8_t> bytes = tiff.Build();
  TiffFields fields;
  ASSERT_TRUE(ReadTiffFields(bytes.data(), bytes.size(), &fields));
  EXPECT_EQ(fields.x_resolution, 200u);

  CMyDibSection2 image;
  ASSERT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageOk);
  EXPECT_EQ(image.header().biXPelsPerMeter, 7874);
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, TiffByteOrder, ::testing::Values(false, true),
                         [](const auto& info) {
                           return info.param ? "BigEndian" : "LittleEndian";
                         });

TEST(TiffReader, AResolutionOfZeroOrNoneIsTakenAs96) {
  for (bool drop : {false, true}) {
    TiffBuilder tiff = TiffBuilder::Picture(true, 2, 2, 3, RgbPixels());
    if (drop) {
      tiff.Find(282)->tag = 1282;
    } else {
      tiff.Find(282)->values = {300, 0};  // no division by zero
    }
    const std::vector<std::uint8_t> bytes = tiff.Build();
    CMyDibSection2 image;
    ASSERT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageOk) << drop;
    EXPECT_EQ(image.header().biXPelsPerMeter, 3779);
  }
}

TEST(TiffReader, AColourAboveItsAlphaIsHeldAtFullStrength) {
  const std::vector<std::uint8_t> bytes =
      TiffBuilder::Picture(false, 1, 1, 4, {200, 100, 0, 100}).Build();
  CMyDibSection2 image;
  ASSERT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageOk);
  EXPECT_EQ(std::vector<std::uint8_t>(image.RowPointer(0), image.RowPointer(0) + 4),
            (std::vector<std::uint8_t>{0, 255, 255, 100}));
}

struct Refusal {
  std::string name;
  std::function<void(TiffBuilder&)> spoil;
};

class TiffRefusal : public ::testing::TestWithParam<Refusal> {};

// One byte order: the readers of both are pinned above, and every
// truncation of both below.
TEST_P(TiffRefusal, IsRefusedAndLeavesTheImageEmpty) {
  TiffBuilder tiff = TiffBuilder::Picture(true, 2, 2, 3, RgbPixels());
  GetParam().spoil(tiff);
  const std::vector<std::uint8_t> bytes = tiff.Build();
  CMyDibSection2 image;
  image.Create(4, 4, 24);
  EXPECT_EQ(image.LoadTiff(bytes.data(), bytes.size()), kImageInvalid);
  EXPECT_TRUE(image.empty());
}

const Refusal kRefusals[] = {
    {"LzwCompression", [](TiffBuilder& t) { t.Find(259)->values = {5}; }},
    {"SecondDirectory", [](TiffBuilder& t) { t.next_directory = 8; }},
    {"Version43", [](TiffBuilder& t) { t.version = 43; }},
    {"DirectoryPastTheEnd", [](TiffBuilder& t) { t.directory_offset = 0x10000; }},
    {"EntryCountPastTheEnd",
     [](TiffBuilder& t) {
       for (int i = 0; i < 40; ++i) t.entries.push_back({300, testing::kTiffShort, {0}});
       t.directory_offset = 8;  // the directory read from the strip's bytes
     }},
    {"StripPastTheEnd", [](TiffBuilder& t) { t.strip_offset_override = 0x7FFFFFF0; }},
    {"WidthBeyondAnyPicture", [](TiffBuilder& t) { t.Find(256)->values = {0xFFFFFFFF}; }},
    {"ZeroWidth", [](TiffBuilder& t) { t.Find(256)->values = {0}; }},
    {"SixteenBitSamples",
     [](TiffBuilder& t) {
       t.Find(258)->values = {16, 16, 16};
     }},
    {"FourSamplesInTwentyFourBits", [](TiffBuilder& t) { t.Find(277)->values = {4}; }},
};

INSTANTIATE_TEST_SUITE_P(BadPictures, TiffRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return info.param.name; });

TEST(TiffReader, EveryTruncationIsRefused) {
  for (bool big_endian : {false, true}) {
    const std::vector<std::uint8_t> bytes =
        TiffBuilder::Picture(big_endian, 2, 2, 4, std::vector<std::uint8_t>(16, 128)).Build();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      // A copy of exactly |size| bytes, so that reading past it is caught.
      const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
      CMyDibSection2 image;
      EXPECT_EQ(image.LoadTiff(cut.data(), cut.size()), kImageInvalid) << size;
    }
  }
}

TEST(TiffReader, ValuesTooLongToReadCountAsZero) {
  TiffBuilder tiff = TiffBuilder::Picture(false, 2, 2, 3, RgbPixels());
  tiff.entries.push_back({270, testing::kTiffByte, std::vector<std::uint32_t>(5000, 'x')});
  tiff.Find(283)->count = 1000;  // 8000 bytes: not read, so not checked
  const std::vector<std::uint8_t> bytes = tiff.Build();
  TiffFields fields;
  ASSERT_TRUE(ReadTiffFields(bytes.data(), bytes.size(), &fields));
  EXPECT_EQ(fields.y_resolution, 0u);
  EXPECT_EQ(fields.width, 2u);
}

}  // namespace
}  // namespace kvt
