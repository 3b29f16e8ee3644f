#include "oemui/fontpage/device_font_section.h"

#include <cstdlib>

#include "core/result_codes.h"
#include "oemui/fontpage/device_font_tables.h"
#include "oemui/page_messages.h"
#include "oemui/section_frame.h"
#include "platform/system_info.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

// The selection field is the dialog font's height with 2 pixels above and
// below.
constexpr int kFieldMargin = 4;

struct FontCombo {
  int id;
  const DeviceFontTable& (*table)();
  std::uint8_t PrivateSettings::*field;
};
constexpr FontCombo kCombos[] = {
    {IDC_INTL_CHARSET_COMBO, &IntlCharSetTable, &PrivateSettings::byIntlCharSet},
    {IDC_CODE_TABLE_COMBO, &CodeTableTable, &PrivateSettings::byCodeTable},
};

}  // namespace

std::uint32_t DeviceFontSection::OnInit() {
  if (context_ == nullptr) return kResultNoMemory;
  for (const FontCombo& combo : kCombos) {
    if (std::uint32_t code = port_.AttachCustom(combo.id, CustomControl::kComboBox)) return code;
  }
  const std::uint16_t language = Service<SystemInfo>().UiLanguage();
  if (language == 0) return kResultInvalid;
  DialogFont font;
  if (port_.GetFont(&font)) {
    for (const FontCombo& combo : kCombos) {
      port_.ComboSetItemHeight(combo.id, -1, std::abs(font.height) + kFieldMargin);
    }
  }
  const PrivateSettings& s = context_->WorkingSettings;
  for (const FontCombo& combo : kCombos) {
    const DeviceFontTable& table = combo.table();
    for (std::size_t row = 0; row < table.count; ++row) {
      port_.ComboAddItem(
          combo.id, static_cast<int>(row),
          ComboItem{DeviceFontRowText(table.pRows[row], language), static_cast<std::int32_t>(row)});
    }
    port_.ComboRebuild(combo.id);
    port_.ComboSelectByData(combo.id, s.*combo.field);
  }
  return kResultOk;
}

void DeviceFontSection::Store() {
  PrivateSettings& s = context_->WorkingSettings;
  for (const FontCombo& combo : kCombos) {
    const std::int32_t row = port_.ComboSelectedData(combo.id);
    // An empty combo's -1 would be stored as 255, the user page.
    if (row < 0 || static_cast<std::size_t>(row) >= combo.table().count) continue;
    s.*combo.field = static_cast<std::uint8_t>(row);
  }
}

std::uint32_t DeviceFontSection::OnSelectionChange(int id) {
  if (id != IDC_INTL_CHARSET_COMBO && id != IDC_CODE_TABLE_COMBO) return kResultInvalid;
  const int chosen = port_.ComboSelectedIndex(id);
  if (chosen < 0) return kResultInvalid;
  if (port_.ComboSelectedData(id) == port_.ComboLastSelectedData(id)) return kResultOk;
  port_.ComboSelectIndex(id, chosen);
  Store();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t DeviceFontSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                          bool* handled) {
  *handled = true;
  if (AnswerFrameMessage(port_, context_, message, wparam, lparam)) return kResultOk;
  switch (message) {
    case kWmCommand:
      if (NotifyCode(wparam) == kCbnSelChange) return OnSelectionChange(NotifyId(wparam));
      break;
    case kDsmStore:
      Store();
      return kResultOk;
    default:
      break;
  }
  *handled = false;
  return kResultOk;
}

}  // namespace kvt
