// The Tools page's logo: the receipt printer with a receipt coming out,
// beside the maker's name and the model.
#include "tools/picture_gen/drawing_kit.h"
#include "tools/picture_gen/drawings.h"

namespace kvt::pictures {

Canvas DrawToolsLogo(int width, int height) {
  Canvas c = Opaque(width, height, kWhite);
  const float h = static_cast<float>(height);
  // The receipt, behind the cover it comes out of.
  DrawPaper(c, 17, 41, 3, 22, false);
  std::vector<Point> tear;
  for (float x = 17; x <= 41; x += 3)
    tear.push_back({x, (static_cast<int>(x) / 3) % 2 ? 2.0f : 4.5f});
  for (int i = 0; i < 3; ++i)
    c.FillRect(20, 8.0f + 3.5f * i, i == 1 ? 32.0f : 38.0f, 9.5f + 3.5f * i, kTextGrey);
  c.FillRect(16, 0, 42, 3, kWhite);
  c.StrokeLine(tear, 1, kPaperEdge, false);
  // Body, cover and paper exit.
  c.FillRoundRect(5, 24, 53, h - 3, 4, kBodyDark);
  c.FillRoundRect(7, 17, 51, 30, 4, kBodyMid);
  c.FillRect(12, 20.5f, 46, 22.5f, Rgb(34, 36, 42));
  // Front details: a feed button and the power lamp.
  c.FillRoundRect(12, h - 14, 22, h - 9, 1.5f, kBodyMid);
  c.FillEllipse(45, h - 11.5f, 1.8f, 1.8f, Rgb(90, 214, 100));
  // The names.
  c.Text(62, 11, "KVT", 3, kAccent);
  c.Text(62, 37, "QV-J27", 2, kBodyDark);
  return c;
}

}  // namespace kvt::pictures
