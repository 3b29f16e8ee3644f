#include "oemui/docsettings/preset_table.h"

#include "core/model_setting_table.h"
#include "resources/form_names.h"
#include "resources/pictures/picture_ids.h"

namespace kvt {
namespace {

const PresetRow kQvj27Presets[] = {
    {304, kPreset80Receipt, IDB_PRESET_80_RECEIPT}, {305, kPreset58Receipt, IDB_PRESET_58_RECEIPT},
    {306, kPreset80Marked, IDB_PRESET_80_MARKED},   {307, kPreset58Marked, IDB_PRESET_58_MARKED},
    {308, kPresetA4To80, IDB_PRESET_A4_TO_80},      {309, kPresetA4To58, IDB_PRESET_A4_TO_58},
    {310, kPresetUserSetting, IDB_PRESET_USER},
};

const PresetTable kPresetTables[] = {
    {u"KVT QV-J27", kQvj27Presets, sizeof kQvj27Presets / sizeof kQvj27Presets[0]},
};

}  // namespace

const PresetTable& SelectPresetTable(std::u16string_view driver_name) {
  return *SelectModelEntry(kPresetTables, sizeof kPresetTables / sizeof kPresetTables[0],
                           driver_name);
}

std::uint32_t PresetFormStringId(std::uint8_t preset) {
  switch (preset) {
    case kPreset80Receipt:
    case kPreset80Marked:
      return IDS_FORM_ROLL_80;
    case kPreset58Receipt:
    case kPreset58Marked:
      return IDS_FORM_ROLL_58;
    case kPresetA4To80:
    case kPresetA4To58:
      return IDS_FORM_A4;
    default:
      return 0;
  }
}

}  // namespace kvt
