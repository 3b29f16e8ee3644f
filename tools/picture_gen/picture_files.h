// The file formats the resource compiler takes for the pictures: BMP for
// BITMAP resources, ICO for ICON resources and TIFF for the RCDATA pictures
// that the previews alpha-blend.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {

// A 24-bit bottom-up BMP file of |canvas| composed over |background|,
// 96 dots per inch.
std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas, Colour background = kWhite);

// An icon file with one 32-bit image (straight alpha plus the AND mask of
// its fully transparent pixels) per canvas, in the order given. Each canvas
// must be square and at most 256 pixels.
std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images);

// A little-endian TIFF file with one image directory (next offset 0): one
// uncompressed strip of red, green, blue and alpha bytes, the colour
// premultiplied by alpha (ExtraSamples 1, associated alpha), 96 dots per
// inch.
std::vector<std::uint8_t> EncodeTiffPremultiplied(const Canvas& canvas);

}  // namespace kvt::pictures
