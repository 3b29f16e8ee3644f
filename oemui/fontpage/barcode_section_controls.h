// Native tests: the child controls of the barcode sections' templates, for
// fake windows.
#pragma once

#include <vector>

#include "resources/font_page_ids.h"

namespace kvt {

inline std::vector<int> BarcodeSectionControls() {
  return {1,
          IDC_BARCODE_FONT_COMBO,
          IDC_BARCODE_SYSTEM_COMBO,
          IDC_BARCODE_START_COMBO,
          IDC_BARCODE_STOP_COMBO,
          IDC_BARCODE_HRI_COMBO,
          IDC_BARCODE_ROTATE_COMBO,
          IDC_BARCODE_WIDTH_EDIT,
          IDC_BARCODE_WIDTH_SPIN,
          IDC_BARCODE_HEIGHT_EDIT,
          IDC_BARCODE_HEIGHT_SPIN,
          IDC_BARCODE_HEX_ENABLED,
          IDC_BARCODE_HEX_DISABLED,
          IDC_BARCODE_LEFT,
          IDC_BARCODE_CENTER,
          IDC_BARCODE_RIGHT,
          IDC_BARCODE_INFO_ON,
          IDC_BARCODE_INFO_OFF,
          IDC_BARCODE_DATA_EDIT,
          IDC_BARCODE_PRINT,
          IDC_BARCODE_START_STOP_LABEL,
          IDC_BARCODE_START_STOP_LINE,
          IDC_BARCODE_START_TEXT,
          IDC_BARCODE_STOP_TEXT};
}

inline std::vector<int> Barcode2DSectionControls() {
  return {1,
          IDC_BARCODE_2D_FONT_COMBO,
          IDC_BARCODE_2D_SYSTEM_COMBO,
          IDC_BARCODE_2D_SIZE_COMBO,
          IDC_BARCODE_2D_HEIGHT_COMBO,
          IDC_BARCODE_2D_ECL_COMBO,
          IDC_BARCODE_2D_ROTATE_COMBO,
          IDC_BARCODE_2D_HEX_ENABLED,
          IDC_BARCODE_2D_HEX_DISABLED,
          IDC_BARCODE_2D_LEFT,
          IDC_BARCODE_2D_CENTER,
          IDC_BARCODE_2D_RIGHT,
          IDC_BARCODE_2D_INFO_ON,
          IDC_BARCODE_2D_INFO_OFF,
          IDC_BARCODE_2D_DATA_EDIT,
          IDC_BARCODE_2D_PRINT,
          IDC_BARCODE_2D_HEIGHT_LABEL,
          IDC_BARCODE_2D_HEIGHT_LINE,
          IDC_BARCODE_2D_HEIGHT_UNIT};
}

}  // namespace kvt
