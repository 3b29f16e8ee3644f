// The panel the Font page shows in place of every section while the device
// fonts cannot be used (template 122): one static text that names the
// settings in the way.
#pragma once

#include <cstdint>
#include <string>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

// The panel's text: the heading, three line feeds, then a line for each
// setting in the way, the orientation first, then direction, reduction and
// watermark (each line's text ends with its own blank line).
std::u16string FontUnavailableText(const PrivateSettings& working, bool landscape);

class FontUnavailablePanel {
 public:
  FontUnavailablePanel(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // Without a context the template's text stays.
  std::uint32_t OnInit();
  // On every paint: the settings may have changed on the other pages.
  void ShowReasons();

  // WM_PAINT is only looked at: the dialog manager still paints.
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  DialogPort& port_;
  PageContext* context_;
};

// The panel's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK FontUnavailablePanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
