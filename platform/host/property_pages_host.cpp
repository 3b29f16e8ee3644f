// Linux has no property sheets: no page can be made, so the document sheet
// hands its page descriptions to the framework instead.
#include "platform/property_pages.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostPropertyPages final : public PropertyPages {
 public:
  HPROPSHEETPAGE Create(const PropertySheetPageW&) override {
    SetThreadLastError(50);  // ERROR_NOT_SUPPORTED
    return nullptr;
  }
};

}  // namespace

template <>
PropertyPages& DefaultService<PropertyPages>() {
  static HostPropertyPages pages;
  return pages;
}

}  // namespace kvt
