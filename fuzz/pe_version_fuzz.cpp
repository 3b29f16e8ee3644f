// The PE version reader over arbitrary bytes: it reads package files that
// anyone may have put into the scanned folders.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/pe_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvt::FileVersion version;
  kvt::ReadPeFileVersion(std::string_view(reinterpret_cast<const char*>(data), size), &version);
  return 0;
}
