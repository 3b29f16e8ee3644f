// The Watermark page's pictures: the receipt the preview starts from, the
// stored-image sample placed on it, the page text blended over both, and
// the picture behind the position grid.
//
// The page places the sample between x 6 and 139 and between y 20 and 150,
// and centres the text in the box from (2, 16) that is 141 x 138: that box
// is the paper.
#include <cmath>

#include "tools/picture_gen/drawing_kit.h"
#include "tools/picture_gen/drawings.h"

namespace kvt::pictures {

Canvas DrawWatermarkReceipt(int width, int height) {
  Canvas c = Opaque(width, height, kWhite);
  DrawPaper(c, 2, 143, 8, 160, true);
  // The printer's paper exit across the top.
  c.FillRoundRect(0, 0, static_cast<float>(width), 10, 3, kBodyDark);
  c.FillRect(4, 7, static_cast<float>(width) - 4, 9, Rgb(30, 32, 36));
  return c;
}

Canvas DrawWatermarkSample(int width, int height) {
  // A stored logo as the printer would hold it, in the light tone of a
  // watermark: a round emblem and "NV IMAGE".
  Canvas c = Opaque(width, height, kWhite);
  const Colour tone = Rgb(150, 172, 206);
  const Colour pale = Rgb(196, 210, 232);
  const float h = static_cast<float>(height);
  c.FillEllipse(16, h / 2, 13.5f, 13.5f, pale);
  c.StrokeEllipse(16, h / 2, 13.5f, 13.5f, 1.5f, tone);
  // A star in the emblem.
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    const float angle = -1.5708f + 3.14159f * static_cast<float>(i) / 5;
    const float r = (i % 2) ? 3.8f : 9.0f;
    star.push_back({16 + r * std::cos(angle), h / 2 + r * std::sin(angle)});
  }
  c.FillPolygon(star, tone);
  c.Text(35, 6, "NV", 2, tone);
  c.Text(35, 22, "IMAGE", 1, tone);
  return c;
}

Canvas DrawWatermarkText(int width, int height) {
  // Transparent but for the text, so the watermark shows between the
  // lines; the title sits on a half-transparent band.
  Canvas c(width, height);
  const float w = static_cast<float>(width);
  c.FillRoundRect(w / 2 - 26, 0, w / 2 + 26, 11, 3, Rgb(0, 0, 0, 48));
  c.Text(w / 2 - 20.5f, 2, "RECEIPT", 1, kInk);
  const Colour text = Rgb(70, 70, 70);
  static const float kNames[] = {38, 26, 44, 30, 36, 22};
  float y = 16;
  for (float name : kNames) {
    c.FillRect(4, y, 4 + name, y + 3, text);
    c.FillRect(w - 18, y, w - 4, y + 3, text);
    y += 7;
  }
  for (float x = 4; x < w - 4; x += 4) c.FillRect(x, y, x + 2, y + 1, text);
  c.Text(4, y + 5, "TOTAL", 1, kInk);
  c.FillRect(w - 24, y + 5, w - 4, y + 12, kInk);
  return c;
}

Canvas DrawWatermarkTextSideways(int width, int height) {
  // A landscape page: the same text turned a quarter to the left, 75 x 85,
  // as the Document Settings preview turns it.
  return DrawWatermarkText(height, width).Rotated(3);
}

Canvas DrawWatermarkTextUpsideDown(int width, int height) {
  return DrawWatermarkText(width, height).Rotated(2);
}

Canvas DrawWatermarkTextSidewaysUpsideDown(int width, int height) {
  return DrawWatermarkText(height, width).Rotated(1);
}

Canvas DrawGrid(int width, int height) {
  // A small receipt divided into the nine places a watermark can take; the
  // radio buttons sit in the middle of each.
  Canvas c = Opaque(width, height, kWhite);
  const float x0 = 6, x1 = static_cast<float>(width) - 7, y0 = 3,
              y1 = static_cast<float>(height) - 6;
  DrawPaper(c, x0, x1, y0, y1 + 3, true);
  c.FillRect(x0, y0, x1, y0 + 1, kPaperEdge);
  const Colour rule = Rgb(170, 186, 210);
  for (int k = 1; k < 3; ++k) {
    const float x = x0 + (x1 - x0) * static_cast<float>(k) / 3;
    const float y = y0 + (y1 - y0) * static_cast<float>(k) / 3;
    for (float t = y0 + 2; t < y1; t += 4) c.FillRect(x - 0.5f, t, x + 0.5f, t + 2, rule);
    for (float t = x0 + 2; t < x1 - 1; t += 4) c.FillRect(t, y - 0.5f, t + 2, y + 0.5f, rule);
  }
  return c;
}

Canvas DrawGridDisabled(int width, int height) {
  Canvas c = DrawGrid(width, height);
  c.Grey(1.0f, 0.45f);
  return c;
}

}  // namespace kvt::pictures
