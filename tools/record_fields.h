// A field-by-field reading of the private settings record, for the demo and
// the sheet host's printouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

struct RecordField {
  std::string name;  // e.g. "OptionGroup[0].sFeed"
  std::size_t offset;
  std::size_t width;  // 1, 2 or 4 bytes; 0 for the watermark file path
  bool is_signed;
};

// Every named field of the record in record order (reserved bytes and the
// command bytes are left out; the command bytes appear as a hex field).
const std::vector<RecordField>& RecordFields();

// The field's value as text: a number, a hex run for the command bytes, the
// path for the watermark file. |record| holds at least 1552 bytes.
std::string FieldValue(const RecordField& field, const std::uint8_t* record);

}  // namespace kvt::tools
