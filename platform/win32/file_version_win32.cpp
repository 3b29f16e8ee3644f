#include "platform/file_version.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32FileVersionReader final : public FileVersionReader {
 public:
  bool Read(std::u16string_view path, FileVersion* version) override {
    const std::wstring name(path.begin(), path.end());
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(name.c_str(), 0, size, block.data())) return false;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", &value, &length) || value == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO)) {
      return false;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    version->major = HIWORD(fixed->dwFileVersionMS);
    version->minor = LOWORD(fixed->dwFileVersionMS);
    version->build = HIWORD(fixed->dwFileVersionLS);
    version->revision = LOWORD(fixed->dwFileVersionLS);
    return true;
  }
};

}  // namespace

template <>
FileVersionReader& DefaultService<FileVersionReader>() {
  static Win32FileVersionReader reader;
  return reader;
}

}  // namespace kvt
