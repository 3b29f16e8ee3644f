// The Watermark page's settings list: under "Watermark Settings" the
// Image, Keycode and Position rows, and the image-file mode's Lightness,
// Fit Paper, Resize, Width and Height rows, each "label: value". Only the
// rows of the shown mode are visible; a value that differs from the
// applied record is drawn in red.
#pragma once

#include <cstdint>
#include <string>

#include "core/private_settings.h"
#include "oemui/controls/dialog_port.h"

namespace kvt {

inline constexpr std::uint32_t kWatermarkListHeader = 1;
inline constexpr std::uint32_t kWatermarkListImage = 2;
inline constexpr std::uint32_t kWatermarkListKeycode = 3;
inline constexpr std::uint32_t kWatermarkListPosition = 4;
inline constexpr std::uint32_t kWatermarkListLightness = 5;
inline constexpr std::uint32_t kWatermarkListFitPaper = 6;
inline constexpr std::uint32_t kWatermarkListResize = 7;
inline constexpr std::uint32_t kWatermarkListWidth = 8;
inline constexpr std::uint32_t kWatermarkListHeight = 9;

// What the rows show beyond the record: the Keycode edit's text and the
// image file's size in dots.
struct WatermarkListExtras {
  std::u16string keycode_text;
  int width = 0;
  int height = 0;
};

// Adds the header and its rows with their labels. 0 or the first failure
// (201 for a missing label); every item is added all the same.
std::uint32_t BuildWatermarkList(DialogPort& page, int tree_id);

// Writes every row's text and colour, shows the rows of |working|'s mode,
// lays the tree out and repaints it. 107 for a mode or position that names
// no text, 201 for a missing string.
std::uint32_t RefreshWatermarkList(DialogPort& page, int tree_id, const PrivateSettings& working,
                                   const PrivateSettings& applied,
                                   const WatermarkListExtras& extras);

}  // namespace kvt
