#include "platform/string_table.h"

#include <windows.h>

#include <vector>

namespace kvt {
namespace {

class Win32StringTable final : public StringTable {
 public:
  bool Load(ModuleHandle module, std::uint32_t id, std::size_t capacity,
            std::u16string* text) override {
    text->clear();
    if (capacity == 0) {
      ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return false;
    }
    std::vector<wchar_t> buffer(capacity, L'\0');
    ::SetLastError(ERROR_SUCCESS);
    const int length = ::LoadStringW(static_cast<HINSTANCE>(module), id, buffer.data(),
                                     static_cast<int>(capacity));
    if (length <= 0) {
      // LoadStringW does not always say why; a missing string is the usual one.
      if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return false;
    }
    text->assign(reinterpret_cast<const char16_t*>(buffer.data()),
                 static_cast<std::size_t>(length));
    return true;
  }
};

}  // namespace

template <>
StringTable& DefaultService<StringTable>() {
  static Win32StringTable table;
  return table;
}

}  // namespace kvt
