#include "core/model_setting_table.h"

#include <iterator>

namespace kvt {
namespace {

constexpr char16_t kQvj27[] = u"KVT QV-J27";

// Head drive 6 is listed but not enabled for this model.
constexpr ModelValuePair kQvj27HeadDrive[] = {
    {0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 0},
};
constexpr ModelValuePair kQvj27Preset[] = {
    {0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1},
};
constexpr ModelValuePair kQvj27Reduction[] = {
    {0, 1},
    {1, 1},
    {2, 1},
    {3, 1},
};

template <std::size_t N>
constexpr std::uint32_t CountOf(const ModelValuePair (&)[N]) {
  return static_cast<std::uint32_t>(N);
}

constexpr ModelValueList kHeadDriveEntries[] = {
    {kQvj27, kQvj27HeadDrive, CountOf(kQvj27HeadDrive)},
};
constexpr ModelValueList kPresetEntries[] = {
    {kQvj27, kQvj27Preset, CountOf(kQvj27Preset)},
};
constexpr ModelValueList kReductionEntries[] = {
    {kQvj27, kQvj27Reduction, CountOf(kQvj27Reduction)},
};

constexpr ModelSettingTable kTable = {
    {kHeadDriveEntries, std::size(kHeadDriveEntries)},
    {kPresetEntries, std::size(kPresetEntries)},
    {kReductionEntries, std::size(kReductionEntries)},
};

constexpr char16_t FoldAscii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

const ModelSettingTable& DefaultModelSettingTable() { return kTable; }

bool DriverNameMatchesModel(std::u16string_view driver_name, std::u16string_view model_name) {
  if (driver_name.size() < model_name.size()) return false;
  for (std::size_t i = 0; i < model_name.size(); ++i) {
    if (FoldAscii(driver_name[i]) != FoldAscii(model_name[i])) return false;
  }
  return true;
}

bool IsAllowed(const ModelValueList* list, std::uint32_t value) {
  if (list == nullptr || list->pPairs == nullptr) return false;
  for (std::uint32_t i = 0; i < list->dwCount; ++i) {
    if (list->pPairs[i].dwValue == value && list->pPairs[i].dwEnabled == 1) return true;
  }
  return false;
}

}  // namespace kvt
