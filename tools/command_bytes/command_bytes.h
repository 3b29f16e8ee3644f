// The printer commands in a job the plug-in sends (test prints, the Option
// section's and Control A's commands), cut into commands and named: what
// support reads next to the bytes a printer received.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt::tools {

struct DecodedCommand {
  std::size_t offset = 0;  // where the command starts in the job
  std::size_t size = 0;    // its bytes, parameters and data included
  std::string name;        // "GS k  print barcode: UPC-A, 11 bytes", "text \"...\""
  bool truncated = false;  // the job ends inside the command
};

// Cuts |size| bytes into commands. Bytes that start no known command are
// text (printable runs, code-page bytes) or single unknown bytes. Never
// reads past |size|: a command the job cuts short is the last one, marked
// truncated.
std::vector<DecodedCommand> DecodeCommands(const std::uint8_t* bytes, std::size_t size);

// One line per command, up to |per_line| bytes of hex each (longer
// commands go on over the following lines), the name beside the first.
std::string FormatCommands(const std::uint8_t* bytes, std::size_t size, std::size_t per_line = 12);

}  // namespace kvt::tools
