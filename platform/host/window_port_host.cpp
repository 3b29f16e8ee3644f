// Linux has no windows: no control is ever found, so the option items'
// callback leaves the page alone and asks its question unconditionally; a
// page handle is only a key for the data a page keeps.
#include "platform/window_port.h"

#include <map>
#include <mutex>

namespace kvt {
namespace {

class HostWindowPort final : public WindowPort {
 public:
  HWND ControlOf(HWND, int) override { return nullptr; }
  HWND NextSibling(HWND) override { return nullptr; }
  std::uint32_t StyleOf(HWND) override { return 0; }
  bool IsButtonChecked(HWND) override { return false; }
  void SetButtonChecked(HWND, bool) override {}
  int ListSelection(HWND) override { return -1; }
  void SelectListRow(HWND, int) override {}
  HWND FocusedWindow() override { return nullptr; }
  void FocusWindow(HWND) override {}
  LRESULT Send(HWND, UINT, WPARAM, LPARAM) override { return 0; }
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
WindowPort& DefaultService<WindowPort>() {
  static HostWindowPort port;
  return port;
}

}  // namespace kvt
