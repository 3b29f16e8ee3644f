#include "oemui/controls/combo_rules.h"

#include <algorithm>

namespace kvt {

int ComboKeyTarget(std::uint32_t key, int selected, int count) {
  int step = 0;
  switch (key) {
    case kKeyUp:
    case kKeyLeft:
      step = -1;
      break;
    case kKeyDown:
    case kKeyRight:
      step = 1;
      break;
    default:
      return -1;
  }
  if (count <= 0) return -1;
  if (selected < 0 || selected >= count) return 0;
  const int target = std::clamp(selected + step, 0, count - 1);
  return target == selected ? -1 : target;
}

int ComboAcceptedSelection(int selected, int last_selected, int count) {
  if (selected >= 0 && selected < count) return selected;
  if (last_selected >= 0 && last_selected < count) return last_selected;
  return -1;
}

bool ComboNeedsRefill(const std::vector<ComboShownRow>& shown,
                      const std::vector<ComboShownRow>& wanted) {
  if (shown.size() != wanted.size()) return true;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].text != wanted[i].text || shown[i].data != wanted[i].data) return true;
  }
  return false;
}

int ComboDropDownWidth(const std::vector<int>& row_widths, int scroll_bar_width,
                       int control_width) {
  int widest = 0;
  for (int width : row_widths) widest = std::max(widest, width);
  return std::max(control_width, widest + scroll_bar_width + 8);
}

ComboRowColours ComboRowColoursFor(const ComboRowState& state) {
  ComboRowColours colours;
  const bool highlighted = state.selected && state.has_text;
  if (state.has_own_colours) {
    // A coloured control keeps its own look; only the open list shows where
    // the choice is.
    colours.background = highlighted && state.dropped_down ? PaintColour::System(kSysHighlight)
                                                           : PaintColour::Rgb(state.own_background);
    colours.text = PaintColour::Rgb(state.own_text);
    return colours;
  }
  if (highlighted) {
    colours.background = PaintColour::System(kSysHighlight);
  } else if (state.disabled) {
    colours.background = PaintColour::System(kSysButtonFace);
  } else {
    colours.background = PaintColour::System(kSysWindow);
  }
  if (!state.has_text || state.disabled) {
    colours.text = PaintColour::System(kSysGrayText);
  } else if (state.selected && state.focused) {
    colours.text = PaintColour::System(kSysHighlightText);
  } else {
    colours.text = PaintColour::System(kSysWindowText);
  }
  return colours;
}

ComboRowPlacement ComboRowPlacementFor(int row_height, int icon_width, int icon_height) {
  ComboRowPlacement placement;
  placement.icon_x = 3;
  if (icon_width <= 0) {
    placement.text_x = 3;
    return placement;
  }
  placement.icon_y = (row_height - icon_height) / 2;
  placement.text_x = placement.icon_x + icon_width + 8;
  return placement;
}

}  // namespace kvt
