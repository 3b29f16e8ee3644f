// A field-by-field reading of the private settings record, for the demo,
// the sheet host's printouts and the record inspector (kvt-record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

// What a field's number means: the names of its values (index = value; a
// null entry is a value without a name) and, for plain quantities, the unit.
struct FieldMeaning {
  const char* const* names = nullptr;
  std::size_t name_count = 0;
  const char* unit = nullptr;  // "percent", "dots", ...
};

struct RecordField {
  std::string name;  // e.g. "OptionGroup[0].sFeed"
  std::size_t offset;
  std::size_t width;  // 1, 2 or 4 bytes; 0 for the watermark file path
  bool is_signed;
  FieldMeaning meaning = {};
};

// Every named field of the record in record order (reserved bytes and the
// command bytes are left out; the command bytes appear as a hex field).
const std::vector<RecordField>& RecordFields();

// The field's value as text: a number, a hex run for the command bytes, the
// path for the watermark file. |record| holds at least 1552 bytes.
std::string FieldValue(const RecordField& field, const std::uint8_t* record);

// The field's number, or 0 for the command bytes and the path.
long FieldNumber(const RecordField& field, const std::uint8_t* record);

// The value in words ("Full Cut (Each page)", "100 percent"); for command
// bytes, the nCommandLength bytes that are sent; empty when the field has
// no meaning attached; "not a known value" for a number outside its names.
std::string FieldMeaningText(const RecordField& field, const std::uint8_t* record);

}  // namespace kvt::tools
