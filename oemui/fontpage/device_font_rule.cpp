#include "oemui/fontpage/device_font_rule.h"

namespace kvt {

DocUiState* DocUiStateOf(const PageContext& context) {
  if (context.pOemCuipParam == nullptr) return nullptr;
  return static_cast<DocUiState*>(context.pOemCuipParam->pOEMUserData);
}

bool DeviceFontsUsable(const PrivateSettings& working, const DocUiState* ui) {
  const bool landscape = ui != nullptr && ui->bLandscape == 1;
  return working.byDirection == 0 && working.byReduction == 0 && working.byWatermark == 0 &&
         !landscape;
}

bool DeviceFontsUsable(const PageContext& context) {
  return DeviceFontsUsable(context.WorkingSettings, DocUiStateOf(context));
}

}  // namespace kvt
