// The image objects behind every preview: device-independent pictures kept
// as plain pixel buffers laid out exactly as a GDI DIB (BITMAPINFOHEADER,
// grey colour table, bottom-up rows padded to 4 bytes). They are composed
// with one another here; only drawing to a window and making bitmap handles
// go through the image device port.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/image_device.h"
#include "platform/library_loader.h"

namespace kvt {

// Result codes of the image operations.
inline constexpr std::uint32_t kImageOk = 0;
inline constexpr std::uint32_t kImageCannotCreate = 101;
inline constexpr std::uint32_t kImageInvalid = 107;
inline constexpr std::uint32_t kImageEmpty = 201;
inline constexpr std::uint32_t kImageNoMemory = 220;

// The largest pixel memory one picture may take. Previews are a few hundred
// pixels a side; anything near this comes from a broken picture.
inline constexpr std::size_t kMaxImageBytes = std::size_t{64} << 20;

// Bytes per row of a DIB: the packed row rounded up to a multiple of 4.
std::size_t DibStride(int width, int bits_per_pixel);

// Pixels per metre at |dpi| dots per inch, truncated (96 gives 3779).
std::int32_t PixelsPerMetre(int dpi);

// One channel of |source| over |destination| at straight alpha |alpha|:
// alpha 0 keeps the destination, 255 takes the source, anything between
// mixes and truncates after dividing by 256.
inline std::uint8_t BlendChannel(std::uint8_t source, std::uint8_t destination,
                                 std::uint8_t alpha) {
  if (alpha == 0) return destination;
  if (alpha == 255) return source;
  return static_cast<std::uint8_t>((source * alpha + destination * (255 - alpha)) / 256);
}

// A colour byte made darker or lighter by |percent| (100 keeps it).
std::uint8_t DensityByte(std::uint8_t value, int percent);

class CMyDibSection2 {
 public:
  CMyDibSection2() = default;
  CMyDibSection2(const CMyDibSection2&) = default;
  CMyDibSection2& operator=(const CMyDibSection2&) = default;
  virtual ~CMyDibSection2() = default;

  // Makes an image of |width| x |height| at |bits_per_pixel| (1, 4, 8, 24
  // or 32) and |dpi| dots per inch, with zeroed pixels. Nothing happens when
  // the image already has exactly this shape. 107 for a shape no DIB can
  // have, 220 when the memory cannot be had.
  std::uint32_t Create(int width, int height, int bits_per_pixel, int dpi = 96);
  void Free();
  // A deep copy of |other| (an empty image when |other| is empty).
  std::uint32_t CopyFrom(const CMyDibSection2& other);

  // The first byte of row |y| counted from the top; null when out of range.
  std::uint8_t* RowPointer(int y);
  const std::uint8_t* RowPointer(int y) const;

  // Sets every pixel to |colour| (red in the low byte, then green, blue and
  // alpha in the top byte); 8-bit images take the red byte, 1- and 4-bit
  // images stay as they are.
  void Fill(std::uint32_t colour);

  // Draws the top-left |width| x |height| pixels to |dc| at (x, y). 32-bit
  // images are blended with what the context shows and ignore |rop|.
  std::uint32_t DrawTo(DeviceContext dc, int x, int y, int width, int height,
                       std::uint32_t rop = kRopSrcCopy) const;
  // The same into |target|, which is made first (this depth, |width| x
  // |height|, 96 dpi) when it is empty. Pixels outside either image are
  // skipped.
  std::uint32_t DrawInto(CMyDibSection2& target, int x, int y, int width, int height,
                         std::uint32_t rop) const;
  std::uint32_t DrawInto(CMyDibSection2& target, int x, int y, int width, int height) const {
    return DrawInto(target, x, y, width, height, kRopSrcCopy);
  }

  // Bitmap resource |id| of |module| as a 24-bit image on white.
  std::uint32_t LoadPicture(ModuleHandle module, std::uint32_t id);
  // RCDATA resource |id| of |module| holding an uncompressed TIFF picture.
  std::uint32_t LoadTiffResource(ModuleHandle module, std::uint32_t id);
  // The same over the picture's bytes.
  std::uint32_t LoadTiff(const std::uint8_t* data, std::size_t size);

  // Darkens (above 100) or lightens (below 100) every colour byte of a
  // 24- or 8-bit image; 1-bit images are accepted and kept.
  std::uint32_t ApplyDensity(int percent);

  // A DIB section with this image's header and pixels, for controls that
  // take bitmap handles; the caller deletes it through the image device.
  BitmapHandle CreateSection() const;

  bool empty() const { return pixels_.empty(); }
  int width() const { return header_.biWidth; }
  int height() const { return header_.biHeight; }
  int bits_per_pixel() const { return header_.biBitCount; }
  int resolution() const { return resolution_; }
  std::size_t stride() const { return stride_; }
  const BitmapInfoHeader& header() const { return header_; }
  const std::vector<RgbQuad>& colours() const { return colours_; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }
  PixelView View() const;

 private:
  BitmapInfoHeader header_{};
  std::vector<RgbQuad> colours_;
  std::vector<std::uint8_t> pixels_;
  std::size_t stride_ = 0;
  int resolution_ = 96;
};

// The simpler image of the custom controls: always 24 bits at 96 dpi.
class CMyDibSection {
 public:
  std::uint32_t Create(int width, int height) { return image_.Create(width, height, 24, 96); }
  void Free() { image_.Free(); }
  std::uint8_t* RowPointer(int y) { return image_.RowPointer(y); }
  const std::uint8_t* RowPointer(int y) const { return image_.RowPointer(y); }

  // Copies bitmap resource |id| of |module| into the image, at most the
  // image's size; an empty image is first made at the bitmap's size. (Not
  // called LoadBitmap: <windows.h> turns that name into LoadBitmapW.)
  std::uint32_t LoadBitmapResource(ModuleHandle module, std::uint32_t id);

  bool empty() const { return image_.empty(); }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  const CMyDibSection2& image() const { return image_; }
  CMyDibSection2& image() { return image_; }

 private:
  CMyDibSection2 image_;
};

}  // namespace kvt
