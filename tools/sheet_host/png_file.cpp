#include "tools/sheet_host/png_file.h"

#include <algorithm>
#include <array>

namespace kvt::tools {
namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t begin) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = begin; i < bytes.size(); ++i) {
    crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian32(std::string* out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(value >> shift));
}

void PutChunk(std::string* png, const char* type, const std::string& data) {
  PutBigEndian32(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t crc_begin = png->size();
  png->append(type, 4);
  png->append(data);
  PutBigEndian32(png, Crc32(*png, crc_begin));
}

// The zlib stream of |raw| in stored blocks of at most 65535 bytes.
std::string StoredZlib(const std::string& raw) {
  std::string z("\x78\x01", 2);  // deflate, 32 KiB window, no preset dictionary
  std::size_t pos = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - pos, 65535);
    const bool last = pos + length == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(length & 0xFF));
    z.push_back(static_cast<char>(length >> 8));
    z.push_back(static_cast<char>(~length & 0xFF));
    z.push_back(static_cast<char>((~length >> 8) & 0xFF));
    z.append(raw, pos, length);
    pos += length;
  } while (pos < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char byte : raw) {
    a = (a + static_cast<std::uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian32(&z, (b << 16) | a);
  return z;
}

}  // namespace

std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgb) {
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  if (width == 0 || height == 0 || rgb.size() != row_bytes * height) return std::string();
  std::string raw;
  raw.reserve((row_bytes + 1) * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);  // filter type None
    raw.append(reinterpret_cast<const char*>(rgb.data()) + y * row_bytes, row_bytes);
  }
  std::string header;
  PutBigEndian32(&header, width);
  PutBigEndian32(&header, height);
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter choice, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(&png, "IHDR", header);
  PutChunk(&png, "IDAT", StoredZlib(raw));
  PutChunk(&png, "IEND", std::string());
  return png;
}

}  // namespace kvt::tools
