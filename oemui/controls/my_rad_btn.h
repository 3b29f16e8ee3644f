// CMyRadBtn: a radio button that tells its parent about the arrow keys, so
// the parent can move the focus in a grid of buttons. The keys are then
// handled as usual.
#pragma once

#include <cstdint>
#include <optional>

#include "oemui/controls/dialog_port.h"

namespace kvt {

// The message posted for an arrow key (1654 Up, 1655 Down, 1656 Left, 1657
// Right); nothing for any other key.
std::optional<UINT> RadioArrowMessage(std::uint32_t virtual_key);

}  // namespace kvt
