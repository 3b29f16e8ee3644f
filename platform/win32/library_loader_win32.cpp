#include "platform/library_loader.h"
#include "platform/wide_text.h"

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32LibraryLoader final : public LibraryLoader {
 public:
  bool PrinterDriverDirectory(std::u16string* folder) override {
    std::vector<BYTE> buffer(MAX_PATH * sizeof(wchar_t));
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD needed = 0;
      if (::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), &needed)) {
        const auto* text = reinterpret_cast<const wchar_t*>(buffer.data());
        std::size_t length = 0;
        const std::size_t capacity = buffer.size() / sizeof(wchar_t);
        while (length < capacity && text[length] != L'\0') ++length;
        folder->assign(reinterpret_cast<const char16_t*>(text), length);
        return !folder->empty();
      }
      if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return false;
      buffer.assign(needed + sizeof(wchar_t), 0);
    }
    return false;
  }

  bool ShortPath(std::u16string_view path, std::u16string* short_path) override {
    const std::wstring name = Utf16ToWide(path);
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
      const DWORD length =
          ::GetShortPathNameW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return false;
      if (length < buffer.size()) {
        short_path->assign(reinterpret_cast<const char16_t*>(buffer.data()), length);
        return true;
      }
      buffer.resize(length + 1);
    }
    return false;
  }

  ModuleHandle Load(std::u16string_view path) override {
    return ::LoadLibraryW(Utf16ToWide(path).c_str());
  }

  void Free(ModuleHandle module) override {
    if (module != nullptr) ::FreeLibrary(static_cast<HMODULE>(module));
  }
};

}  // namespace

template <>
LibraryLoader& DefaultService<LibraryLoader>() {
  static Win32LibraryLoader loader;
  return loader;
}

}  // namespace kvt
