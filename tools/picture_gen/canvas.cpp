#include "tools/picture_gen/canvas.h"

#include <algorithm>
#include <cmath>

#include "tools/picture_gen/pixel_font.h"

namespace kvt::pictures {
namespace {

constexpr float kPi = 3.14159265358979f;
// Sub-scanlines a pixel: vertical antialiasing in 16 steps; horizontal
// coverage is exact.
constexpr int kSubRows = 16;

float SignedArea(const std::vector<Point>& c) {
  float area = 0;
  for (std::size_t i = 0; i < c.size(); ++i) {
    const Point& p = c[i];
    const Point& q = c[(i + 1) % c.size()];
    area += p.x * q.y - q.x * p.y;
  }
  return area;
}

// Clockwise on screen, so that overlapping shapes of one path add up.
std::vector<Point> Clockwise(std::vector<Point> c) {
  if (SignedArea(c) < 0) std::reverse(c.begin(), c.end());
  return c;
}

int ArcSteps(float radius) { return std::max(8, static_cast<int>(std::ceil(radius * 6))); }

void AddArc(std::vector<Point>* c, float cx, float cy, float r, float from, float to) {
  const int steps = std::max(2, ArcSteps(r) / 4);
  for (int i = 0; i <= steps; ++i) {
    const float t = from + (to - from) * static_cast<float>(i) / static_cast<float>(steps);
    c->push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
  }
}

std::uint8_t ToByte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::vector<Point> RectContour(float x0, float y0, float x1, float y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

std::vector<Point> RoundRectContour(float x0, float y0, float x1, float y1, float radius) {
  radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
  if (radius <= 0) return RectContour(x0, y0, x1, y1);
  std::vector<Point> c;
  AddArc(&c, x0 + radius, y0 + radius, radius, kPi, 1.5f * kPi);
  AddArc(&c, x1 - radius, y0 + radius, radius, 1.5f * kPi, 2 * kPi);
  AddArc(&c, x1 - radius, y1 - radius, radius, 0, 0.5f * kPi);
  AddArc(&c, x0 + radius, y1 - radius, radius, 0.5f * kPi, kPi);
  return c;
}

std::vector<Point> EllipseContour(float cx, float cy, float rx, float ry) {
  const int steps = ArcSteps(std::max(rx, ry));
  std::vector<Point> c;
  c.reserve(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i) {
    const float t = 2 * kPi * static_cast<float>(i) / static_cast<float>(steps);
    c.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  return c;
}

std::vector<Point> SegmentContour(Point a, Point b, float width) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length = std::hypot(dx, dy);
  if (length == 0) return {};
  const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
  return Clockwise(
      {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

Canvas::Canvas(int width, int height, float unit)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      unit_(unit),
      pixels_(static_cast<std::size_t>(width_) * height_ * 4, 0.0f) {}

void Canvas::Clear(Colour colour) {
  const float a = colour.a / 255.0f;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float* p = At(x, y);
      p[0] = colour.r / 255.0f * a;
      p[1] = colour.g / 255.0f * a;
      p[2] = colour.b / 255.0f * a;
      p[3] = a;
    }
  }
}

void Canvas::Fill(const Path& path, Colour colour, FillRule rule) {
  struct Edge {
    float x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  float top = static_cast<float>(height_), bottom = 0, left = static_cast<float>(width_), right = 0;
  for (const auto& contour : path.contours) {
    for (std::size_t i = 0; i < contour.size(); ++i) {
      Point a = contour[i], b = contour[(i + 1) % contour.size()];
      a.x *= unit_, a.y *= unit_, b.x *= unit_, b.y *= unit_;
      top = std::min({top, a.y, b.y});
      bottom = std::max({bottom, a.y, b.y});
      left = std::min({left, a.x, b.x});
      right = std::max({right, a.x, b.x});
      if (a.y == b.y) continue;
      edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
    }
  }
  if (edges.empty()) return;
  const int y_begin = std::max(0, static_cast<int>(std::floor(top)));
  const int y_end = std::min(height_, static_cast<int>(std::ceil(bottom)));
  const int x_begin = std::max(0, static_cast<int>(std::floor(left)));
  const int x_end = std::min(width_, static_cast<int>(std::ceil(right)));
  if (x_begin >= x_end) return;

  const float alpha = colour.a / 255.0f;
  const float source[3] = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f};
  std::vector<float> coverage(static_cast<std::size_t>(x_end - x_begin));
  std::vector<std::pair<float, int>> crossings;
  for (int y = y_begin; y < y_end; ++y) {
    std::fill(coverage.begin(), coverage.end(), 0.0f);
    for (int s = 0; s < kSubRows; ++s) {
      const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSubRows;
      crossings.clear();
      for (const Edge& e : edges) {
        if (sy < e.y0 || sy >= e.y1) continue;
        crossings.emplace_back(e.x0 + (sy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir);
      }
      std::sort(crossings.begin(), crossings.end());
      int winding = 0;
      for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].second;
        const bool inside = rule == FillRule::kNonZero ? winding != 0 : (winding & 1) != 0;
        if (!inside) continue;
        const float a = std::max(crossings[i].first, static_cast<float>(x_begin));
        const float b = std::min(crossings[i + 1].first, static_cast<float>(x_end));
        if (a >= b) continue;
        for (int px = static_cast<int>(std::floor(a)); px < static_cast<int>(std::ceil(b)); ++px) {
          const float overlap =
              std::min(b, static_cast<float>(px + 1)) - std::max(a, static_cast<float>(px));
          coverage[static_cast<std::size_t>(px - x_begin)] += overlap / kSubRows;
        }
      }
    }
    for (int x = x_begin; x < x_end; ++x) {
      const float k = std::min(1.0f, coverage[static_cast<std::size_t>(x - x_begin)]) * alpha;
      if (k <= 0) continue;
      float* p = At(x, y);
      for (int c = 0; c < 3; ++c) p[c] = source[c] * k + p[c] * (1 - k);
      p[3] = k + p[3] * (1 - k);
    }
  }
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, Colour colour) {
  Fill(Path().Add(RectContour(x0, y0, x1, y1)), colour);
}

void Canvas::FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour colour) {
  Fill(Path().Add(RoundRectContour(x0, y0, x1, y1, radius)), colour);
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Colour colour) {
  Fill(Path().Add(EllipseContour(cx, cy, rx, ry)), colour);
}

void Canvas::FillPolygon(const std::vector<Point>& points, Colour colour) {
  Fill(Path().Add(points), colour);
}

void Canvas::StrokeRect(float x0, float y0, float x1, float y1, float width, Colour colour) {
  Path path;
  path.Add(RectContour(x0, y0, x1, y1));
  if (x1 - x0 > 2 * width && y1 - y0 > 2 * width) {
    path.Add(RectContour(x0 + width, y0 + width, x1 - width, y1 - width));
  }
  Fill(path, colour, FillRule::kEvenOdd);
}

void Canvas::StrokeRoundRect(float x0, float y0, float x1, float y1, float radius, float width,
                             Colour colour) {
  Path path;
  path.Add(RoundRectContour(x0, y0, x1, y1, radius));
  if (x1 - x0 > 2 * width && y1 - y0 > 2 * width) {
    path.Add(RoundRectContour(x0 + width, y0 + width, x1 - width, y1 - width,
                              std::max(0.0f, radius - width)));
  }
  Fill(path, colour, FillRule::kEvenOdd);
}

void Canvas::StrokeEllipse(float cx, float cy, float rx, float ry, float width, Colour colour) {
  Path path;
  path.Add(EllipseContour(cx, cy, rx, ry));
  if (rx > width && ry > width) path.Add(EllipseContour(cx, cy, rx - width, ry - width));
  Fill(path, colour, FillRule::kEvenOdd);
}

void Canvas::StrokeLine(const std::vector<Point>& points, float width, Colour colour,
                        bool round_caps) {
  Path path;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    std::vector<Point> quad = SegmentContour(points[i], points[i + 1], width);
    if (!quad.empty()) path.Add(std::move(quad));
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    const bool end = i == 0 || i + 1 == points.size();
    if (end && !round_caps) continue;
    path.Add(EllipseContour(points[i].x, points[i].y, width / 2, width / 2));
  }
  Fill(path, colour);
}

float Canvas::Text(float x, float y, const std::string& text, float scale, Colour colour,
                   bool small) {
  // Glyph pixels on whole device pixels stay crisp.
  x = std::round(x * unit_) / unit_;
  y = std::round(y * unit_) / unit_;
  Path path;
  float pen = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Glyph glyph = FindGlyph(text[i], small);
    for (int r = 0; r < glyph.height; ++r) {
      for (int c = 0; c < glyph.width; ++c) {
        if ((glyph.rows[r] >> (glyph.width - 1 - c)) & 1) {
          path.Add(RectContour(pen + c * scale, y + r * scale, pen + (c + 1) * scale,
                               y + (r + 1) * scale));
        }
      }
    }
    pen += glyph.width * scale;
    if (i + 1 < text.size()) pen += kGlyphGap * scale;
  }
  if (!path.contours.empty()) Fill(path, colour);
  return pen - x;
}

void Canvas::Draw(const Canvas& other, int x, int y) {
  for (int sy = 0; sy < other.height_; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= height_) continue;
    for (int sx = 0; sx < other.width_; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= width_) continue;
      const float* s = other.At(sx, sy);
      float* d = At(tx, ty);
      for (int c = 0; c < 4; ++c) d[c] = s[c] + d[c] * (1 - s[3]);
    }
  }
}

void Canvas::SetPixel(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float* p = At(x, y);
  const float a = colour.a / 255.0f;
  p[0] = colour.r / 255.0f * a;
  p[1] = colour.g / 255.0f * a;
  p[2] = colour.b / 255.0f * a;
  p[3] = a;
}

Colour Canvas::Pixel(int x, int y) const {
  const float* p = At(x, y);
  if (p[3] <= 0) return Colour{0, 0, 0, 0};
  return Colour{ToByte(p[0] / p[3]), ToByte(p[1] / p[3]), ToByte(p[2] / p[3]), ToByte(p[3])};
}

Colour Canvas::PixelOver(int x, int y, Colour background) const {
  const float* p = At(x, y);
  const float rest = 1 - p[3];
  return Colour{ToByte(p[0] + background.r / 255.0f * rest),
                ToByte(p[1] + background.g / 255.0f * rest),
                ToByte(p[2] + background.b / 255.0f * rest), 255};
}

void Canvas::PremultipliedPixel(int x, int y, std::uint8_t out[4]) const {
  const float* p = At(x, y);
  // Rounding is monotonic, so no colour sample ends up above its alpha.
  for (int c = 0; c < 4; ++c) out[c] = ToByte(std::min(p[c], p[3]));
}

Canvas Canvas::Rotated(int quarter_turns) const {
  const int turns = ((quarter_turns % 4) + 4) % 4;
  const bool swap = turns % 2 == 1;
  Canvas out(swap ? height_ : width_, swap ? width_ : height_, unit_);
  for (int y = 0; y < out.height_; ++y) {
    for (int x = 0; x < out.width_; ++x) {
      int sx = x, sy = y;
      if (turns == 1) sx = y, sy = height_ - 1 - x;
      if (turns == 2) sx = width_ - 1 - x, sy = height_ - 1 - y;
      if (turns == 3) sx = width_ - 1 - y, sy = x;
      std::copy_n(At(sx, sy), 4, out.At(x, y));
    }
  }
  return out;
}

void Canvas::Grey(float amount, float lighten) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float* p = At(x, y);
      if (p[3] <= 0) continue;
      float c[3] = {p[0] / p[3], p[1] / p[3], p[2] / p[3]};
      const float luma = 0.299f * c[0] + 0.587f * c[1] + 0.114f * c[2];
      for (float& v : c) {
        v = v * (1 - amount) + luma * amount;
        v = v + (1 - v) * lighten;
      }
      for (int k = 0; k < 3; ++k) p[k] = c[k] * p[3];
    }
  }
}

}  // namespace kvt::pictures
