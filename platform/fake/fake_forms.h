// Forms for tests: by name, with the size a level-1 read needs; failures on
// request.
#pragma once

#include <map>
#include <string>

#include "platform/forms.h"
#include "platform/last_error.h"

namespace kvt {

class FakeForms final : public Forms {
 public:
  static constexpr std::uint32_t kFormInfoBytes = 64;  // what a read asks for

  void Add(const std::u16string& name, std::int32_t width, std::int32_t height) {
    forms[name] = {width, height};
  }

  std::uint32_t NeededBytes(PrinterHandle, std::u16string_view form_name) override {
    if (forms.count(std::u16string(form_name)) == 0) {
      SetThreadLastError(1902);  // ERROR_INVALID_FORM_NAME
      return 0;
    }
    return kFormInfoBytes;
  }

  bool Read(PrinterHandle, std::u16string_view form_name, void*, std::uint32_t size,
            FormDimensions* dimensions) override {
    ++reads;
    auto it = forms.find(std::u16string(form_name));
    if (fail_reads || it == forms.end() || size < kFormInfoBytes) {
      SetThreadLastError(1902);
      return false;
    }
    *dimensions = it->second;
    return true;
  }

  std::map<std::u16string, FormDimensions> forms;
  bool fail_reads = false;
  int reads = 0;
};

}  // namespace kvt
