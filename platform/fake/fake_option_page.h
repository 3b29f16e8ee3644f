// The framework's page for tests: controls are made-up handles with an id,
// a style, a check state and a selection, in sibling order; the focus and
// every message sent are recorded.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/option_page.h"

namespace kvt {

class FakeOptionPage final : public OptionPage {
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

  HWND Control(HWND page, int id) override {
    for (HWND handle : order) {
      if (windows[handle].page == page && windows[handle].id == id) return handle;
    }
    return nullptr;
  }
  HWND Next(HWND window) override {
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
      if (order[i] == window && windows[order[i + 1]].page == windows[window].page) {
        return order[i + 1];
      }
    }
    return nullptr;
  }
  std::uint32_t Style(HWND window) override { return windows[window].style; }
  bool IsChecked(HWND button) override { return windows[button].checked; }
  void SetChecked(HWND button, bool checked) override { windows[button].checked = checked; }
  int Selection(HWND list) override { return windows[list].selection; }
  void Select(HWND list, int row) override { windows[list].selection = row; }
  HWND Focus() override { return focus; }
  void SetFocus(HWND window) override { focus = window; }
  void Send(HWND window, UINT message) override { sent.push_back({window, message}); }

  std::vector<HWND> order;
  std::map<HWND, Window> windows;
  HWND focus = nullptr;
  std::vector<std::pair<HWND, UINT>> sent;
};

}  // namespace kvt
