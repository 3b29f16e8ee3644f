// Linux: modules carry no string tables, so every string is missing and the
// callers take their fallbacks.
#include "platform/string_table.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostStringTable final : public StringTable {
 public:
  bool Load(ModuleHandle, std::uint32_t, std::size_t, std::u16string* text) override {
    text->clear();
    SetThreadLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
    return false;
  }
};

}  // namespace

template <>
StringTable& DefaultService<StringTable>() {
  static HostStringTable table;
  return table;
}

}  // namespace kvt
