#include "core/doc_ui_state.h"

namespace kvt {

void RefreshIpdFontUsable(DocUiState* state) {
  if (state == nullptr || state->pWorkingSettings == nullptr) return;
  const PrivateSettings& working = *state->pWorkingSettings;
  state->bIpdFontUsable = working.byDirection == 0 && working.byReduction == 0 &&
                                  working.byWatermark == 0 && state->bLandscape != 1
                              ? 1
                              : 0;
}

}  // namespace kvt
