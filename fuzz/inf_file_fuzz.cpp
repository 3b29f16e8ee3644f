// INF files from anywhere: the reader stays inside the text, numbers each
// line within it, and answers every question about what it read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "package/check/inf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kvt::package::InfFile inf(text);
  const int physical_lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  // Section names as the text may write them: every [name] it holds.
  for (std::size_t open = text.find('['); open != std::string_view::npos;
       open = text.find('[', open + 1)) {
    const std::size_t close = text.find(']', open);
    if (close == std::string_view::npos) break;
    const std::string_view name = text.substr(open + 1, close - open - 1);
    if (!inf.HasSection(name)) continue;
    for (const kvt::package::InfLine& line : inf.Lines(name)) {
      if (line.number < 1 || line.number > physical_lines) std::abort();
      if (!line.key.empty()) {
        inf.Value(name, line.key);
        inf.Values(name, line.key);
      }
    }
  }
  for (const std::string& error : inf.errors()) {
    if (error.empty()) std::abort();
  }
  return 0;
}
