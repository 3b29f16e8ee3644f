// The generated picture files, loaded through the plug-in's own image code:
// the size each page expects, and TIFF text that is really transparent and
// really premultiplied.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "oemui/watermark/dib_section.h"
#include "platform/service.h"
#include "resources/pictures/file_module_resources.h"
#include "resources/pictures/picture_ids.h"

namespace kvt {
namespace {

using testing::FileModuleResources;

class PicturesTest : public ::testing::Test {
 protected:
  FileModuleResources files_{KVT_PICTURE_DIR};
  ScopedService<ModuleResources> scoped_{files_};
};

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

TEST_F(PicturesTest, EveryBitmapAndTiffHasTheSizeItsPageExpects) {
  // Ids of one size: bitmaps first (sizes the pages' coordinates assume,
  // then sizes chosen to fit the outline and the dialogs), then the TIFFs.
  struct Run {
    bool tiff;
    int width, height;
    std::vector<std::uint32_t> ids;
  };
  const Run runs[] = {{false, 13, 13, {130, 131, 132, 133}},
                      {false, 85, 100, {155, 167}},
                      {false, 146, 169, {189}},
                      {false, 72, 33, {245}},
                      {false, 187, 136, {223}},
                      {false, 187, 166, {224}},
                      {false, 188, 202, {225}},
                      {false, 32, 32, {250, 251, 252, 253, 254, 255, 256}},
                      {false, 110, 13, {215, 216, 217, 218, 219, 220, 221, 222}},
                      {false, 54, 28, {229, 231}},
                      {false, 46, 34, {230, 232}},
                      {false, 22, 16, {246}},
                      {false, 140, 56, {156}},
                      {false, 187, 150, {257, 258}},
                      {true, 85, 75, {196, 198}},
                      {true, 75, 85, {197, 199}}};
  for (const Run& run : runs) {
    for (std::uint32_t id : run.ids) {
      CMyDibSection2 image;
      const std::uint32_t result =
          run.tiff ? image.LoadTiffResource(nullptr, id) : image.LoadPicture(nullptr, id);
      ASSERT_EQ(result, kImageOk) << id;
      EXPECT_EQ(image.width(), run.width) << id;
      EXPECT_EQ(image.height(), run.height) << id;
      EXPECT_EQ(image.bits_per_pixel(), run.tiff ? 32 : 24) << id;
    }
  }
}

TEST_F(PicturesTest, WatermarkTextIsTransparentAroundPremultipliedInk) {
  for (std::uint32_t id = IDR_WATERMARK_TEXT; id <= IDR_WATERMARK_TEXT_SIDEWAYS_UPSIDE_DOWN; ++id) {
    SCOPED_TRACE(id);
    const std::vector<std::uint8_t>& tiff = files_.FileBytes("tiff_" + std::to_string(id) + ".tif");
    ASSERT_GT(tiff.size(), 8u);
    EXPECT_EQ(tiff[0], 'I');
    // Four samples, and the fourth is associated (premultiplied) alpha.
    const std::uint32_t directory = Le(tiff, 4, 4);
    std::uint32_t samples = 0, extra = 0, strip = 0;
    for (std::uint32_t i = 0; i < Le(tiff, directory, 2); ++i) {
      const std::size_t entry = directory + 2 + 12 * i;
      const std::uint32_t tag = Le(tiff, entry, 2);
      if (tag == 277) samples = Le(tiff, entry + 8, 2);
      if (tag == 338) extra = Le(tiff, entry + 8, 2);
      if (tag == 273) strip = Le(tiff, entry + 8, 4);
    }
    EXPECT_EQ(samples, 4u);
    EXPECT_EQ(extra, 1u);

    CMyDibSection2 text;
    ASSERT_EQ(text.LoadTiffResource(nullptr, id), kImageOk);
    int clear = 0, solid = 0, partial = 0;
    for (int y = 0; y < text.height(); ++y) {
      for (int x = 0; x < text.width(); ++x) {
        const std::uint8_t* s =
            &tiff.at(strip + (static_cast<std::size_t>(y) * text.width() + x) * 4);
        const std::uint8_t* p = text.RowPointer(y) + 4 * x;
        // A premultiplied colour never exceeds its alpha.
        ASSERT_LE(std::max({s[0], s[1], s[2]}), s[3]) << x << "," << y;
        clear += s[3] == 0;
        solid += s[3] == 255;
        partial += s[3] != 0 && s[3] != 255;
        // All the ink is dark grey or black. Had the colours been written
        // straight, undoing a premultiplication would lighten the edges.
        if (s[3] >= 32) {
          EXPECT_LE(std::max({p[0], p[1], p[2]}), 110) << x << "," << y;
        }
      }
    }
    // Mostly see-through, so the watermark shows between the lines.
    EXPECT_GT(clear, text.width() * text.height() / 2);
    EXPECT_GT(solid, 100);
    EXPECT_GT(partial, 50);
  }
}

}  // namespace
}  // namespace kvt
