// Image device port: what the portable pixel buffers need from GDI. A
// picture is drawn into a device context, a device context's pixels are read
// back (so that 32-bit pictures can be blended in portable code), and a
// picture becomes a DIB section for the controls that take bitmap handles
// (Windows: StretchDIBits, BitBlt, CreateDIBSection; Linux has no device
// contexts, so every call fails there).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/service.h"

namespace kvt {

// An HDC on Windows.
using DeviceContext = void*;
// An HBITMAP on Windows.
using BitmapHandle = void*;

// The BITMAPINFOHEADER block, field for field and byte for byte, so the
// Windows side hands it to GDI as it is.
struct BitmapInfoHeader {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");

// An RGBQUAD colour table entry.
struct RgbQuad {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4, "RGBQUAD is 4 bytes");

// A picture as GDI sees a DIB: its header, its colour table (header->biClrUsed
// entries) and its bottom-up rows of header->biSizeImage bytes.
struct PixelView {
  const BitmapInfoHeader* header = nullptr;
  const RgbQuad* colours = nullptr;
  std::uint8_t* bits = nullptr;
};

// GDI's binary raster operations that the previews use.
inline constexpr std::uint32_t kRopSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kRopSrcPaint = 0x00EE0086;
inline constexpr std::uint32_t kRopSrcAnd = 0x008800C6;
inline constexpr std::uint32_t kRopSrcInvert = 0x00660046;
inline constexpr std::uint32_t kRopNotSrcCopy = 0x00330008;

class ImageDevice {
 public:
  virtual ~ImageDevice() = default;

  // Draws the top-left |width| x |height| pixels of |image| to |dc| at
  // (x, y) through raster operation |rop|. False, with the thread's last
  // error set, when GDI refuses.
  virtual bool Draw(DeviceContext dc, int x, int y, int width, int height, const PixelView& image,
                    std::uint32_t rop) = 0;

  // Reads the pixels of |dc| at (x, y) into |image|, a 24-bit picture of the
  // size to read. False, with the thread's last error set, when it cannot.
  virtual bool Read(DeviceContext dc, int x, int y, const PixelView& image) = 0;

  // A DIB section on the screen with |image|'s header, colour table and
  // pixels; the caller deletes it with DeleteBitmap. Null, with the thread's
  // last error set, when it cannot be made.
  virtual BitmapHandle CreateSection(const PixelView& image) = 0;
  virtual void DeleteBitmap(BitmapHandle bitmap) = 0;
};

template <>
ImageDevice& DefaultService<ImageDevice>();

}  // namespace kvt
