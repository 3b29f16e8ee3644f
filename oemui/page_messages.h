// The private window messages between the document pages, their sections
// and the custom controls. The numbers are part of the pages' contract
// with each other (and with the option items, which send 2026).
#pragma once

#include "core/option_items.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

// -> page: the splitter moved; high word of wParam: its new top.
inline constexpr UINT kDsmSplitterMoved = kMsgSplitterMoved;  // 1632
// -> page: a settings-list header was chosen; wParam: its item id.
inline constexpr UINT kDsmShowSection = kMsgShowSection;  // 1633
// -> page: a section stored new values; recompose the picture.
inline constexpr UINT kDsmRedrawPreview = 1634;
// -> section: shrink to wParam thousandths; lParam: the page's DialogFont.
inline constexpr UINT kDsmScaleLayout = 1644;
// -> section: the user may not change settings.
inline constexpr UINT kDsmDisableAll = 1645;
// -> section: store the controls into the working settings.
inline constexpr UINT kDsmStore = 2024;
// -> section: a preset was chosen; write its values, reload the controls.
inline constexpr UINT kDsmApplyPreset = 2025;
// -> page: something changed by hand; switch to User Setting. The option
// items send it too, so it is theirs: kDsmUserPreset (2026).
// -> option section: rewrite the logo key code as two digits.
inline constexpr UINT kDsmFormatKeycode = 2027;
// -> general section: recompute the reduction scale from the paper form.
inline constexpr UINT kDsmRefreshReduction = 2028;
// -> page: rebuild the settings list's texts.
inline constexpr UINT kDsmRefreshList = 2029;
// -> page: the option section now shows event wParam (0..3).
inline constexpr UINT kDsmEventSelected = 2030;
// -> option section: show event wParam (0..3).
inline constexpr UINT kDsmSelectEvent = 2031;

// Standard messages the page objects take from their procedures.
inline constexpr UINT kWmDestroy = 0x0002;

}  // namespace kvt
