// The settings trees' icons, drawn on a 16-unit grid and made at 16 and 32
// pixels. Backgrounds stay transparent: the tree draws them on its own
// row colours.
#include "tools/picture_gen/drawing_kit.h"
#include "tools/picture_gen/drawings.h"

namespace kvt::pictures {
namespace {

Canvas Icon(int width, int height) { return Canvas(width, height, width / 16.0f); }

constexpr Colour kOutline = Rgb(90, 96, 106);

// A sheet with a folded corner.
void Sheet(Canvas& c, float x0, float y0, float x1, float y1) {
  const float fold = 3.5f;
  c.FillPolygon({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}, kWhite);
  c.StrokeLine({{x1 - fold, y0 + 0.5f},
                {x0 + 0.5f, y0 + 0.5f},
                {x0 + 0.5f, y1 - 0.5f},
                {x1 - 0.5f, y1 - 0.5f},
                {x1 - 0.5f, y0 + fold},
                {x1 - fold, y0 + 0.5f}},
               1, kOutline, false);
  c.FillPolygon({{x1 - fold, y0}, {x1, y0 + fold}, {x1 - fold, y0 + fold}}, kBodyLight);
}

}  // namespace

Canvas DrawIconDocument(int width, int height) {
  Canvas c = Icon(width, height);
  Sheet(c, 2.5f, 1, 13.5f, 15);
  for (int i = 0; i < 4; ++i)
    c.FillRect(4.5f, 5.0f + 2.5f * i, i == 3 ? 8.5f : 11.5f, 6.0f + 2.5f * i, kAccent);
  return c;
}

Canvas DrawIconPrinter(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRect(4, 1, 12, 7, kWhite);
  c.StrokeRect(4, 1, 12, 7, 1, kOutline);
  c.FillRoundRect(1, 6, 15, 12.5f, 1.5f, kBodyDark);
  c.FillRect(2, 6.5f, 14, 8, kBodyMid);
  c.FillEllipse(12.5f, 10, 0.9f, 0.9f, Rgb(90, 210, 90));
  // The printout.
  c.FillRect(4, 10, 12, 15, kWhite);
  c.StrokeRect(4, 10, 12, 15, 1, kOutline);
  c.FillRect(5.5f, 12, 10.5f, 13, kAccent);
  return c;
}

Canvas DrawIconReceipt(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRoundRect(2, 0.5f, 14, 4, 1.5f, kBodyDark);
  std::vector<Point> paper = {{4, 3}, {12, 3}, {12, 14}};
  for (float x = 10, k = 0; x > 4; x -= 2, ++k) paper.push_back({x, k == 0 || k == 2 ? 15.5f : 14});
  paper.push_back({4, 14});
  c.FillPolygon(paper, kOutline);
  c.FillRect(5, 4, 11, 13.5f, kWhite);
  for (int i = 0; i < 3; ++i)
    c.FillRect(6, 5.5f + 2.5f * i, i == 1 ? 8.5f : 10, 6.5f + 2.5f * i, kTextGrey);
  return c;
}

Canvas DrawIconGeneral(int width, int height) {
  // Three sliders: speed, density, reduction.
  Canvas c = Icon(width, height);
  const float knobs[] = {5, 10, 7};
  for (int i = 0; i < 3; ++i) {
    const float y = 3.5f + 4.5f * i;
    c.FillRoundRect(1.5f, y - 0.75f, 14.5f, y + 0.75f, 0.75f, kOutline);
    c.FillRoundRect(knobs[i] - 1.75f, y - 2.5f, knobs[i] + 1.75f, y + 2.5f, 1, kAccent);
  }
  return c;
}

Canvas DrawIconPaperCut(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRect(5, 0.5f, 15, 15.5f, kWhite);
  c.StrokeRect(5, 0.5f, 15, 15.5f, 1, kOutline);
  for (int i = 0; i < 2; ++i) c.FillRect(7, 2.5f + 2.5f * i, 13, 3.5f + 2.5f * i, kTextGrey);
  for (float x = 5.5f; x < 15; x += 2.5f) c.FillRect(x, 8.5f, x + 1.5f, 9.5f, kCutRed);
  // Scissors at the line.
  c.StrokeEllipse(2.2f, 6.5f, 1.8f, 1.8f, 1, kInk);
  c.StrokeEllipse(2.2f, 11.5f, 1.8f, 1.8f, 1, kInk);
  c.Line(3.5f, 7.5f, 8, 10, 1.2f, kInk);
  c.Line(3.5f, 10.5f, 8, 8, 1.2f, kInk);
  return c;
}

Canvas DrawIconDeviceFont(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRoundRect(1, 1, 15, 15, 2.5f, kAccent);
  // A sans-serif capital: two strokes and a bar.
  c.StrokeLine({{4, 13}, {8, 3}, {12, 13}}, 2, kWhite, false);
  c.Line(5.5f, 9.5f, 10.5f, 9.5f, 1.5f, kWhite, false);
  return c;
}

Canvas DrawIconOption(int width, int height) {
  // The cash drawer: the best known of the actions at the start and end.
  Canvas c = Icon(width, height);
  c.FillRect(4, 1.5f, 12, 5, Rgb(110, 170, 110));
  c.FillRoundRect(1, 4, 15, 15, 1.5f, kBodyDark);
  c.FillRect(1.5f, 4.5f, 14.5f, 6.5f, kBodyMid);
  c.FillRoundRect(2, 8, 14, 14, 1, kBodyLight);
  c.FillRoundRect(5.5f, 10, 10.5f, 11.5f, 0.75f, kBodyDark);
  return c;
}

Canvas DrawIconWatermark(int width, int height) {
  Canvas c = Icon(width, height);
  Sheet(c, 2.5f, 1, 13.5f, 15);
  c.FillEllipse(8, 8.5f, 3.8f, 3.8f, Rgb(180, 200, 230));
  c.FillEllipse(8, 8.5f, 1.6f, 1.6f, kWhite);
  return c;
}

Canvas DrawIconBarcode(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRect(1, 2, 15, 14, kWhite);
  c.StrokeRect(1, 2, 15, 14, 1, kOutline);
  // Whole pixels at 16: half-pixel bars would blur into grey.
  const float bars[][2] = {{3, 1}, {5, 2}, {8, 1}, {10, 1}, {12, 2}};
  for (const auto& bar : bars) c.FillRect(bar[0], 4, bar[0] + bar[1], 12, kInk);
  return c;
}

Canvas DrawIconBarcode2D(int width, int height) {
  Canvas c = Icon(width, height);
  c.FillRect(1, 1, 15, 15, kWhite);
  c.StrokeRect(1, 1, 15, 15, 1, kOutline);
  // Three finder squares and a scatter of modules.
  const float finders[][2] = {{2, 2}, {10, 2}, {2, 10}};
  for (const auto& f : finders) {
    c.StrokeRect(f[0], f[1], f[0] + 4, f[1] + 4, 1, kInk);
    c.FillRect(f[0] + 1.5f, f[1] + 1.5f, f[0] + 2.5f, f[1] + 2.5f, kInk);
  }
  const float modules[][2] = {{7, 2},  {7, 4},   {8, 6},  {2, 7}, {4, 7},   {6, 8},
                              {7, 7},  {10, 7},  {12, 8}, {9, 9}, {11, 10}, {13, 11},
                              {9, 12}, {12, 13}, {7, 11}, {7, 13}};
  for (const auto& m : modules) c.FillRect(m[0], m[1], m[0] + 1, m[1] + 1, kInk);
  return c;
}

Canvas DrawIconControlA(int width, int height) {
  // A key cap with an "A": the fonts picked by control characters.
  Canvas c = Icon(width, height);
  c.FillRoundRect(1, 1, 15, 15, 2.5f, kOutline);
  c.FillRoundRect(2, 2, 14, 13, 2, Rgb(236, 238, 242));
  c.Text(6, 4, "A", 1, kAccent);
  c.FillRect(3, 3, 5, 4, kTextGrey);
  return c;
}

}  // namespace kvt::pictures
