#include "oemui/watermark/position_grid.h"

namespace kvt {
namespace {

constexpr int kColumnOrder[kGridPositions] = {0, 3, 6, 1, 4, 7, 2, 5, 8};

// The place of |position| in column order: its column's three, then its row.
int ColumnIndex(int position) { return (position % 3) * 3 + position / 3; }

}  // namespace

std::optional<int> GridPosition(int id) {
  const int position = id - kFirstGridButtonId;
  if (position < 0 || position >= kGridPositions) return std::nullopt;
  return position;
}

std::optional<int> GridNeighbour(int position, UINT message) {
  if (position < 0 || position >= kGridPositions) return std::nullopt;
  switch (message) {
    case kMsgRadioRight:
      return (position + 1) % kGridPositions;
    case kMsgRadioLeft:
      return (position + kGridPositions - 1) % kGridPositions;
    case kMsgRadioDown:
      return kColumnOrder[(ColumnIndex(position) + 1) % kGridPositions];
    case kMsgRadioUp:
      return kColumnOrder[(ColumnIndex(position) + kGridPositions - 1) % kGridPositions];
    default:
      return std::nullopt;
  }
}

}  // namespace kvt
