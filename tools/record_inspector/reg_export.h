// Registry exports (.reg files) as regedit writes them: UTF-16 little-endian
// with a byte-order mark ("Windows Registry Editor Version 5.00"), or 8-bit
// ("REGEDIT4"). A binary value is "name"=hex:xx,xx,... with continuation
// lines ending in a backslash.
//
// Only the one value is read and rewritten; every other line of the file is
// kept exactly as it was, so a corrected export differs from the customer's
// in that value alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

struct RegExport {
  bool utf16 = false;               // UTF-16 LE with BOM; otherwise 8-bit
  std::u16string text;              // the file's text (without the BOM)
  std::size_t value_begin = 0;      // the value's lines in |text|: from the
  std::size_t value_end = 0;        // quote of its name to its last pair
  std::string key;                  // the [key] the value belongs to
  std::vector<std::uint8_t> bytes;  // the value's data
};

// True when |data| looks like a registry export rather than a raw blob.
bool LooksLikeRegExport(const std::vector<std::uint8_t>& data);

// Finds the binary value |value_name| (compared without regard to ASCII
// case) and reads its bytes. False with a one-line |error| when the file has
// no such value or its hex is malformed.
bool ReadRegExport(const std::vector<std::uint8_t>& data, const std::string& value_name,
                   RegExport* reg, std::string* error);

// The export with the value's data replaced by |bytes|, in the file's own
// encoding, wrapped as regedit wraps it.
std::vector<std::uint8_t> WriteRegExport(const RegExport& reg,
                                         const std::vector<std::uint8_t>& bytes);

}  // namespace kvt::tools
