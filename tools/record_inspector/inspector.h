// The record inspector's work, apart from files and printing: decode the
// plug-in's record in a device mode, run the plug-in's own merge on a copy
// and list what it would correct, and change single fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/record_fields.h"
#include "tools/record_inspector/device_mode.h"

namespace kvt::tools {

inline constexpr const char* kDefaultModel = "KVT QV-J27";

struct Correction {
  std::string field;
  std::string from;
  std::string to;
};

struct Inspection {
  DeviceMode mode;
  // The record as the device mode holds it, 1552 bytes (zero beyond what
  // the private part holds).
  std::vector<std::uint8_t> record;
  // What the framework's merge request would change, field by field, in
  // record order.
  std::vector<Correction> corrections;
};

// Decodes |devmode| and merges a copy as the framework's merge request does
// (convert into a buffer holding the defaults, then merge). The model is
// taken from |printer| when it is given (a spooler handle), otherwise from
// |model| through a stand-in spooler. False with a one-line |error| for
// input the plug-in cannot use, a foreign signature included.
bool Inspect(const std::vector<std::uint8_t>& devmode, const std::string& model, void* printer,
             Inspection* inspection, std::string* error);

// Writes FIELD=VALUE (a name as RecordFields() gives it) into the record
// inside |devmode|: numbers in decimal or 0x hex within the field's type,
// the command bytes as hex pairs, the watermark file as text. False with a
// one-line |error| for an unknown field, a bad value or a field beyond the
// record's bytes.
bool SetField(std::vector<std::uint8_t>* devmode, const DeviceMode& mode,
              const std::string& assignment, std::string* error);

}  // namespace kvt::tools
