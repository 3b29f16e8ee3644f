// The Font page's picture: a receipt printed with the printer's own fonts
// (text, double-size text, a barcode, a two-dimensional code and a font
// picked by a control character), and the same receipt greyed and crossed
// out while those fonts cannot be used with the current settings.
#include <cstdint>

#include "tools/picture_gen/drawing_kit.h"
#include "tools/picture_gen/drawings.h"

namespace kvt::pictures {
namespace {

constexpr float kLeft = 44, kRight = 143;
constexpr float kTextLeft = kLeft + 8, kTextRight = kRight - 8;

// A small deterministic pattern source, so every build draws the same code.
class Pattern {
 public:
  bool Next() {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 16) & 1;
  }

 private:
  std::uint32_t state_ = 20240607;
};

void Barcode(Canvas& c, float top, float bottom) {
  static const int kWidths[] = {1, 1, 2, 1, 3, 2, 1, 1, 2, 3, 1, 2, 1, 1, 3, 1, 2, 2, 1, 1,
                                3, 1, 1, 2, 1, 3, 2, 1, 2, 1, 1, 1, 2, 3, 1, 1, 2, 1, 3, 1};
  float x = kTextLeft + 4;
  bool bar = true;
  for (int w : kWidths) {
    if (x + w > kTextRight - 4) break;
    if (bar) c.FillRect(x, top, x + w, bottom, kInk);
    x += static_cast<float>(w);
    bar = !bar;
  }
}

void QrCode(Canvas& c, float x0, float y0) {
  constexpr int kModules = 25;
  constexpr float kModule = 1.2f;
  Pattern pattern;
  auto finder = [](int m, int n) {
    return (m < 8 && n < 8) || (m >= kModules - 8 && n < 8) || (m < 8 && n >= kModules - 8);
  };
  for (int n = 0; n < kModules; ++n) {
    for (int m = 0; m < kModules; ++m) {
      const bool on = pattern.Next();
      if (finder(m, n) || !on) continue;
      c.FillRect(x0 + m * kModule, y0 + n * kModule, x0 + (m + 1) * kModule, y0 + (n + 1) * kModule,
                 kInk);
    }
  }
  const float corners[][2] = {{0, 0}, {kModules - 7.0f, 0}, {0, kModules - 7.0f}};
  for (const auto& k : corners) {
    const float x = x0 + k[0] * kModule, y = y0 + k[1] * kModule;
    c.StrokeRect(x, y, x + 7 * kModule, y + 7 * kModule, kModule, kInk);
    c.FillRect(x + 2 * kModule, y + 2 * kModule, x + 5 * kModule, y + 5 * kModule, kInk);
  }
}

}  // namespace

Canvas DrawFontsUsable(int width, int height) {
  Canvas c = Opaque(width, height, kWhite);
  DrawPaper(c, kLeft, kRight, 0, static_cast<float>(height) - 4, true);
  c.FillRoundRect(kLeft - 4, -3, kRight + 4, 3, 2, kBodyDark);
  // Device font text, then the same font at double size.
  c.Text(kTextLeft, 8, "ABC 123", 1, kInk);
  c.Text(kTextLeft, 19, "KVT", 2, kInk);
  c.FillRect(kTextLeft + 40, 26, kTextRight, 28, kTextGrey);
  // A barcode with its human-readable digits.
  Barcode(c, 38, 56);
  c.Text(kTextLeft + 13, 58, "012345678", 1, kInk);
  // A two-dimensional code beside a few lines of text.
  QrCode(c, kTextLeft, 72);
  for (int i = 0; i < 4; ++i) {
    const float y = 75.0f + 7.0f * i;
    c.FillRect(kTextLeft + 36, y, kTextRight - (i % 2 ? 14 : 0), y + 2, kTextGrey);
  }
  // A font chosen by a control character: the letter on a dark cap.
  c.FillRoundRect(kTextLeft, 108, kTextLeft + 11, 119, 2, kAccent);
  c.Text(kTextLeft + 3, 110, "A", 1, kWhite);
  c.Text(kTextLeft + 16, 110, "SMALL", 1, kInk);
  c.FillRect(kTextLeft + 50, 113, kTextRight, 115, kTextGrey);
  for (int i = 0; i < 2; ++i) {
    const float y = 125.0f + 6.0f * i;
    c.FillRect(kTextLeft, y, kTextRight - (i ? 30 : 0), y + 2, kTextGrey);
  }
  return c;
}

Canvas DrawFontsBlocked(int width, int height) {
  Canvas c = DrawFontsUsable(width, height);
  c.Grey(1.0f, 0.55f);
  const float cx = (kLeft + kRight) / 2, cy = static_cast<float>(height) / 2;
  const float r = 36;
  const Colour red = Rgb(204, 32, 32, 235);
  Path sign;
  sign.Add(EllipseContour(cx, cy, r, r));
  sign.Add(EllipseContour(cx, cy, r - 6, r - 6));
  c.Fill(sign, red, FillRule::kEvenOdd);
  c.Line(cx - (r - 4) * 0.7071f, cy - (r - 4) * 0.7071f, cx + (r - 4) * 0.7071f,
         cy + (r - 4) * 0.7071f, 6, red, false);
  return c;
}

}  // namespace kvt::pictures
