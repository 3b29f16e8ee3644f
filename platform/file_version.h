// File version port: the fixed file version from a file's version resource
// (Windows: GetFileVersionInfoW and VerQueryValueW with "\"; Linux: the same
// resource read from the PE image, see pe_version.h).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/service.h"

namespace kvt {

// The four parts of VS_FIXEDFILEINFO's file version (1.2.3.4).
struct FileVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t build = 0;
  std::uint16_t revision = 0;
};

class FileVersionReader {
 public:
  virtual ~FileVersionReader() = default;

  // False when the file cannot be read or has no version resource.
  virtual bool Read(std::u16string_view path, FileVersion* version) = 0;
};

template <>
FileVersionReader& DefaultService<FileVersionReader>();

}  // namespace kvt
