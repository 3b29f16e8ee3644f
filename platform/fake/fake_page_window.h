// Page windows for tests: the data each page keeps, by handle value.
#pragma once

#include <map>

#include "platform/page_window.h"

namespace kvt {

class FakePageWindow final : public PageWindow {
 public:
  void SetPageData(HWND page, void* data) override { data_[page] = data; }
  void* PageData(HWND page) override {
    auto it = data_.find(page);
    return it == data_.end() ? nullptr : it->second;
  }

 private:
  std::map<HWND, void*> data_;
};

}  // namespace kvt
