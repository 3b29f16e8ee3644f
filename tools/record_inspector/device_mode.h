// Finding the plug-in's record inside a saved device mode.
//
// A saved device mode is the public DEVMODEW (dmSize bytes) followed by
// dmDriverExtra bytes of driver-private data. The plug-in's record lies in
// that private part: right behind the public part when the plug-in's record
// is the only private section (as the sheet host lays it out), otherwise
// behind the driver's own sections, found by its signature. The bytes come
// from files that support receives from anywhere, so every offset below is
// checked against the data before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

struct DeviceMode {
  // The public fields that matter for a receipt.
  std::string device_name;  // UTF-8
  std::string form_name;    // UTF-8; empty when dmSize does not reach it
  int orientation = 0;      // 1 portrait, 2 landscape, 0 not present
  int paper_size = 0;
  int copies = 0;
  std::size_t public_size = 0;   // dmSize
  std::size_t driver_extra = 0;  // dmDriverExtra
  // Where the record starts in the data, and how many of its bytes the
  // private part holds (at most 1552).
  std::size_t record_offset = 0;
  std::size_t record_bytes = 0;
  bool foreign_signature = false;  // no section with the plug-in's signature
};

// Reads |data| as a device mode. False with a one-line |error| when the
// data is too short for the public header, when dmSize or dmDriverExtra run
// past the data, or when the plug-in's record (by its own dwSize) does.
bool ReadDeviceMode(const std::vector<std::uint8_t>& data, DeviceMode* mode, std::string* error);

// The plug-in's signature as text, for messages ("UTVK").
std::string SignatureText(const std::uint8_t* four_bytes);

}  // namespace kvt::tools
