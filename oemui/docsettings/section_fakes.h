// Native tests: the General and Paper Cut sections on fake windows, with
// the child controls their templates hold.
#pragma once

#include <memory>

#include "oemui/controls/fake_dialog_port.h"
#include "oemui/docsettings/general_section.h"
#include "oemui/docsettings/paper_cut_section.h"
#include "resources/resource_ids.h"

namespace kvt {

inline void AddGeneralControls(FakeWindows& windows, HWND section) {
  for (int id : {IDC_GENERAL_INIT_ENABLED, IDC_GENERAL_INIT_DISABLED, IDC_GENERAL_SPEED_SLIDER,
                 IDC_GENERAL_SPEED_LEFT, IDC_GENERAL_SPEED_RIGHT, IDC_GENERAL_SPEED_BOX,
                 IDC_GENERAL_DENSITY_SLIDER, IDC_GENERAL_DENSITY_LEFT, IDC_GENERAL_DENSITY_RIGHT,
                 IDC_GENERAL_DENSITY_BOX, IDC_GENERAL_MARGIN_COMBO, IDC_GENERAL_DIRECTION_COMBO,
                 IDC_GENERAL_REDUCTION_COMBO, IDC_GENERAL_REDUCTION_SLIDER,
                 IDC_GENERAL_REDUCTION_LEFT, IDC_GENERAL_REDUCTION_RIGHT, IDC_GENERAL_REDUCTION_BOX,
                 IDC_GENERAL_REDUCTION_MIN, IDC_GENERAL_REDUCTION_MAX}) {
    windows.AddControl(section, id);
  }
}

inline void AddPaperCutControls(FakeWindows& windows, HWND section) {
  for (int id :
       {IDC_CUT_MODE_COMBO, IDC_CUT_FEED_LABEL, IDC_CUT_FEED_LINE, IDC_CUT_FEED_ENABLED,
        IDC_CUT_FEED_DISABLED, IDC_CUT_MARKED_COMBO, IDC_CUT_CORRECT_LABEL, IDC_CUT_CORRECT_LINE,
        IDC_CUT_CORRECT_EDIT, IDC_CUT_UPDOWN, IDC_CUT_CORRECT_UNIT}) {
    windows.AddControl(section, id);
  }
}

}  // namespace kvt
