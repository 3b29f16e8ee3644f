// Property pages for tests: records every page description and answers a
// made-up page handle, or null when |fail| is set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/property_pages.h"

namespace kvt {

class FakePropertyPages final : public PropertyPages {
 public:
  struct Made {
    PropertySheetPageW page;
    std::u16string title;  // copied: the description's buffer is gone later
    bool has_title;
  };

  HPROPSHEETPAGE Create(const PropertySheetPageW& page) override {
    Made made{page, {}, page.pszTitle != nullptr};
    if (made.has_title) {
      const auto* title = reinterpret_cast<const char16_t*>(page.pszTitle);
      made.title = title;
    }
    made_pages.push_back(made);
    if (fail) {
      SetThreadLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
      return nullptr;
    }
    return HandleFor(made_pages.size() - 1);
  }

  // The handle the |index|th creation answered (when it succeeded).
  static HPROPSHEETPAGE HandleFor(std::size_t index) {
    return reinterpret_cast<HPROPSHEETPAGE>(static_cast<std::uintptr_t>(0x5000 + index));
  }

  bool fail = false;
  std::vector<Made> made_pages;
};

}  // namespace kvt
