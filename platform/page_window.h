// What a page's dialog procedure keeps in its own window: the sheet's page
// context, stored at WM_INITDIALOG and read on later messages.
#pragma once

#include "platform/framework_abi.h"
#include "platform/service.h"

namespace kvt {

class PageWindow {
 public:
  virtual ~PageWindow() = default;
  virtual void SetPageData(HWND page, void* data) = 0;
  virtual void* PageData(HWND page) = 0;
};

template <>
PageWindow& DefaultService<PageWindow>();

}  // namespace kvt
