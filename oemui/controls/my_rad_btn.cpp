#include "oemui/controls/my_rad_btn.h"

#include "oemui/controls/my_edit.h"

namespace kvt {

std::optional<UINT> RadioArrowMessage(std::uint32_t virtual_key) {
  switch (virtual_key) {
    case kVkUp:
      return kMsgRadioUp;
    case kVkDown:
      return kMsgRadioDown;
    case kVkLeft:
      return kMsgRadioLeft;
    case kVkRight:
      return kMsgRadioRight;
    default:
      return std::nullopt;
  }
}

}  // namespace kvt
