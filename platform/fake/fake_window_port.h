// The framework's windows for tests: controls are made-up handles with an
// id, a style, a check state and a selection, in sibling order; the focus,
// every message sent and the data pages keep are recorded.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/window_port.h"

namespace kvt {

class FakeWindowPort final : public WindowPort {
 public:
  struct Window {
    HWND page = nullptr;
    int id = 0;
    std::uint32_t style = 0;
    bool checked = false;
    int selection = -1;
  };

  // Adds a control to |page| after the ones added before; answers its handle.
  HWND AddControl(HWND page, int id, std::uint32_t style) {
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1000 + order.size()));
    order.push_back(handle);
    windows[handle] = Window{page, id, style, false, -1};
    return handle;
  }

  HWND ControlOf(HWND page, int id) override {
    for (HWND handle : order) {
      if (windows[handle].page == page && windows[handle].id == id) return handle;
    }
    return nullptr;
  }
  HWND NextSibling(HWND window) override {
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
      if (order[i] == window && windows[order[i + 1]].page == windows[window].page) {
        return order[i + 1];
      }
    }
    return nullptr;
  }
  std::uint32_t StyleOf(HWND window) override { return windows[window].style; }
  bool IsButtonChecked(HWND button) override { return windows[button].checked; }
  void SetButtonChecked(HWND button, bool checked) override { windows[button].checked = checked; }
  int ListSelection(HWND list) override { return windows[list].selection; }
  void SelectListRow(HWND list, int row) override { windows[list].selection = row; }
  HWND FocusedWindow() override { return focus; }
  void FocusWindow(HWND window) override { focus = window; }
  LRESULT Send(HWND window, UINT message, WPARAM, LPARAM) override {
    sent.push_back({window, message});
    return 0;
  }
  void SetPageData(HWND page, void* data) override { page_data[page] = data; }
  void* PageData(HWND page) override {
    auto it = page_data.find(page);
    return it == page_data.end() ? nullptr : it->second;
  }

  std::vector<HWND> order;
  std::map<HWND, Window> windows;
  HWND focus = nullptr;
  std::vector<std::pair<HWND, UINT>> sent;
  std::map<HWND, void*> page_data;
};

}  // namespace kvt
