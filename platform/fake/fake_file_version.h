// File versions for tests: by full path; files not listed have no version
// resource.
#pragma once

#include <map>
#include <string>

#include "platform/file_version.h"
#include "platform/last_error.h"

namespace kvt {

class FakeFileVersionReader final : public FileVersionReader {
 public:
  void Set(const std::u16string& path, std::uint16_t major, std::uint16_t minor,
           std::uint16_t build, std::uint16_t revision) {
    versions[path] = FileVersion{major, minor, build, revision};
  }
  bool Read(std::u16string_view path, FileVersion* version) override {
    auto it = versions.find(std::u16string(path));
    if (it == versions.end()) {
      SetThreadLastError(1813);  // ERROR_RESOURCE_TYPE_NOT_FOUND
      return false;
    }
    *version = it->second;
    return true;
  }
  std::map<std::u16string, FileVersion> versions;
};

}  // namespace kvt
