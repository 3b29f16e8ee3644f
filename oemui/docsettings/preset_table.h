// The presets of the Document Settings page: which ones a model offers, in
// combo order, with their texts, codes and icons, and the paper form each
// one selects on the driver's own form item.
#pragma once

#include <cstdint>
#include <string_view>

namespace kvt {

// byPreset values.
inline constexpr std::uint8_t kPreset80Receipt = 0;
inline constexpr std::uint8_t kPreset58Receipt = 1;
inline constexpr std::uint8_t kPreset80Marked = 2;
inline constexpr std::uint8_t kPreset58Marked = 3;
inline constexpr std::uint8_t kPresetA4To80 = 4;
inline constexpr std::uint8_t kPresetA4To58 = 5;
inline constexpr std::uint8_t kPresetUserSetting = 6;

struct PresetRow {
  std::uint32_t dwStringId;  // the row's text in the module's string table
  std::uint8_t byPreset;     // the code stored in the record (item data)
  std::uint32_t dwIconId;    // 32 x 32 bitmap resource
};

struct PresetTable {
  const char16_t* szModelName;
  const PresetRow* pRows;
  std::uint32_t dwCount;
};

// The table of the model whose name starts |driver_name| (any case); the
// first model's when none does.
const PresetTable& SelectPresetTable(std::u16string_view driver_name);

// The id of the preset's form name in the package's resource library
// KvtQvj2Res.dll; 0 for User Setting and any unknown code.
std::uint32_t PresetFormStringId(std::uint8_t preset);

// The reduction presets ask before they turn device fonts off.
inline bool IsReductionPreset(std::uint8_t preset) {
  return preset == kPresetA4To80 || preset == kPresetA4To58;
}

}  // namespace kvt
