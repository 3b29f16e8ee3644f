#include "oemui/docsettings/preset_values.h"

#include <cstring>

#include "oemui/docsettings/preset_table.h"

namespace kvt {

void ApplyGeneralPreset(PrivateSettings& s) {
  if (s.byPreset == kPresetUserSetting) return;
  s.byInitialize = 1;
  s.bySpeed = 3;
  s.byDensity = 100;
  s.byMargin = 2;
  s.byDirection = 0;
  s.byDirectionCopy = 0;
  s.byReduction = 0;
  s.byReductionScale = 100;
  if (s.byPreset == kPresetA4To80) s.byReduction = 1;
  if (s.byPreset == kPresetA4To58) s.byReduction = 2;
}

void ApplyPaperCutPreset(PrivateSettings& s) {
  switch (s.byPreset) {
    case kPreset80Receipt:
    case kPreset58Receipt:
      s.byPaperCut = 1;
      s.byFeedToCut = 1;
      s.byMarkedPaperFeed = 0;
      break;
    case kPreset80Marked:
    case kPreset58Marked:
      s.byPaperCut = 3;
      s.byFeedToCut = 0;
      s.byMarkedPaperFeed = 1;
      break;
    case kPresetA4To80:
    case kPresetA4To58:
      s.byPaperCut = 3;
      s.byFeedToCut = 1;
      s.byMarkedPaperFeed = 0;
      break;
    default:
      return;
  }
  s.sFormFeedCorrect = 0;
}

void ApplyOptionPreset(PrivateSettings& s) {
  if (s.byPreset == kPresetUserSetting) return;
  for (OptionCommandGroup& group : s.optionGroups) {
    group.byLogo = 0;
    group.byLogoKeycode = 0;
    group.byLogoAlign = 0;
    group.byBuzzer = 0;
    group.sFeed = 0;
    group.nCommandLength = 0;
    std::memset(group.abyCommand, 0, sizeof group.abyCommand);
    group.byDrawer = 0;
    group.wDrawerOnTime = 50;
    group.wDrawerOffTime = 200;
  }
  if (s.byPreset < kPreset80Marked) s.optionGroups[0].byDrawer = 1;
}

}  // namespace kvt
