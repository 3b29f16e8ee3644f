#include "tools/picture_gen/picture_files.h"

#include <cstddef>

namespace kvt::pictures {
namespace {

constexpr std::int32_t kPixelsPerMetre96 = 3779;  // 96 dpi, truncated

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>* out) : out_(out) {}
  void U8(std::uint8_t v) { out_->push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void Pad(std::size_t to) {
    while (out_->size() < to) U8(0);
  }

 private:
  std::vector<std::uint8_t>* out_;
};

std::size_t Stride(int width, int bits) {
  return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
}

void InfoHeader(Writer& w, int width, int height, int bits, std::uint32_t image_size) {
  w.U32(40);
  w.U32(static_cast<std::uint32_t>(width));
  w.U32(static_cast<std::uint32_t>(height));
  w.U16(1);
  w.U16(static_cast<std::uint16_t>(bits));
  w.U32(0);  // BI_RGB
  w.U32(image_size);
  w.U32(kPixelsPerMetre96);
  w.U32(kPixelsPerMetre96);
  w.U32(0);
  w.U32(0);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas, Colour background) {
  const std::size_t stride = Stride(canvas.width(), 24);
  const auto image_size = static_cast<std::uint32_t>(stride * canvas.height());
  std::vector<std::uint8_t> out;
  Writer w(&out);
  w.U8('B');
  w.U8('M');
  w.U32(14 + 40 + image_size);
  w.U32(0);
  w.U32(14 + 40);
  InfoHeader(w, canvas.width(), canvas.height(), 24, image_size);
  for (int y = canvas.height() - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    for (int x = 0; x < canvas.width(); ++x) {
      const Colour c = canvas.PixelOver(x, y, background);
      w.U8(c.b);
      w.U8(c.g);
      w.U8(c.r);
    }
    w.Pad(row_start + stride);
  }
  return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Canvas& image : images) {
    const int size = image.width();
    std::vector<std::uint8_t> body;
    Writer w(&body);
    const std::size_t mask_stride = Stride(size, 1);
    const auto image_size = static_cast<std::uint32_t>(size * size * 4 + mask_stride * size);
    // The height counts the colour rows and the mask rows.
    InfoHeader(w, size, size * 2, 32, image_size);
    for (int y = size - 1; y >= 0; --y) {
      for (int x = 0; x < size; ++x) {
        const Colour c = image.Pixel(x, y);
        w.U8(c.b);
        w.U8(c.g);
        w.U8(c.r);
        w.U8(c.a);
      }
    }
    // Systems that ignore the alpha channel fall back on the mask.
    for (int y = size - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(mask_stride, 0);
      for (int x = 0; x < size; ++x) {
        if (image.Pixel(x, y).a == 0) row[static_cast<std::size_t>(x) / 8] |= 0x80 >> (x % 8);
      }
      body.insert(body.end(), row.begin(), row.end());
    }
    bodies.push_back(std::move(body));
  }

  std::vector<std::uint8_t> out;
  Writer w(&out);
  w.U16(0);
  w.U16(1);  // icon
  w.U16(static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].width();
    w.U8(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    w.U8(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    w.U8(0);  // no palette
    w.U8(0);
    w.U16(1);   // planes
    w.U16(32);  // bits per pixel
    w.U32(static_cast<std::uint32_t>(bodies[i].size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<std::uint8_t> EncodeTiffPremultiplied(const Canvas& canvas) {
  enum : std::uint16_t { kShort = 3, kLong = 4, kRational = 5 };
  struct Entry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
  };
  const auto width = static_cast<std::uint32_t>(canvas.width());
  const auto height = static_cast<std::uint32_t>(canvas.height());
  const std::uint32_t strip_bytes = width * height * 4;

  constexpr std::uint32_t kEntries = 14;
  constexpr std::uint32_t kDirectory = 8;
  constexpr std::uint32_t kBitsAt = kDirectory + 2 + kEntries * 12 + 4;
  constexpr std::uint32_t kXResolutionAt = kBitsAt + 8;
  constexpr std::uint32_t kYResolutionAt = kXResolutionAt + 8;
  constexpr std::uint32_t kStripAt = kYResolutionAt + 8;
  // Tags in ascending order, as readers expect.
  const Entry entries[kEntries] = {
      {256, kLong, 1, width},               // ImageWidth
      {257, kLong, 1, height},              // ImageLength
      {258, kShort, 4, kBitsAt},            // BitsPerSample 8, 8, 8, 8
      {259, kShort, 1, 1},                  // Compression: none
      {262, kShort, 1, 2},                  // PhotometricInterpretation: RGB
      {273, kLong, 1, kStripAt},            // StripOffsets
      {277, kShort, 1, 4},                  // SamplesPerPixel
      {278, kLong, 1, height},              // RowsPerStrip: one strip
      {279, kLong, 1, strip_bytes},         // StripByteCounts
      {282, kRational, 1, kXResolutionAt},  // XResolution
      {283, kRational, 1, kYResolutionAt},  // YResolution
      {284, kShort, 1, 1},                  // PlanarConfiguration: chunky
      {296, kShort, 1, 2},                  // ResolutionUnit: inch
      {338, kShort, 1, 1},                  // ExtraSamples: associated alpha
  };

  std::vector<std::uint8_t> out;
  Writer w(&out);
  w.U8('I');
  w.U8('I');
  w.U16(42);
  w.U32(kDirectory);
  w.U16(kEntries);
  for (const Entry& e : entries) {
    w.U16(e.tag);
    w.U16(e.type);
    w.U32(e.count);
    // A short that fits sits in the first two bytes of the value field.
    if (e.type == kShort && e.count == 1) {
      w.U16(static_cast<std::uint16_t>(e.value));
      w.U16(0);
    } else {
      w.U32(e.value);
    }
  }
  w.U32(0);  // no further directory
  for (int i = 0; i < 4; ++i) w.U16(8);
  w.U32(96);
  w.U32(1);
  w.U32(96);
  w.U32(1);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      std::uint8_t samples[4];
      canvas.PremultipliedPixel(x, y, samples);
      for (std::uint8_t s : samples) w.U8(s);
    }
  }
  return out;
}

}  // namespace kvt::pictures
