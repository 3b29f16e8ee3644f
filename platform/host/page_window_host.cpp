#include "platform/page_window.h"

#include <map>
#include <mutex>

namespace kvt {
namespace {

// Linux has no windows; a page handle is only a key here.
class HostPageWindow final : public PageWindow {
 public:
  void SetPageData(HWND page, void* data) override {
    std::lock_guard<std::mutex> lock(mutex_);
    data_[page] = data;
  }
  void* PageData(HWND page) override {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = data_.find(page);
    return it == data_.end() ? nullptr : it->second;
  }

 private:
  std::mutex mutex_;
  std::map<HWND, void*> data_;
};

}  // namespace

template <>
PageWindow& DefaultService<PageWindow>() {
  static HostPageWindow window;
  return window;
}

}  // namespace kvt
