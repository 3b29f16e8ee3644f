#include "platform/property_pages.h"

#include "platform/win32/activation_context.h"

namespace kvt {
namespace {

class Win32PropertyPages final : public PropertyPages {
 public:
  HPROPSHEETPAGE Create(const PropertySheetPageW& page) override {
    // The fourth form of the block; dwSize tells the common controls so.
    return CreatePropertySheetPageInModuleContext(reinterpret_cast<LPCPROPSHEETPAGEW>(&page));
  }
};

}  // namespace

template <>
PropertyPages& DefaultService<PropertyPages>() {
  static Win32PropertyPages pages;
  return pages;
}

}  // namespace kvt
