// The built-in bitmap fonts for the few letters and digits the pictures
// show: a 5 x 7 font (upper-case letters, digits, a few signs) and a 3 x 5
// font for the digits and letters of 32-pixel icons.
#pragma once

#include <cstdint>

namespace kvt::pictures {

struct Glyph {
  int width = 0;   // columns
  int height = 0;  // rows
  // Row r, column c is set when bit (width - 1 - c) of rows[r] is.
  const std::uint8_t* rows = nullptr;
};

// The glyph of |ch|; an empty glyph (width 0) for characters the font lacks
// (a blank has width 3 in the large font, 2 in the small one, and no rows set).
Glyph FindGlyph(char ch, bool small);

// Columns between glyphs.
inline constexpr int kGlyphGap = 1;

}  // namespace kvt::pictures
