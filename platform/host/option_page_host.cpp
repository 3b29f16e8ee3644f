// Linux has no windows: no control is ever found, so the option items'
// callback leaves the page alone and asks its question unconditionally.
#include "platform/option_page.h"

namespace kvt {
namespace {

class HostOptionPage final : public OptionPage {
 public:
  HWND Control(HWND, int) override { return nullptr; }
  HWND Next(HWND) override { return nullptr; }
  std::uint32_t Style(HWND) override { return 0; }
  bool IsChecked(HWND) override { return false; }
  void SetChecked(HWND, bool) override {}
  int Selection(HWND) override { return -1; }
  void Select(HWND, int) override {}
  HWND Focus() override { return nullptr; }
  void SetFocus(HWND) override {}
  void Send(HWND, UINT) override {}
};

}  // namespace

template <>
OptionPage& DefaultService<OptionPage>() {
  static HostOptionPage page;
  return page;
}

}  // namespace kvt
