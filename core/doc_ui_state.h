// DocUiState: the user data of the plug-in's option items in the printing
// preferences. The option-item builder allocates it (local heap, zero
// filled) and hands it to the framework as OEMCUIPPARAM::pOEMUserData; the
// framework gives it back to the option-item callbacks, and the document
// pages reach it through PageContext::pOemCuipParam. The document sheet
// fills it at set-up and frees it at release.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/private_settings.h"
#include "platform/framework_abi.h"

namespace kvt {

struct DocUiState {
  // 1 when the document's orientation is anything but portrait (an unset
  // orientation counts as not portrait).
  std::uint32_t bLandscape;
  // 1 when the printer's device fonts can be used: portrait, byDirection 0,
  // byReduction 0 and byWatermark 0. Set at sheet set-up, kept current from
  // the working settings by the option items.
  std::uint32_t bIpdFontUsable;
  // 1 after the orientation was changed on the framework's own pages; the
  // Document Settings page clears it once it has taken the change in.
  std::uint32_t bChangedOutside;
  // The Document Settings page's window while it exists, else null.
  HWND hDocumentWnd;
  // The framework's own public device mode of the document.
  PDEVMODEW pPublicDM;
  // The WorkingSettings of the sheet's PageContext.
  PrivateSettings* pWorkingSettings;
};

// Both toolchains build for 64-bit Windows' layout; the block is handed
// around as raw local-heap memory, so its shape is pinned.
static_assert(sizeof(DocUiState) == 40);
static_assert(offsetof(DocUiState, bChangedOutside) == 8);
static_assert(offsetof(DocUiState, hDocumentWnd) == 16);
static_assert(offsetof(DocUiState, pPublicDM) == 24);
static_assert(offsetof(DocUiState, pWorkingSettings) == 32);

// Recomputes bIpdFontUsable from the working settings: the device fonts
// print only upright and unscaled, so they are usable exactly when
// byDirection, byReduction and byWatermark are all 0 and the document is
// not landscape. Every page that changes one of these calls it. A null
// state, or one without working settings, is left alone.
void RefreshIpdFontUsable(DocUiState* state);

}  // namespace kvt
