// Saved device modes from anywhere through the inspector: the bytes sit in a
// vector of their exact size, so any read past them is a sanitizer report;
// whatever is accepted can be decoded field by field and changed by --set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/record_fields.h"
#include "tools/record_inspector/inspector.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> devmode(data, data + size);
  kvt::tools::Inspection inspection;
  std::string error;
  if (!kvt::tools::Inspect(devmode, kvt::tools::kDefaultModel, nullptr, &inspection, &error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  const auto& mode = inspection.mode;
  if (mode.record_offset + mode.record_bytes > size || inspection.record.size() != 1552) {
    std::abort();
  }
  for (const auto& field : kvt::tools::RecordFields()) {
    kvt::tools::FieldValue(field, inspection.record.data());
    kvt::tools::FieldMeaningText(field, inspection.record.data());
  }
  kvt::tools::SetField(&devmode, mode, "szWatermarkFile=C:\\logo.bmp", &error);
  kvt::tools::SetField(&devmode, mode, "optionGroups[3].abyCommand=1B 40", &error);
  kvt::tools::SetField(&devmode, mode, "wWatermarkScale=300", &error);
  if (devmode.size() != size) std::abort();
  return 0;
}
