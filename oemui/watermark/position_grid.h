// The Watermark page's 3 x 3 position grid: nine radio buttons, row by row
// from top left, over a picture of the paper. The arrow keys walk the grid
// with wrap-around: Left and Right in row order (0 .. 8), Up and Down in
// column order (0, 3, 6, 1, 4, 7, 2, 5, 8).
#pragma once

#include <optional>

#include "oemui/controls/dialog_port.h"

namespace kvt {

inline constexpr int kGridPositions = 9;
inline constexpr int kFirstGridButtonId = 1315;

constexpr int GridButtonId(int position) { return kFirstGridButtonId + position; }
// The position of grid button |id|; nothing for another control.
std::optional<int> GridPosition(int id);

// Where arrow message |message| (kMsgRadioUp .. kMsgRadioRight) moves from
// |position|; nothing for another message or a position off the grid.
std::optional<int> GridNeighbour(int position, UINT message);

}  // namespace kvt
