#include "oemui/watermark/tiff_reader.h"

namespace kvt {
namespace {

// Values longer than this are not read; none of the fields kept needs them.
constexpr std::uint64_t kMaxValueBytes = 4095;

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size, bool big_endian)
      : data_(data), size_(size), big_endian_(big_endian) {}

  bool Fits(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }

  bool U16(std::uint64_t offset, std::uint32_t* value) const {
    if (!Fits(offset, 2)) return false;
    const std::uint8_t* p = data_ + offset;
    *value = big_endian_ ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
    return true;
  }

  bool U32(std::uint64_t offset, std::uint32_t* value) const {
    if (!Fits(offset, 4)) return false;
    const std::uint8_t* p = data_ + offset;
    const std::uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
    *value =
        big_endian_ ? (b0 << 24 | b1 << 16 | b2 << 8 | b3) : (b3 << 24 | b2 << 16 | b1 << 8 | b0);
    return true;
  }

  bool U8(std::uint64_t offset, std::uint32_t* value) const {
    if (!Fits(offset, 1)) return false;
    *value = data_[offset];
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool big_endian_;
};

enum FieldType : std::uint32_t {
  kRational = 5,
  kSRational = 10,
};

// Bytes per value of each field type; UNDEFINED and unknown types count 0.
std::uint32_t FieldSize(std::uint32_t type) {
  switch (type) {
    case 1:  // BYTE
    case 2:  // ASCII
    case 6:  // SBYTE
      return 1;
    case 3:  // SHORT
    case 8:  // SSHORT
      return 2;
    case 4:   // LONG
    case 9:   // SLONG
    case 11:  // FLOAT
      return 4;
    case 5:   // RATIONAL
    case 10:  // SRATIONAL
    case 12:  // DOUBLE
      return 8;
    default:
      return 0;
  }
}

constexpr std::uint32_t kTagStripOffsets = 273;

// The sum of |count| values of |unit| bytes at |offset|: BitsPerSample is
// kept as the bits of a whole pixel.
bool SumValues(const ByteReader& reader, std::uint64_t offset, std::uint32_t unit,
               std::uint32_t count, std::uint32_t* sum) {
  std::uint32_t total = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t value = 0;
    const bool ok = unit == 1   ? reader.U8(offset + i, &value)
                    : unit == 2 ? reader.U16(offset + 2ull * i, &value)
                                : reader.U32(offset + 4ull * i, &value);
    if (!ok) return false;
    total += value;
  }
  *sum = total;
  return true;
}

// The value of one directory entry whose 12 bytes start at |entry|.
bool EntryValue(const ByteReader& reader, std::uint64_t entry, std::uint32_t* value) {
  std::uint32_t tag = 0, type = 0, count = 0;
  if (!reader.U16(entry, &tag) || !reader.U16(entry + 2, &type) || !reader.U32(entry + 4, &count))
    return false;
  const std::uint64_t field = entry + 8;
  const std::uint32_t unit = FieldSize(type);
  const std::uint64_t bytes = std::uint64_t{unit} * count;
  *value = 0;
  if (bytes < 5) {
    // Short data sits in the value field itself.
    if (unit == 0 || unit == 4) return reader.U32(field, value);
    if (tag == kTagStripOffsets)
      return unit == 1 ? reader.U8(field, value) : reader.U16(field, value);
    return SumValues(reader, field, unit, count, value);
  }
  if (bytes > kMaxValueBytes) return true;
  std::uint32_t offset = 0;
  if (!reader.U32(field, &offset)) return false;
  // The data must lie inside the picture before anything of it is read.
  if (!reader.Fits(offset, bytes)) return false;
  if (tag == kTagStripOffsets) {
    return unit == 1   ? reader.U8(offset, value)
           : unit == 2 ? reader.U16(offset, value)
                       : reader.U32(offset, value);
  }
  if (type == kRational || type == kSRational) {
    std::uint32_t numerator = 0, denominator = 0;
    if (!reader.U32(offset, &numerator) || !reader.U32(offset + 4, &denominator)) return false;
    *value = denominator == 0 ? 0 : numerator / denominator;
    return true;
  }
  if (unit == 2) return SumValues(reader, offset, unit, count, value);
  if (unit == 1 || unit == 4)
    return unit == 1 ? reader.U8(offset, value) : reader.U32(offset, value);
  return true;  // DOUBLE: no kept field is one
}

}  // namespace

bool ReadTiffFields(const std::uint8_t* data, std::size_t size, TiffFields* fields) {
  *fields = TiffFields();
  if (data == nullptr || size < 8) return false;
  const ByteReader reader(data, size, data[0] == 'M');
  std::uint32_t version = 0, directory = 0, entries = 0;
  if (!reader.U16(2, &version) || version != 42) return false;
  if (!reader.U32(4, &directory) || !reader.U16(directory, &entries)) return false;
  const std::uint64_t first_entry = std::uint64_t{directory} + 2;
  const std::uint64_t next_link = first_entry + 12ull * entries;
  std::uint32_t next_directory = 0;
  if (!reader.U32(next_link, &next_directory)) return false;
  // A picture with more than one image is not one of ours.
  if (next_directory != 0) return false;

  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint64_t entry = first_entry + 12ull * i;
    std::uint32_t tag = 0, value = 0;
    if (!reader.U16(entry, &tag) || !EntryValue(reader, entry, &value)) return false;
    switch (tag) {
      case 256:
        fields->width = value;
        break;
      case 257:
        fields->height = value;
        break;
      case 258:
        fields->bits_per_pixel = value;
        break;
      case 259:
        fields->compression = value;
        break;
      case kTagStripOffsets:
        fields->strip_offset = value;
        break;
      case 277:
        fields->samples_per_pixel = value;
        break;
      case 282:
        fields->x_resolution = value;
        break;
      case 283:
        fields->y_resolution = value;
        break;
      default:
        break;
    }
  }
  return true;
}

}  // namespace kvt
