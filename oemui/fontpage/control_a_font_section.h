// The Font page's "ControlA Font Settings" section (template 114). So far it
// shows its heading and answers what the page asks of every section (store,
// scale, disable); the Control A list, its editing and its test print come
// with its own code.
#pragma once

#include <cstdint>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

class ControlAFontSection {
 public:
  ControlAFontSection(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // 220 without the sheet's context.
  std::uint32_t OnInit();
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  DialogPort& port_;
  PageContext* context_;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK ControlAFontSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
