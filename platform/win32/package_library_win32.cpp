#include "platform/package_library.h"
#include "platform/win32/own_module.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <vector>

#include "platform/win32/activation_context.h"

namespace kvt {
namespace {

class Win32PackageLibraryLoader final : public PackageLibraryLoader {
 public:
  bool OwnFolder(std::u16string* folder) override {
    const HMODULE module = OwnModule();
    if (module == nullptr) return false;
    // Driver folders can be long; grow until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return false;
      if (length < buffer.size()) {
        std::u16string path(reinterpret_cast<const char16_t*>(buffer.data()), length);
        const std::size_t slash = path.find_last_of(u"\\/");
        if (slash == std::u16string::npos) {
          ::SetLastError(ERROR_BAD_PATHNAME);
          return false;
        }
        folder->assign(path, 0, slash);
        return true;
      }
      if (buffer.size() >= 32768) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool SystemFolder(std::u16string* folder) override {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
      const UINT length = ::GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
      if (length == 0) return false;
      if (length < buffer.size()) {
        folder->assign(reinterpret_cast<const char16_t*>(buffer.data()), length);
        return true;
      }
      buffer.resize(length + 1);
    }
    return false;
  }

  ModuleHandle Load(std::u16string_view path) override {
    return LoadLibraryInModuleContext(Utf16ToWide(path).c_str());
  }

  void Free(ModuleHandle module) override {
    if (module != nullptr) ::FreeLibrary(static_cast<HMODULE>(module));
  }

  LibraryEntry FindEntry(ModuleHandle module, const char* name) override {
    if (module == nullptr) {
      ::SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    return reinterpret_cast<LibraryEntry>(::GetProcAddress(static_cast<HMODULE>(module), name));
  }
};

}  // namespace

template <>
PackageLibraryLoader& DefaultService<PackageLibraryLoader>() {
  static Win32PackageLibraryLoader loader;
  return loader;
}

}  // namespace kvt
