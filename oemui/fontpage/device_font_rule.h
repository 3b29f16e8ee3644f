// Whether the printer's device fonts can be used with the document's
// settings: they print only upright and unscaled, so never with the print
// direction turned, a reduction, a watermark image or landscape paper.
// Evaluated afresh whenever it is needed, as the settings it reads belong
// to the other pages.
#pragma once

#include "core/doc_ui_state.h"
#include "core/page_context.h"

namespace kvt {

// The sheet's option-item block, or null when the sheet has none.
DocUiState* DocUiStateOf(const PageContext& context);

// True when byDirection, byReduction and byWatermark are 0 and the
// document is not landscape (without an option-item block it counts as
// portrait).
bool DeviceFontsUsable(const PrivateSettings& working, const DocUiState* ui);
bool DeviceFontsUsable(const PageContext& context);

}  // namespace kvt
