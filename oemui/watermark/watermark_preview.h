// The Watermark page's picture: the receipt, the stored-image sample at the
// chosen one of nine places, and the receipt's text (a 32-bit picture with
// alpha) blended over both, so the watermark shows where the text leaves
// the paper bare.
#pragma once

#include <cstdint>

#include "oemui/watermark/dib_section.h"
#include "platform/library_loader.h"

namespace kvt {

// Where the picture puts an item of |width| x |height| for grid position
// |position| (0 .. 8, row by row; anything else is the top left).
struct PreviewPoint {
  int x;
  int y;
};
PreviewPoint SamplePoint(int position, int width, int height);
// The text picture's top left: centred on the receipt's printable area.
PreviewPoint ContentPoint(int width, int height);

class WatermarkPreview {
 public:
  // Pictures come from |module|'s resources.
  explicit WatermarkPreview(ModuleHandle module) : module_(module) {}

  // Composes into |out|: the sample only for |mode| 1 (NV Image), the text
  // picture by print direction (0 or 2; anything else has no picture, 107)
  // and |landscape|. A picture that cannot be loaded gives its code and
  // leaves |out| as it was.
  std::uint32_t Compose(std::uint8_t mode, std::uint8_t position, std::uint8_t direction,
                        bool landscape, CMyDibSection2* out);

 private:
  // Loaded on first use and kept: the page composes after every change.
  std::uint32_t Background(const CMyDibSection2** picture);
  std::uint32_t Sample(const CMyDibSection2** picture);
  std::uint32_t Content(int index, const CMyDibSection2** picture);

  ModuleHandle module_;
  CMyDibSection2 background_;
  CMyDibSection2 sample_;
  CMyDibSection2 contents_[4];
};

}  // namespace kvt
