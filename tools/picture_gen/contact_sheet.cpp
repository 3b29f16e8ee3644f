#include "tools/picture_gen/contact_sheet.h"

#include <algorithm>

namespace kvt::pictures {
namespace {

constexpr int kGap = 10;
constexpr int kLabelHeight = 10;

}  // namespace

void ContactSheet::Add(const std::string& label, Canvas picture) {
  tiles_.push_back({label, std::move(picture)});
}

std::vector<std::uint8_t> ContactSheet::Pixels(int scale, int* width, int* height) const {
  // Lay the tiles out in rows.
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, row_height = 0, sheet_width = 0;
  for (const Tile& tile : tiles_) {
    const int w = std::max(tile.picture.width(), static_cast<int>(tile.label.size()) * 6);
    if (x > kGap && x + w > row_width_) {
      x = kGap;
      y += row_height + kGap;
      row_height = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    sheet_width = std::max(sheet_width, x);
    row_height = std::max(row_height, kLabelHeight + tile.picture.height());
  }
  const int sheet_height = y + row_height + kGap;

  Canvas sheet(sheet_width, sheet_height);
  sheet.Clear(Rgb(250, 250, 250));
  for (std::size_t i = 0; i < tiles_.size(); ++i) {
    const Tile& tile = tiles_[i];
    const Place& at = places[i];
    sheet.Text(static_cast<float>(at.x), static_cast<float>(at.y), tile.label, 1, Rgb(60, 60, 60));
    const int top = at.y + kLabelHeight;
    for (int py = 0; py < tile.picture.height(); ++py) {
      for (int px = 0; px < tile.picture.width(); ++px) {
        const bool dark = ((px / 4) + (py / 4)) % 2 != 0;
        sheet.SetPixel(at.x + px, top + py, dark ? Rgb(200, 200, 200) : Rgb(232, 232, 232));
      }
    }
    sheet.Draw(tile.picture, at.x, top);
  }

  *width = sheet_width * scale;
  *height = sheet_height * scale;
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(*width) * *height * 3);
  for (int sy = 0; sy < *height; ++sy) {
    for (int sx = 0; sx < *width; ++sx) {
      const Colour c = sheet.PixelOver(sx / scale, sy / scale, kWhite);
      rgb.push_back(c.r);
      rgb.push_back(c.g);
      rgb.push_back(c.b);
    }
  }
  return rgb;
}

}  // namespace kvt::pictures
