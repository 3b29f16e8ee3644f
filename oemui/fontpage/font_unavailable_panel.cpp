#include "oemui/fontpage/font_unavailable_panel.h"

#include "core/module_state.h"
#include "core/result_codes.h"
#include "oemui/fontpage/device_font_rule.h"
#include "platform/string_table.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

constexpr UINT kWmPaint = 0x000F;
constexpr std::size_t kTextChars = 256;

std::u16string Text(std::uint32_t id) {
  std::u16string text;
  Service<StringTable>().Load(ModuleInstance(), id, kTextChars, &text);
  return text;
}

}  // namespace

std::u16string FontUnavailableText(const PrivateSettings& working, bool landscape) {
  std::u16string text = Text(IDS_FONT_UNAVAILABLE) + u"\n\n\n";
  if (landscape) text += Text(IDS_FONT_UNAVAILABLE_LANDSCAPE);
  if (working.byDirection != 0) text += Text(IDS_FONT_UNAVAILABLE_DIRECTION);
  if (working.byReduction != 0) text += Text(IDS_FONT_UNAVAILABLE_REDUCTION);
  if (working.byWatermark != 0) text += Text(IDS_FONT_UNAVAILABLE_WATERMARK);
  return text;
}

std::uint32_t FontUnavailablePanel::OnInit() {
  ShowReasons();
  return kResultOk;
}

void FontUnavailablePanel::ShowReasons() {
  if (context_ == nullptr || DeviceFontsUsable(*context_)) return;
  const DocUiState* ui = DocUiStateOf(*context_);
  const std::u16string text =
      FontUnavailableText(context_->WorkingSettings, ui != nullptr && ui->bLandscape == 1);
  // Setting the same text again would repaint the text on every paint.
  if (port_.GetText(IDC_FONT_UNAVAILABLE_TEXT) != text) {
    port_.SetText(IDC_FONT_UNAVAILABLE_TEXT, text);
  }
}

std::uint32_t FontUnavailablePanel::Dispatch(UINT message, WPARAM, LPARAM, bool* handled) {
  *handled = false;
  if (message == kWmPaint) ShowReasons();
  return kResultOk;
}

}  // namespace kvt
