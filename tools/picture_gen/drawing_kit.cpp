#include "tools/picture_gen/drawing_kit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kvt::pictures {

Canvas Opaque(int width, int height, Colour colour, float unit) {
  Canvas c(width, height, unit);
  c.Clear(colour);
  return c;
}

void DrawPaper(Canvas& c, float x0, float x1, float top, float bottom, bool torn) {
  std::vector<Point> outline = {{x0, top}, {x1, top}, {x1, bottom}};
  if (torn) {
    // Teeth of 4 units, 3 deep, running back from right to left.
    bool up = true;
    for (float x = x1 - 4; x > x0; x -= 4, up = !up)
      outline.push_back({x, up ? bottom - 3 : bottom});
  }
  outline.push_back({x0, bottom});
  std::vector<Point> shadow = outline;
  for (Point& p : shadow) p.x += 2, p.y += 2;
  c.FillPolygon(shadow, kShadow);
  c.FillPolygon(outline, kWhite);
  // The edge: the sides and the bottom; the top runs into the printer.
  std::vector<Point> edge(outline.begin() + 1, outline.end());
  edge.insert(edge.begin(), {x1 - 0.5f, top});
  for (Point& p : edge) {
    p.x = std::clamp(p.x, x0 + 0.5f, x1 - 0.5f);
    p.y = std::min(p.y, bottom - 0.5f);
  }
  edge.push_back({x0 + 0.5f, top});
  c.StrokeLine(edge, 1.0f, kPaperEdge, false);
}

void DrawReceiptText(Canvas& c, float x0, float y0, float x1, float y1, float line, Colour ink,
                     Colour text) {
  // Whole pixels throughout: bars of receipt text this small blur when
  // their edges fall between pixels.
  auto r = [](float v) { return std::round(v); };
  x0 = r(x0), y0 = r(y0), x1 = r(x1), y1 = r(y1), line = r(line);
  const float w = x1 - x0;
  const float bar = std::max(1.0f, r(line * 0.5f));
  const float title = bar + 1;
  const float gap = line - bar;
  const float half_gap = std::max(1.0f, std::floor(gap / 2));
  // Title, centred and heavier.
  c.FillRect(r(x0 + w * 0.25f), y0, r(x1 - w * 0.25f), y0 + title, ink);
  // Item lines, as many as leave room for the rule and the total: a name
  // of varying length and a price on the right.
  const float first = y0 + title + gap;
  static const float kNames[] = {0.55f, 0.42f, 0.62f, 0.35f, 0.5f, 0.45f, 0.58f};
  int items = 0;
  while (items < 7 && first + items * line + bar + 2 * half_gap + 1 + title <= y1) ++items;
  for (int i = 0; i < items; ++i) {
    const float y = first + static_cast<float>(i) * line;
    c.FillRect(x0, y, r(x0 + w * kNames[i]), y + bar, text);
    c.FillRect(r(x1 - w * 0.2f), y, x1, y + bar, text);
  }
  // A dashed rule, then the total.
  const float rule = first + static_cast<float>(items - 1) * line + bar + half_gap;
  for (float x = x0; x < x1; x += 3) c.FillRect(x, rule, std::min(x1, x + 2), rule + 1, text);
  const float total = rule + 1 + half_gap;
  c.FillRect(x0, total, r(x0 + w * 0.35f), total + title, ink);
  c.FillRect(r(x1 - w * 0.3f), total, x1, total + title, ink);
}

Canvas MaskOf(const Canvas& shape) {
  Canvas out = Opaque(shape.width(), shape.height(), kWhite);
  for (int y = 0; y < shape.height(); ++y) {
    for (int x = 0; x < shape.width(); ++x) {
      if (shape.Pixel(x, y).a != 0) out.FillRect(x, y, x + 1, y + 1, kBlack);
    }
  }
  return out;
}

Canvas ImageOf(const Canvas& shape, Colour backdrop) {
  Canvas out = Opaque(shape.width(), shape.height(), kBlack);
  for (int y = 0; y < shape.height(); ++y) {
    for (int x = 0; x < shape.width(); ++x) {
      if (shape.Pixel(x, y).a != 0)
        out.FillRect(x, y, x + 1, y + 1, shape.PixelOver(x, y, backdrop));
    }
  }
  return out;
}

}  // namespace kvt::pictures
