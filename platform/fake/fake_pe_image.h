// A minimal PE image (headers, one ".rsrc" section with a version
// resource) for tests of the version reader, with knobs that break one
// piece at a time.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_version.h"

namespace kvt {

struct FakePeImageOptions {
  bool pe32_plus = true;  // PE32+ (64-bit) or PE32
  FileVersion version{1, 2, 3, 4};
  bool with_resources = true;  // the resource data directory is set
  std::uint32_t type_id = 16;  // RT_VERSION
  std::uint32_t name_id = 1;   // VS_VERSION_INFO
  std::uint32_t signature = 0xFEEF04BD;
  char16_t key_first = u'V';  // first character of L"VS_VERSION_INFO"
  std::uint16_t value_length = 52;
  std::uint32_t data_rva_shift = 0;  // added to the data entry's address
  std::uint16_t extra_sections = 0;  // empty sections after ".rsrc"
};

inline std::string FakePeImage(const FakePeImageOptions& o = FakePeImageOptions()) {
  std::string image;
  auto put16 = [&image](std::size_t at, std::uint32_t v) {
    if (image.size() < at + 2) image.resize(at + 2, '\0');
    image[at] = static_cast<char>(v & 0xFF);
    image[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  constexpr std::uint32_t kPe = 0x40;
  constexpr std::uint32_t kResourceRva = 0x1000;
  constexpr std::uint32_t kResourceSize = 88 + 92;
  const std::uint16_t optional_size = o.pe32_plus ? 240 : 224;
  const std::uint16_t sections = static_cast<std::uint16_t>(1 + o.extra_sections);
  const std::uint32_t table = kPe + 24 + optional_size;
  const std::uint32_t raw = (table + sections * 40 + 0x1FF) & ~0x1FFu;

  put16(0, 'M' | ('Z' << 8));
  put32(0x3C, kPe);
  put32(kPe, 'P' | ('E' << 8));
  put16(kPe + 4, o.pe32_plus ? 0x8664 : 0x14C);
  put16(kPe + 6, sections);
  put16(kPe + 20, optional_size);
  put16(kPe + 22, 0x2022);
  const std::uint32_t optional = kPe + 24;
  put16(optional, o.pe32_plus ? 0x20B : 0x10B);
  const std::uint32_t count_at = optional + (o.pe32_plus ? 108 : 92);
  put32(count_at, 16);
  if (o.with_resources) {
    put32(count_at + 4 + 16, kResourceRva);
    put32(count_at + 4 + 20, kResourceSize);
  }
  put32(table + 8, kResourceSize);  // virtual size
  put32(table + 12, kResourceRva);  // virtual address
  put32(table + 16, 0x200);         // raw size
  put32(table + 20, raw);           // raw pointer
  image.resize(raw + 0x200, '\0');

  // Type, name and language directories, one entry each.
  put16(raw + 14, 1);
  put32(raw + 16, o.type_id);
  put32(raw + 20, 0x80000000u | 24);
  put16(raw + 24 + 14, 1);
  put32(raw + 24 + 16, o.name_id);
  put32(raw + 24 + 20, 0x80000000u | 48);
  put16(raw + 48 + 14, 1);
  put32(raw + 48 + 16, 0x409);
  put32(raw + 48 + 20, 72);
  put32(raw + 72, kResourceRva + 88 + o.data_rva_shift);
  put32(raw + 76, 92);
  // VS_VERSIONINFO with its VS_FIXEDFILEINFO.
  const std::uint32_t block = raw + 88;
  put16(block, 92);
  put16(block + 2, o.value_length);
  const char16_t key[] = u"VS_VERSION_INFO";
  for (std::size_t i = 0; i < 16; ++i) put16(block + 6 + 2 * i, i == 0 ? o.key_first : key[i]);
  put32(block + 40, o.signature);
  put32(block + 44, 0x00010000);
  put32(block + 48, (std::uint32_t{o.version.major} << 16) | o.version.minor);
  put32(block + 52, (std::uint32_t{o.version.build} << 16) | o.version.revision);
  return image;
}

}  // namespace kvt
