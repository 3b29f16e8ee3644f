// The fixed file version of a Windows program or library, read from the
// version resource inside its PE image without loading it. The Linux file
// version port uses it; it is portable so that the wine tests can hold it
// against GetFileVersionInfoW on the same files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/file_version.h"

namespace kvt {

// Reads |count| bytes at |offset| of the image into |out|; false when the
// image does not hold them all.
using PeReadAt = std::function<bool(std::uint32_t offset, std::size_t count, std::uint8_t* out)>;

// Follows the image's resource directory to its version resource (type 16,
// name 1 when present, else the first; the first language) and takes the
// file version from its VS_FIXEDFILEINFO. False for anything that is not a
// well-formed PE32 or PE32+ image with such a resource; never reads outside
// what |read_at| grants.
bool ReadPeFileVersion(const PeReadAt& read_at, FileVersion* version);

// The same over an image held in memory.
bool ReadPeFileVersion(std::string_view image, FileVersion* version);

}  // namespace kvt
