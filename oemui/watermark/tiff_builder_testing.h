// A small TIFF writer for tests, the fuzz corpus and the benchmark: one
// directory of entries, a strip of pixel bytes, either byte order, and
// every part open to being made wrong on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kvt::testing {

enum TiffType : std::uint16_t {
  kTiffByte = 1,
  kTiffShort = 3,
  kTiffLong = 4,
  kTiffRational = 5,
  kTiffUndefined = 7,
};

struct TiffEntry {
  TiffEntry(std::uint16_t tag, std::uint16_t type, std::vector<std::uint32_t> values)
      : tag(tag), type(type), values(std::move(values)) {}

  std::uint16_t tag = 0;
  std::uint16_t type = kTiffShort;
  // Values as numbers; a RATIONAL takes two (numerator, denominator).
  std::vector<std::uint32_t> values;
  // The count written; by default the number of values (halved for RATIONAL).
  std::optional<std::uint32_t> count;
  // An offset written in place of the real one, for data that is not there.
  std::optional<std::uint32_t> offset;
};

class TiffBuilder {
 public:
  // An uncompressed picture of |samples| 8-bit samples per pixel (3: RGB,
  // 4: premultiplied RGBA), one strip of |pixels| bytes, 96 dpi.
  static TiffBuilder Picture(bool big_endian, std::uint32_t width, std::uint32_t height,
                             std::uint32_t samples, std::vector<std::uint8_t> pixels) {
    TiffBuilder tiff;
    tiff.big_endian = big_endian;
    tiff.strip = std::move(pixels);
    const auto strip_bytes = static_cast<std::uint32_t>(tiff.strip.size());
    tiff.entries = {
        {256, kTiffLong, {width}},
        {257, kTiffLong, {height}},
        {258, kTiffShort, std::vector<std::uint32_t>(samples, 8)},
        {259, kTiffShort, {1}},
        {262, kTiffShort, {2}},
        {273, kTiffLong, {0}},  // filled in with the strip's place
        {277, kTiffShort, {samples}},
        {278, kTiffLong, {height}},
        {279, kTiffLong, {strip_bytes}},
        {282, kTiffRational, {96, 1}},
        {283, kTiffRational, {96, 1}},
        {296, kTiffShort, {2}},
    };
    if (samples == 4) tiff.entries.push_back({338, kTiffShort, {1}});  // associated alpha
    return tiff;
  }

  TiffEntry* Find(std::uint16_t tag) {
    for (TiffEntry& entry : entries) {
      if (entry.tag == tag) return &entry;
    }
    return nullptr;
  }

  std::vector<std::uint8_t> Build() const {
    std::vector<std::uint8_t> out;
    Put16(out, big_endian ? 0x4D4D : 0x4949);
    Put16(out, version);
    Put32(out, 0);  // directory offset, below
    const auto strip_offset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), strip.begin(), strip.end());

    // Values too long for their entry go before the directory.
    std::vector<std::uint32_t> value_offsets;
    for (const TiffEntry& entry : entries) {
      std::vector<std::uint32_t> values = entry.values;
      if (entry.tag == 273 && !values.empty())
        values[0] = strip_offset_override.value_or(strip_offset);
      const std::vector<std::uint8_t> bytes = Encode(entry.type, values);
      if (bytes.size() > 4) {
        if (out.size() % 2 != 0) out.push_back(0);
        value_offsets.push_back(static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
      } else {
        value_offsets.push_back(0);
      }
    }
    if (out.size() % 2 != 0) out.push_back(0);
    const auto directory = static_cast<std::uint32_t>(out.size());
    Set32(out, 4, directory_offset.value_or(directory));
    Put16(out, static_cast<std::uint16_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const TiffEntry& entry = entries[i];
      std::vector<std::uint32_t> values = entry.values;
      if (entry.tag == 273 && !values.empty())
        values[0] = strip_offset_override.value_or(strip_offset);
      std::vector<std::uint8_t> bytes = Encode(entry.type, values);
      const auto natural = static_cast<std::uint32_t>(
          entry.type == kTiffRational ? values.size() / 2 : values.size());
      Put16(out, entry.tag);
      Put16(out, entry.type);
      Put32(out, entry.count.value_or(natural));
      if (entry.offset) {
        Put32(out, *entry.offset);
      } else if (bytes.size() > 4) {
        Put32(out, value_offsets[i]);
      } else {
        bytes.resize(4, 0);
        out.insert(out.end(), bytes.begin(), bytes.end());
      }
    }
    Put32(out, next_directory);
    return out;
  }

  bool big_endian = false;
  std::uint16_t version = 42;
  std::vector<TiffEntry> entries;
  std::vector<std::uint8_t> strip;
  std::uint32_t next_directory = 0;
  std::optional<std::uint32_t> directory_offset;
  std::optional<std::uint32_t> strip_offset_override;

 private:
  std::vector<std::uint8_t> Encode(std::uint16_t type,
                                   const std::vector<std::uint32_t>& values) const {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t value : values) {
      if (type == kTiffByte || type == kTiffUndefined) {
        bytes.push_back(static_cast<std::uint8_t>(value));
      } else if (type == kTiffShort) {
        Put16(bytes, static_cast<std::uint16_t>(value));
      } else {
        Put32(bytes, value);
      }
    }
    return bytes;
  }

  void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) const {
    if (big_endian) {
      out.push_back(static_cast<std::uint8_t>(value >> 8));
      out.push_back(static_cast<std::uint8_t>(value));
    } else {
      out.push_back(static_cast<std::uint8_t>(value));
      out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
  }

  void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) const {
    for (int i = 0; i < 4; ++i) {
      const int shift = big_endian ? 24 - 8 * i : 8 * i;
      out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }

  void Set32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) const {
    for (int i = 0; i < 4; ++i) {
      const int shift = big_endian ? 24 - 8 * i : 8 * i;
      out[at + i] = static_cast<std::uint8_t>(value >> shift);
    }
  }
};

}  // namespace kvt::testing
