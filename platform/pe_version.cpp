#include "platform/pe_version.h"

#include <vector>

namespace kvt {
namespace {

constexpr std::uint32_t kResourceTypeVersion = 16;  // RT_VERSION
constexpr std::uint32_t kVersionInfoName = 1;       // VS_VERSION_INFO
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
// The loader refuses images with more sections than this.
constexpr std::uint16_t kMaxSections = 96;
// More entries than any real resource directory holds; bounds the reads.
constexpr std::uint32_t kMaxDirectoryEntries = 4096;
constexpr std::uint32_t kHighBit = 0x80000000u;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Section {
  std::uint32_t virtual_address;
  std::uint32_t raw_size;
  std::uint32_t raw_pointer;
};

struct DirectoryEntry {
  std::uint32_t name;  // an id, or (high bit) the offset of a name string
  std::uint32_t data;  // (high bit) a sub-directory, else a data entry
  bool IsId(std::uint32_t id) const { return (name & kHighBit) == 0 && name == id; }
  bool IsDirectory() const { return (data & kHighBit) != 0; }
  std::uint32_t Offset() const { return data & ~kHighBit; }
};

class Image {
 public:
  explicit Image(const PeReadAt& read_at) : read_at_(read_at) {}

  bool Read(std::uint32_t offset, std::size_t count, std::uint8_t* out) const {
    return read_at_(offset, count, out);
  }

  // Reads the headers and the section table; sets the resource
  // directory's address.
  bool Load() {
    std::uint8_t dos[64];
    if (!Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
    const std::uint32_t pe = U32(dos + 0x3C);
    std::uint8_t file_header[24];
    if (pe > 0x10000000u || !Read(pe, sizeof file_header, file_header)) return false;
    if (file_header[0] != 'P' || file_header[1] != 'E' || file_header[2] != 0 ||
        file_header[3] != 0) {
      return false;
    }
    const std::uint16_t section_count = U16(file_header + 6);
    const std::uint16_t optional_size = U16(file_header + 20);
    if (section_count == 0 || section_count > kMaxSections) return false;

    std::vector<std::uint8_t> optional(optional_size);
    if (optional_size < 2 || !Read(pe + 24, optional.size(), optional.data())) return false;
    std::size_t count_at;
    switch (U16(optional.data())) {
      case 0x10B:  // PE32
        count_at = 92;
        break;
      case 0x20B:  // PE32+
        count_at = 108;
        break;
      default:
        return false;
    }
    const std::size_t resource_at = count_at + 4 + 2 * 8;  // data directory 2
    if (optional.size() < resource_at + 8 || U32(optional.data() + count_at) < 3) return false;
    resource_rva_ = U32(optional.data() + resource_at);
    if (resource_rva_ == 0 || U32(optional.data() + resource_at + 4) == 0) return false;

    std::vector<std::uint8_t> table(static_cast<std::size_t>(section_count) * 40);
    if (!Read(pe + 24 + optional_size, table.size(), table.data())) return false;
    for (std::uint16_t i = 0; i < section_count; ++i) {
      const std::uint8_t* s = table.data() + i * 40;
      sections_.push_back(Section{U32(s + 12), U32(s + 16), U32(s + 20)});
    }
    return true;
  }

  // Reads |count| bytes at the address |rva|; they must lie within the
  // file-backed part of one section.
  bool ReadRva(std::uint64_t rva, std::size_t count, std::uint8_t* out) const {
    for (const Section& section : sections_) {
      if (rva < section.virtual_address) continue;
      const std::uint64_t inside = rva - section.virtual_address;
      if (inside + count > section.raw_size) continue;
      const std::uint64_t offset = section.raw_pointer + inside;
      if (offset + count > 0xFFFFFFFFull) return false;
      return Read(static_cast<std::uint32_t>(offset), count, out);
    }
    return false;
  }

  // The entries of the resource directory at |offset| from the resource
  // directory's start.
  bool Directory(std::uint32_t offset, std::vector<DirectoryEntry>* entries) const {
    std::uint8_t header[16];
    if (!ReadRva(std::uint64_t{resource_rva_} + offset, sizeof header, header)) return false;
    const std::uint32_t count = std::uint32_t{U16(header + 12)} + U16(header + 14);
    if (count > kMaxDirectoryEntries) return false;
    std::vector<std::uint8_t> raw(count * 8);
    if (!ReadRva(std::uint64_t{resource_rva_} + offset + 16, raw.size(), raw.data())) return false;
    entries->clear();
    for (std::uint32_t i = 0; i < count; ++i) {
      entries->push_back(DirectoryEntry{U32(raw.data() + i * 8), U32(raw.data() + i * 8 + 4)});
    }
    return true;
  }

  // The address and size of the data entry at |offset|.
  bool DataEntry(std::uint32_t offset, std::uint32_t* rva, std::uint32_t* size) const {
    std::uint8_t entry[16];
    if (!ReadRva(std::uint64_t{resource_rva_} + offset, sizeof entry, entry)) return false;
    *rva = U32(entry);
    *size = U32(entry + 4);
    return true;
  }

 private:
  const PeReadAt& read_at_;
  std::uint32_t resource_rva_ = 0;
  std::vector<Section> sections_;
};

const DirectoryEntry* FindSubDirectory(const std::vector<DirectoryEntry>& entries,
                                       std::uint32_t preferred_id) {
  const DirectoryEntry* first = nullptr;
  for (const DirectoryEntry& entry : entries) {
    if (!entry.IsDirectory()) continue;
    if (entry.IsId(preferred_id)) return &entry;
    if (first == nullptr) first = &entry;
  }
  return first;
}

}  // namespace

bool ReadPeFileVersion(const PeReadAt& read_at, FileVersion* version) {
  Image image(read_at);
  if (!image.Load()) return false;

  std::vector<DirectoryEntry> entries;
  if (!image.Directory(0, &entries)) return false;
  const DirectoryEntry* type = nullptr;
  for (const DirectoryEntry& entry : entries) {
    if (entry.IsId(kResourceTypeVersion) && entry.IsDirectory()) type = &entry;
  }
  if (type == nullptr) return false;
  if (!image.Directory(type->Offset(), &entries)) return false;
  const DirectoryEntry* name = FindSubDirectory(entries, kVersionInfoName);
  if (name == nullptr) return false;
  if (!image.Directory(name->Offset(), &entries)) return false;
  const DirectoryEntry* language = nullptr;
  for (const DirectoryEntry& entry : entries) {
    if (!entry.IsDirectory()) {
      language = &entry;
      break;
    }
  }
  if (language == nullptr) return false;
  std::uint32_t data_rva = 0;
  std::uint32_t data_size = 0;
  if (!image.DataEntry(language->Offset(), &data_rva, &data_size)) return false;

  // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO",
  // padding to 32 bits, then VS_FIXEDFILEINFO (52 bytes).
  constexpr std::size_t kFixedAt = 40;
  constexpr std::size_t kBlock = kFixedAt + 52;
  std::uint8_t block[kBlock];
  if (data_size < kBlock || !image.ReadRva(data_rva, sizeof block, block)) return false;
  if (U16(block) < kBlock || U16(block) > data_size || U16(block + 2) < 52) return false;
  constexpr char16_t kKey[] = u"VS_VERSION_INFO";
  for (std::size_t i = 0; i < sizeof kKey / sizeof kKey[0]; ++i) {
    if (U16(block + 6 + 2 * i) != kKey[i]) return false;
  }
  const std::uint8_t* fixed = block + kFixedAt;
  if (U32(fixed) != kFixedInfoSignature) return false;
  const std::uint32_t ms = U32(fixed + 8);
  const std::uint32_t ls = U32(fixed + 12);
  version->major = static_cast<std::uint16_t>(ms >> 16);
  version->minor = static_cast<std::uint16_t>(ms & 0xFFFF);
  version->build = static_cast<std::uint16_t>(ls >> 16);
  version->revision = static_cast<std::uint16_t>(ls & 0xFFFF);
  return true;
}

bool ReadPeFileVersion(std::string_view image, FileVersion* version) {
  return ReadPeFileVersion(
      [image](std::uint32_t offset, std::size_t count, std::uint8_t* out) {
        if (offset > image.size() || count > image.size() - offset) return false;
        for (std::size_t i = 0; i < count; ++i)
          out[i] = static_cast<std::uint8_t>(image[offset + i]);
        return true;
      },
      version);
}

}  // namespace kvt
