// All pictures on one page for a person to look at: each picture on a
// checkerboard (so transparency shows) under its label, packed in rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {

class ContactSheet {
 public:
  // Rows are filled up to |row_width| pixels before the next one starts.
  explicit ContactSheet(int row_width) : row_width_(row_width) {}

  void Add(const std::string& label, Canvas picture);

  // The sheet as 8-bit RGB rows, top to bottom, every pixel |scale| times.
  std::vector<std::uint8_t> Pixels(int scale, int* width, int* height) const;

 private:
  struct Tile {
    std::string label;
    Canvas picture;
  };
  int row_width_;
  std::vector<Tile> tiles_;
};

}  // namespace kvt::pictures
