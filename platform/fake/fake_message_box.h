// Message boxes for tests: windows are made-up handles with parents and
// captions the test sets; every box shown and every enable or disable of a
// window is recorded, and each box answers |answer|.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace kvt {

class FakeMessageBoxUi final : public MessageBoxUi {
 public:
  struct Box {
    HWND owner;
    std::u16string text;
    std::u16string title;
    UINT style;
    bool owner_enabled;  // the owner's state while the box was up
  };
  struct EnableCall {
    HWND window;
    bool enable;
  };

  void EnableWindow(HWND window, bool enable) override {
    enable_calls.push_back({window, enable});
    disabled[window] = !enable;
  }
  HWND Parent(HWND window) override {
    auto it = parents.find(window);
    return it == parents.end() ? nullptr : it->second;
  }
  std::u16string WindowText(HWND window, std::size_t capacity) override {
    auto it = captions.find(window);
    if (it == captions.end() || capacity == 0) return {};
    return it->second.substr(0, capacity - 1);
  }
  int Show(HWND owner, std::u16string_view text, std::u16string_view title, UINT style) override {
    boxes.push_back({owner, std::u16string(text), std::u16string(title), style, !disabled[owner]});
    return answer;
  }

  static HWND Window(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }

  int answer = 1;  // IDOK
  std::map<HWND, HWND> parents;
  std::map<HWND, std::u16string> captions;
  std::map<HWND, bool> disabled;
  std::vector<EnableCall> enable_calls;
  std::vector<Box> boxes;
};

}  // namespace kvt
