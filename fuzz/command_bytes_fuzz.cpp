// DecodeCommands on arbitrary job bytes: the commands it names lie end to
// end inside the job, cover all of it, and only the last may be cut short.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/command_bytes/command_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto commands = kvt::tools::DecodeCommands(data, size);
  std::size_t covered = 0;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const auto& command = commands[i];
    if (command.offset != covered || command.size == 0 || command.size > size - covered) {
      std::abort();
    }
    if (command.truncated && i + 1 != commands.size()) std::abort();
    covered += command.size;
  }
  if (covered != size) std::abort();
  kvt::tools::FormatCommands(data, size, 7);
  return 0;
}
