// The fields of an uncompressed TIFF picture that the previews need, read
// from the picture's bytes. Every offset and count in the picture is checked
// against the bytes it came with; nothing outside them is read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt {

struct TiffFields {
  std::uint32_t width = 0;              // 256 ImageWidth
  std::uint32_t height = 0;             // 257 ImageLength
  std::uint32_t bits_per_pixel = 0;     // 258 BitsPerSample, summed over the samples
  std::uint32_t compression = 0;        // 259 Compression
  std::uint32_t strip_offset = 0;       // 273 StripOffsets, the first strip
  std::uint32_t samples_per_pixel = 0;  // 277 SamplesPerPixel
  std::uint32_t x_resolution = 0;       // 282 XResolution, truncated
  std::uint32_t y_resolution = 0;       // 283 YResolution, truncated
};

// Reads the header and the single image directory of |data|. False for a
// bad byte order mark or version, a directory outside the bytes, or a second
// directory. Values outside the bytes are refused too.
bool ReadTiffFields(const std::uint8_t* data, std::size_t size, TiffFields* fields);

}  // namespace kvt
