// Property page port: creating a page from its description (Windows:
// CreatePropertySheetPageW with the plug-in's own activation context
// active, so the page gets the module's common-controls manifest;
// DestroyPropertySheetPage. Linux: there are no pages; creation fails).
#pragma once

#include "platform/property_sheet_abi.h"
#include "platform/service.h"

namespace kvt {

class PropertyPages {
 public:
  virtual ~PropertyPages() = default;

  // The page made from |page|; null, with the thread's last error set, when
  // it cannot be made.
  virtual HPROPSHEETPAGE Create(const PropertySheetPageW& page) = 0;
};

template <>
PropertyPages& DefaultService<PropertyPages>();

}  // namespace kvt
