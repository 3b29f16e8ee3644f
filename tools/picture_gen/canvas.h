// A small software rasteriser for the module's pictures: antialiased filled
// paths (exact horizontal coverage, 16 sub-scanlines a pixel), strokes, and
// the usual shapes on top of them. Pixels are premultiplied RGBA floats so
// that partly covered edges composite correctly before the pictures are
// written as 24-bit bitmaps, icons or premultiplied TIFF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt::pictures {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
  return Colour{r, g, b, a};
}
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);

struct Point {
  float x = 0, y = 0;
};

// One or more closed contours, filled together.
struct Path {
  std::vector<std::vector<Point>> contours;
  Path& Add(std::vector<Point> contour) {
    contours.push_back(std::move(contour));
    return *this;
  }
};

enum class FillRule { kNonZero, kEvenOdd };

// Outlines of the basic shapes, in the canvas's units. Corners run
// clockwise on screen, so shapes added to one path add up under kNonZero.
std::vector<Point> RectContour(float x0, float y0, float x1, float y1);
std::vector<Point> RoundRectContour(float x0, float y0, float x1, float y1, float radius);
std::vector<Point> EllipseContour(float cx, float cy, float rx, float ry);
// The quad of a straight stroke of |width| from a to b.
std::vector<Point> SegmentContour(Point a, Point b, float width);

class Canvas {
 public:
  Canvas() = default;
  // A transparent canvas. |unit| scales every coordinate given to the
  // drawing calls, so one drawing can be made at 16 and at 32 pixels.
  Canvas(int width, int height, float unit = 1.0f);

  int width() const { return width_; }
  int height() const { return height_; }
  float unit() const { return unit_; }

  void Clear(Colour colour);
  void Fill(const Path& path, Colour colour, FillRule rule = FillRule::kNonZero);

  void FillRect(float x0, float y0, float x1, float y1, Colour colour);
  void FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour colour);
  void FillEllipse(float cx, float cy, float rx, float ry, Colour colour);
  void FillPolygon(const std::vector<Point>& points, Colour colour);
  // Strokes lie inside the shape's bounds, so a 1-unit frame of an integer
  // rectangle covers exactly its outermost pixels.
  void StrokeRect(float x0, float y0, float x1, float y1, float width, Colour colour);
  void StrokeRoundRect(float x0, float y0, float x1, float y1, float radius, float width,
                       Colour colour);
  void StrokeEllipse(float cx, float cy, float rx, float ry, float width, Colour colour);
  // A polyline with round joins and round (or flat) ends.
  void StrokeLine(const std::vector<Point>& points, float width, Colour colour,
                  bool round_caps = true);
  void Line(float x0, float y0, float x1, float y1, float width, Colour colour,
            bool round_caps = true) {
    StrokeLine({{x0, y0}, {x1, y1}}, width, colour, round_caps);
  }

  // Text in the built-in pixel font (see pixel_font.h), each font pixel a
  // |scale| x |scale| square; (x, y) is the top left of the first glyph.
  // Gives the width drawn.
  float Text(float x, float y, const std::string& text, float scale, Colour colour,
             bool small = false);

  // Source-over composition of |other| with its top left at (x, y) pixels.
  void Draw(const Canvas& other, int x, int y);

  // Replaces a pixel by a straight 8-bit colour.
  void SetPixel(int x, int y, Colour colour);
  // Straight (not premultiplied) 8-bit colour of a pixel.
  Colour Pixel(int x, int y) const;
  // The pixel composed over an opaque background.
  Colour PixelOver(int x, int y, Colour background) const;
  // Premultiplied 8-bit samples of a pixel: red, green, blue, alpha.
  void PremultipliedPixel(int x, int y, std::uint8_t out[4]) const;

  // The canvas turned clockwise by |quarter_turns| x 90 degrees.
  Canvas Rotated(int quarter_turns) const;
  // Every colour mixed with grey and lightened, as a control does when it
  // is disabled: |amount| 0 keeps the picture, 1 makes it flat grey.
  void Grey(float amount, float lighten);

 private:
  float* At(int x, int y) { return &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4]; }
  const float* At(int x, int y) const {
    return &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  }

  int width_ = 0;
  int height_ = 0;
  float unit_ = 1.0f;
  std::vector<float> pixels_;  // premultiplied r, g, b, a in 0..1
};

}  // namespace kvt::pictures
