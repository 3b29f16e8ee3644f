// PNG encoding of screenshots: 8-bit RGB, no filtering, stored (not
// compressed) deflate blocks. Files are larger than a compressing encoder's
// but every viewer and ImageMagick reads them, and nothing beyond the
// standard library is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

// |rgb| holds width * height pixels, rows top to bottom, three bytes each.
// Empty when the sizes are zero or do not match the pixels.
std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgb);

}  // namespace kvt::tools
