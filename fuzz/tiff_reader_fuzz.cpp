// The TIFF reader over arbitrary bytes: pictures come from resources, but a
// broken one must be refused, never read past.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "oemui/watermark/dib_section.h"
#include "oemui/watermark/tiff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvt::TiffFields fields;
  kvt::ReadTiffFields(data, size, &fields);

  kvt::CMyDibSection2 image;
  if (image.LoadTiff(data, size) != kvt::kImageOk) {
    if (!image.empty()) std::abort();  // a refused picture leaves nothing behind
    return 0;
  }
  // What was accepted is a whole, consistent picture.
  if (image.pixels().size() != image.stride() * static_cast<std::size_t>(image.height()) ||
      image.header().biSizeImage != image.pixels().size()) {
    std::abort();
  }
  if (image.bits_per_pixel() == 24 || image.bits_per_pixel() == 8) image.ApplyDensity(130);
  kvt::CMyDibSection2 page;
  if (page.Create(64, 64, 24) == kvt::kImageOk) image.DrawInto(page, -3, 5, 200, 200);
  return 0;
}
