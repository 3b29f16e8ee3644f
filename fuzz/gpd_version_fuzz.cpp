// Description files from anywhere: the version reader stays inside the
// text, answers 0 or the invalid-value code, and finds a version only on a
// line that holds the key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "oemui/tools/gpd_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kvt::FileVersion version;
  const std::uint32_t code = kvt::ParseGpdFileVersion(text, &version);
  if (code != 0 && code != kvt::kGpdVersionInvalid) std::abort();
  const bool found = version.major != 0 || version.minor != 0 || version.build != 0;
  if (found && (code != 0 || text.find(kvt::kGpdVersionKey) == std::string_view::npos)) {
    std::abort();
  }
  return 0;
}
