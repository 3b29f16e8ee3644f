// The rasteriser's geometry: what a shape covers, pixel for pixel, decides
// whether masks line up with their images and thin lines stay crisp.
#include <gtest/gtest.h>

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {
namespace {

int Alpha(const Canvas& c, int x, int y) { return c.Pixel(x, y).a; }

TEST(CanvasTest, ShapesCoverExactlyTheirArea) {
  struct Case {
    const char* what;
    void (*draw)(Canvas&);
    int x, y, alpha;  // one pixel and its expected coverage (0..255)
  };
  const Case cases[] = {
      // Integer rectangles fill whole pixels and nothing beside them.
      {"rect inside", [](Canvas& c) { c.FillRect(2, 2, 5, 4, kBlack); }, 2, 3, 255},
      {"rect right of", [](Canvas& c) { c.FillRect(2, 2, 5, 4, kBlack); }, 5, 3, 0},
      // A half-covered pixel is half opaque, horizontally and vertically.
      {"half column", [](Canvas& c) { c.FillRect(2.5f, 2, 5, 4, kBlack); }, 2, 3, 128},
      // A one-unit frame covers the outermost pixels and leaves the inside.
      {"frame edge", [](Canvas& c) { c.StrokeRect(1, 1, 8, 8, 1, kBlack); }, 1, 4, 255},
      {"frame inside", [](Canvas& c) { c.StrokeRect(1, 1, 8, 8, 1, kBlack); }, 2, 4, 0},
      // Overlapping parts of one stroke are painted once: a half-transparent
      // corner stays half transparent.
      {"joint",
       [](Canvas& c) {
         c.StrokeLine({{1, 5}, {5, 5}, {5, 1}}, 2, Rgb(0, 0, 0, 128));
       },
       4, 4, 128},
      // Text sits on whole pixels even from a fractional origin.
      {"glyph pixel", [](Canvas& c) { c.Text(0.4f, 0, "1", 1, kBlack); }, 2, 0, 255},
  };
  for (const Case& k : cases) {
    Canvas c(10, 10);
    k.draw(c);
    EXPECT_NEAR(Alpha(c, k.x, k.y), k.alpha, 1) << k.what;
  }
}

TEST(CanvasTest, QuarterTurnsMoveCornersClockwise) {
  Canvas c(4, 2);
  c.SetPixel(0, 0, kBlack);  // top left
  const Canvas once = c.Rotated(1), twice = c.Rotated(2), thrice = c.Rotated(3);
  ASSERT_EQ(once.width(), 2);
  ASSERT_EQ(once.height(), 4);
  EXPECT_EQ(Alpha(once, 1, 0), 255);    // to the top right
  EXPECT_EQ(Alpha(twice, 3, 1), 255);   // to the bottom right
  EXPECT_EQ(Alpha(thrice, 0, 3), 255);  // to the bottom left
}

}  // namespace
}  // namespace kvt::pictures
