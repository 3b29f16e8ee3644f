#include "oemui/tools/gpd_version.h"

#include <algorithm>
#include <string>

#include "platform/file_system.h"

namespace kvt {
namespace {

// The leading decimal digits of |part|; 0 without any.
std::uint16_t LeadingNumber(std::string_view part) {
  std::uint32_t value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') break;
    value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(c - '0'), 0xFFFF);
  }
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::uint32_t ParseGpdFileVersion(std::string_view data, FileVersion* version) {
  *version = FileVersion{};
  while (!data.empty()) {
    const std::size_t end = data.find('\n');
    std::string_view line = data.substr(0, end);
    data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
    line = line.substr(0, kGpdLineBytes);
    const std::size_t key = line.find(kGpdVersionKey);
    if (key == std::string_view::npos) continue;

    const std::string_view rest = line.substr(key + sizeof(kGpdVersionKey) - 1);
    const std::size_t open = rest.find('"');
    if (open == std::string_view::npos) return kGpdVersionInvalid;
    const std::size_t close = rest.find('"', open + 1);
    if (close == std::string_view::npos) return kGpdVersionInvalid;
    std::string_view text = rest.substr(open + 1, close - open - 1);

    std::uint16_t* parts[] = {&version->major, &version->minor, &version->build};
    for (std::uint16_t* part : parts) {
      const std::size_t dot = text.find('.');
      *part = LeadingNumber(text.substr(0, dot));
      if (dot == std::string_view::npos) break;
      text = text.substr(dot + 1);
    }
    return 0;
  }
  return 0;
}

std::uint32_t ReadGpdFileVersion(std::u16string_view path, FileVersion* version) {
  std::string data;
  if (!Service<FileSystem>().ReadPrefix(path, kGpdMaxBytes, &data)) return kGpdVersionInvalid;
  return ParseGpdFileVersion(data, version);
}

}  // namespace kvt
