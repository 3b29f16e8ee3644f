// The Font page's "Device Font Settings" section (template 111): the
// printer's international character set and character code table, in two
// owner-drawn combo boxes, stored in byIntlCharSet and byCodeTable of the
// working settings on every real change.
#pragma once

#include <cstdint>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

class DeviceFontSection {
 public:
  DeviceFontSection(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // 220 without the sheet's context, 107 when the UI language cannot be
  // read, 221 when a combo cannot be bound.
  std::uint32_t OnInit();
  // CBN_SELCHANGE of either combo: a row other than the one selected
  // before is stored and the sheet hears PSM_CHANGED; the same row again
  // does nothing.
  std::uint32_t OnSelectionChange(int id);
  // The two combos' rows into the record (a combo without a selection
  // leaves its field alone).
  void Store();

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  DialogPort& port_;
  PageContext* context_;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK DeviceFontSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
