// Registry exports from anywhere: the reader stays inside the file, and a
// value it read is written back so that it reads the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/record_inspector/reg_export.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> file(data, data + size);
  kvt::tools::RegExport reg;
  std::string error;
  kvt::tools::LooksLikeRegExport(file);
  if (!kvt::tools::ReadRegExport(file, "Default DevMode", &reg, &error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (reg.bytes.size() > size) std::abort();
  std::vector<std::uint8_t> changed = reg.bytes;
  if (!changed.empty()) changed[0] ^= 0x5A;
  const auto written = kvt::tools::WriteRegExport(reg, changed);
  kvt::tools::RegExport again;
  if (!kvt::tools::ReadRegExport(written, "Default DevMode", &again, &error)) std::abort();
  if (again.bytes != changed) std::abort();
  return 0;
}
