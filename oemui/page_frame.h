// What the three document pages share until their own code lands: the
// sheet's page context kept in the page window, and the apply step of the
// document sheet's life (the working copy becomes the applied one and the
// sheet hears CPSUI_OK, so the framework asks for the result).
#pragma once

#include "core/page_context.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

inline constexpr UINT kWmNotify = 0x004E;  // WM_NOTIFY
// PSN_APPLY: PSN_FIRST (0 - 200) - 2, as the notification's UINT code.
inline constexpr UINT kPsnApply = static_cast<UINT>(0u - 200u - 2u);

// The first fields of NMHDR, as WM_NOTIFY's lParam points to them.
struct NotifyHeader {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

// Copies WorkingSettings over AppliedSettings and reports CPSUI_OK through
// the sheet callback with the Font page's handle. Nothing without a context
// or a callback.
void ApplyDocumentPages(PageContext* context);

// The frame's handling of the messages every page shares: WM_INITDIALOG
// (keeps the context from the page description's lParam) and PSN_APPLY.
INT_PTR PageFrameMessage(HWND page, UINT message, LPARAM lparam);

}  // namespace kvt
