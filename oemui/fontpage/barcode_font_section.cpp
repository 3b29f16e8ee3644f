#include "oemui/fontpage/barcode_font_section.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "core/result_codes.h"
#include "oemui/fontpage/barcode_section_util.h"
#include "oemui/page_messages.h"
#include "oemui/section_frame.h"
#include "oemui/tools/coded_message.h"
#include "resources/font_page_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr UINT kWmVScroll = 0x0115;
constexpr int kFieldMargin = 4;
constexpr int kSystemCount = 11;
constexpr int kHriCount = 7;
constexpr int kRotateCount = 4;
constexpr std::uint8_t kCodabar = 6;

constexpr int kCombos[] = {IDC_BARCODE_FONT_COMBO,  IDC_BARCODE_SYSTEM_COMBO,
                           IDC_BARCODE_START_COMBO, IDC_BARCODE_STOP_COMBO,
                           IDC_BARCODE_HRI_COMBO,   IDC_BARCODE_ROTATE_COMBO};
constexpr int kEdits[] = {IDC_BARCODE_WIDTH_EDIT, IDC_BARCODE_HEIGHT_EDIT, IDC_BARCODE_DATA_EDIT};
// Shown and enabled for CODABAR only.
constexpr int kStartStopControls[] = {IDC_BARCODE_START_STOP_LABEL, IDC_BARCODE_START_STOP_LINE,
                                      IDC_BARCODE_START_TEXT,       IDC_BARCODE_START_COMBO,
                                      IDC_BARCODE_STOP_TEXT,        IDC_BARCODE_STOP_COMBO};

constexpr const char16_t* kSystemTexts[kSystemCount] = {u"UPC-A",
                                                        u"UPC-E",
                                                        u"JAN13 (EAN13)",
                                                        u"JAN8 (EAN8)",
                                                        u"Code39",
                                                        u"ITF",
                                                        u"CODABAR",
                                                        u"CODE128",
                                                        u"CODE93",
                                                        u"JAN13 (EAN13) add-on 2",
                                                        u"JAN13 (EAN13) add-on 5"};
constexpr const char16_t* kHriTexts[kHriCount] = {u"None",
                                                  u"Over barcode (Font A)",
                                                  u"Under barcode (Font A)",
                                                  u"Over and under barcode (Font A)",
                                                  u"Over barcode (Font B)",
                                                  u"Under barcode (Font B)",
                                                  u"Over and under barcode (Font B)"};
constexpr const char16_t* kRotateTexts[kRotateCount] = {u"None", u"90 Degrees to Right",
                                                        u"180 Degrees", u"90 Degrees to Left"};
constexpr const char16_t* kLetters[] = {u"A", u"B", u"C", u"D"};

struct Bounds {
  int edit;
  int min;
  int max;
};
constexpr Bounds kNumberEdits[] = {
    {IDC_BARCODE_WIDTH_EDIT, kBarcodeWidthMin, kBarcodeWidthMax},
    {IDC_BARCODE_HEIGHT_EDIT, kBarcodeHeightMin, kBarcodeHeightMax},
};

}  // namespace

BarcodeFontSection::BarcodeFontSection(DialogPort& port, PageContext* context)
    : port_(port),
      context_(context),
      width_spin_(port, IDC_BARCODE_WIDTH_EDIT, IDC_BARCODE_WIDTH_SPIN),
      height_spin_(port, IDC_BARCODE_HEIGHT_EDIT, IDC_BARCODE_HEIGHT_SPIN) {}

BarcodeFontSettings& BarcodeFontSection::Group() {
  PrivateSettings& s = context_->WorkingSettings;
  // A record from elsewhere may name a group past the ten.
  if (s.byBarcodeFont >= kBarcodeFontCount) s.byBarcodeFont = 0;
  return s.barcodeFonts[s.byBarcodeFont];
}

std::uint32_t BarcodeFontSection::OnInit() {
  if (context_ == nullptr || port_.Window() == nullptr) return kResultNoMemory;
  for (int id : kCombos) {
    if (std::uint32_t code = port_.AttachCustom(id, CustomControl::kComboBox)) return code;
  }
  for (int id : kEdits) {
    if (std::uint32_t code = port_.AttachCustom(id, CustomControl::kEdit)) return code;
  }
  DialogFont font;
  if (port_.GetFont(&font)) {
    for (int id : kCombos) port_.ComboSetItemHeight(id, -1, std::abs(font.height) + kFieldMargin);
  }
  auto fill = [this](int combo, int count, auto text_of) {
    for (int i = 0; i < count; ++i) port_.ComboAddItem(combo, i, ComboItem{text_of(i), i});
    port_.ComboRebuild(combo);
  };
  const std::u16string pattern = LoadSectionText(IDS_BARCODE_FONT_NAME, u"IPD Barcode%d");
  for (int i = 0; i < kBarcodeFontCount; ++i) font_names_.push_back(FormatFontName(pattern, i + 1));
  fill(IDC_BARCODE_FONT_COMBO, kBarcodeFontCount, [this](int i) { return font_names_[i]; });
  fill(IDC_BARCODE_SYSTEM_COMBO, kSystemCount,
       [](int i) { return LoadSectionText(IDS_BARCODE_SYSTEM_FIRST + i, kSystemTexts[i]); });
  for (int combo : {IDC_BARCODE_START_COMBO, IDC_BARCODE_STOP_COMBO}) {
    fill(combo, 4, [](int i) { return std::u16string(kLetters[i]); });
  }
  fill(IDC_BARCODE_HRI_COMBO, kHriCount,
       [](int i) { return LoadSectionText(IDS_BARCODE_HRI_FIRST + i, kHriTexts[i]); });
  fill(IDC_BARCODE_ROTATE_COMBO, kRotateCount,
       [](int i) { return LoadSectionText(IDS_BARCODE_ROTATE_FIRST + i, kRotateTexts[i]); });

  loading_ = true;
  for (SpinBinding* spin : {&width_spin_, &height_spin_}) {
    if (std::uint32_t code = spin->Bind()) {
      loading_ = false;
      return code;
    }
  }
  port_.SetInputMode(IDC_BARCODE_WIDTH_EDIT, EditMode::kDigits);
  port_.SetInputMode(IDC_BARCODE_HEIGHT_EDIT, EditMode::kDigits);
  width_spin_.SetRange(kBarcodeWidthMin, kBarcodeWidthMax);
  height_spin_.SetRange(kBarcodeHeightMin, kBarcodeHeightMax);
  port_.SetInputMode(IDC_BARCODE_DATA_EDIT, EditMode::kLatin1);
  port_.SetTextLimit(IDC_BARCODE_DATA_EDIT, kTestDataLimit);
  SelectRadio(port_, {IDC_BARCODE_LEFT, IDC_BARCODE_CENTER, IDC_BARCODE_RIGHT}, IDC_BARCODE_LEFT,
              &position_button_);
  SelectRadio(port_, {IDC_BARCODE_INFO_ON, IDC_BARCODE_INFO_OFF}, IDC_BARCODE_INFO_OFF,
              &info_button_);
  Load();
  ProposeTestData();
  loading_ = false;
  Refresh();
  return kResultOk;
}

void BarcodeFontSection::Load() {
  const bool was_loading = loading_;
  loading_ = true;
  const BarcodeFontSettings& g = Group();
  port_.ComboSelectByData(IDC_BARCODE_FONT_COMBO, context_->WorkingSettings.byBarcodeFont);
  port_.ComboSelectByData(IDC_BARCODE_SYSTEM_COMBO, g.bySystem);
  port_.ComboSelectByData(IDC_BARCODE_START_COMBO, g.byStartChar);
  port_.ComboSelectByData(IDC_BARCODE_STOP_COMBO, g.byStopChar);
  port_.ComboSelectByData(IDC_BARCODE_HRI_COMBO, g.byHri);
  port_.ComboSelectByData(IDC_BARCODE_ROTATE_COMBO, g.byRotate);
  width_spin_.SetPos(g.byModuleWidth);
  height_spin_.SetPos(g.byHeight);
  SelectRadio(port_, {IDC_BARCODE_HEX_ENABLED, IDC_BARCODE_HEX_DISABLED},
              g.byHexInput > 0 ? IDC_BARCODE_HEX_ENABLED : IDC_BARCODE_HEX_DISABLED, &hex_button_);
  loading_ = was_loading;
}

void BarcodeFontSection::ProposeTestData() {
  const bool was_loading = loading_;
  loading_ = true;
  port_.SetEditText(IDC_BARCODE_DATA_EDIT, BarcodeDefaultData(Group().bySystem));
  loading_ = was_loading;
}

void BarcodeFontSection::Refresh() {
  const bool codabar = port_.ComboSelectedData(IDC_BARCODE_SYSTEM_COMBO) == kCodabar;
  const bool can_change = context_->bCanChange != 0;
  for (int id : kStartStopControls) {
    port_.Show(id, codabar);
    port_.Enable(id, codabar && can_change);
  }
  port_.Enable(IDC_BARCODE_PRINT, !port_.GetText(IDC_BARCODE_DATA_EDIT).empty());
}

void BarcodeFontSection::Store() {
  BarcodeFontSettings& g = Group();
  auto combo = [this](int id, std::uint8_t* field, int count) {
    const std::int32_t data = port_.ComboSelectedData(id);
    // An empty combo's -1 would be stored as 255.
    if (data >= 0 && data < count) *field = static_cast<std::uint8_t>(data);
  };
  combo(IDC_BARCODE_SYSTEM_COMBO, &g.bySystem, kSystemCount);
  combo(IDC_BARCODE_START_COMBO, &g.byStartChar, 4);
  combo(IDC_BARCODE_STOP_COMBO, &g.byStopChar, 4);
  combo(IDC_BARCODE_HRI_COMBO, &g.byHri, kHriCount);
  combo(IDC_BARCODE_ROTATE_COMBO, &g.byRotate, kRotateCount);
  g.byModuleWidth = static_cast<std::uint8_t>(std::clamp(
      EditDigitsValue(port_.GetText(IDC_BARCODE_WIDTH_EDIT), kBarcodeWidthMin, kBarcodeWidthMax),
      kBarcodeWidthMin, kBarcodeWidthMax));
  g.byHeight = static_cast<std::uint8_t>(std::clamp(
      EditDigitsValue(port_.GetText(IDC_BARCODE_HEIGHT_EDIT), kBarcodeHeightMin, kBarcodeHeightMax),
      kBarcodeHeightMin, kBarcodeHeightMax));
  g.byHexInput = port_.IsChecked(IDC_BARCODE_HEX_ENABLED) ? 1 : 0;
  g.byNWRatio = 1;
}

std::uint32_t BarcodeFontSection::OnComboChange(int id) {
  if (std::find(std::begin(kCombos), std::end(kCombos), id) == std::end(kCombos)) {
    return kResultInvalid;
  }
  const int chosen = port_.ComboSelectedIndex(id);
  if (chosen < 0) return kResultInvalid;
  const std::int32_t data = port_.ComboSelectedData(id);
  if (data == port_.ComboLastSelectedData(id)) return kResultOk;
  port_.ComboSelectIndex(id, chosen);
  const auto value = static_cast<std::uint8_t>(data);
  BarcodeFontSettings& g = Group();
  switch (id) {
    case IDC_BARCODE_FONT_COMBO:
      Store();
      context_->WorkingSettings.byBarcodeFont = value;
      Load();
      ProposeTestData();
      break;
    case IDC_BARCODE_SYSTEM_COMBO:
      g.bySystem = value;
      ProposeTestData();
      break;
    case IDC_BARCODE_START_COMBO:
      g.byStartChar = value;
      break;
    case IDC_BARCODE_STOP_COMBO:
      g.byStopChar = value;
      break;
    case IDC_BARCODE_HRI_COMBO:
      g.byHri = value;
      break;
    default:
      g.byRotate = value;
      break;
  }
  Refresh();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t BarcodeFontSection::OnClicked(int id) {
  switch (id) {
    case IDC_BARCODE_PRINT:
      return PrintTest();
    case IDC_BARCODE_HEX_ENABLED:
    case IDC_BARCODE_HEX_DISABLED:
      if (SelectRadio(port_, {IDC_BARCODE_HEX_ENABLED, IDC_BARCODE_HEX_DISABLED}, id,
                      &hex_button_)) {
        port_.NotifyChanged(port_.Sheet(), port_.Parent());
      }
      return kResultOk;
    case IDC_BARCODE_LEFT:
    case IDC_BARCODE_CENTER:
    case IDC_BARCODE_RIGHT:
      SelectRadio(port_, {IDC_BARCODE_LEFT, IDC_BARCODE_CENTER, IDC_BARCODE_RIGHT}, id,
                  &position_button_);
      return kResultOk;
    case IDC_BARCODE_INFO_ON:
    case IDC_BARCODE_INFO_OFF:
      SelectRadio(port_, {IDC_BARCODE_INFO_ON, IDC_BARCODE_INFO_OFF}, id, &info_button_);
      return kResultOk;
    default:
      return kResultInvalid;
  }
}

std::uint32_t BarcodeFontSection::OnEditChange(int id) {
  if (loading_) return kResultOk;
  if (id == IDC_BARCODE_DATA_EDIT) {
    Refresh();
    return kResultOk;
  }
  for (const Bounds& b : kNumberEdits) {
    if (b.edit != id) continue;
    const int value = EditDigitsValue(port_.GetText(id), b.min, b.max);
    if (value < b.min || value > b.max) {
      int start = 0;
      int end = 0;
      port_.GetSelection(id, &start, &end);
      loading_ = true;
      port_.SetEditText(id, DecimalText(static_cast<unsigned>(value < b.min ? b.min : b.max)));
      loading_ = false;
      port_.SetSelection(id, start, start);
    }
    port_.NotifyChanged(port_.Sheet(), port_.Parent());
    return kResultOk;
  }
  return kResultInvalid;
}

std::uint32_t BarcodeFontSection::OnSpin(HWND updown) {
  SpinBinding* spin = updown == port_.Item(IDC_BARCODE_WIDTH_SPIN)    ? &width_spin_
                      : updown == port_.Item(IDC_BARCODE_HEIGHT_SPIN) ? &height_spin_
                                                                      : nullptr;
  if (spin == nullptr) return kResultInvalid;
  const std::u16string before = port_.GetText(spin->edit_id());
  loading_ = true;
  spin->SetPos(spin->Pos());
  loading_ = false;
  if (port_.GetText(spin->edit_id()) != before) {
    port_.NotifyChanged(port_.Sheet(), port_.Parent());
  }
  return kResultOk;
}

std::vector<TestInfoLine> BarcodeFontSection::InfoLines(const BarcodeFontSettings& g) {
  const std::uint8_t font = context_->WorkingSettings.byBarcodeFont;
  std::vector<TestInfoLine> lines;
  lines.push_back({InfoLabel(IDS_INFO_FONT_NAME),
                   font < font_names_.size() ? font_names_[font] : std::u16string()});
  lines.push_back({InfoLabel(IDS_INFO_SYSTEM), BarcodeSystemName(g.bySystem)});
  if (g.bySystem == kCodabar) {
    lines.push_back({InfoLabel(IDS_INFO_START), g.byStartChar < 4 ? kLetters[g.byStartChar] : u""});
    lines.push_back({InfoLabel(IDS_INFO_STOP), g.byStopChar < 4 ? kLetters[g.byStopChar] : u""});
  }
  // The stored numbers, not the edits' texts: those may hold any run of
  // digits.
  lines.push_back({InfoLabel(IDS_INFO_WIDTH), DecimalText(g.byModuleWidth)});
  lines.push_back({InfoLabel(IDS_INFO_HEIGHT), DecimalText(g.byHeight)});
  lines.push_back({InfoLabel(IDS_INFO_HRI), BarcodeHriName(g.byHri)});
  lines.push_back({InfoLabel(IDS_INFO_HEX_INPUT), HexInputInfoText(g.byHexInput != 0)});
  lines.push_back({InfoLabel(IDS_INFO_ROTATE), RotateInfoText(g.byRotate)});
  const auto position = static_cast<TestPosition>(position_button_ - IDC_BARCODE_LEFT);
  lines.push_back({InfoLabel(IDS_INFO_POSITION), PositionInfoText(position)});
  return lines;
}

std::uint32_t BarcodeFontSection::PrintTest() {
  std::u16string text = port_.GetText(IDC_BARCODE_DATA_EDIT);
  if (text.size() > static_cast<std::size_t>(kTestDataReadMax)) text.resize(kTestDataReadMax);
  const auto position = static_cast<TestPosition>(position_button_ - IDC_BARCODE_LEFT);
  const bool info = info_button_ == IDC_BARCODE_INFO_ON;
  Store();
  BarcodeFontSettings& g = Group();
  if (std::uint32_t code = CheckBarcodeTestData(g, text, context_->hPrinter)) return code;
  BarcodeTestJob job;
  job.printer = context_->hPrinter;
  job.document_name = LoadSectionText(IDS_BARCODE_TEST_DOCUMENT, u"KVT BarCode Font Test Print");
  job.log_area = L"Barcode";
  job.dump_title = L"Output Barcode";
  job.head = BuildTestJobHead(position, info, info ? InfoLines(g) : std::vector<TestInfoLine>{});
  job.group_1d = reinterpret_cast<std::uint8_t*>(&g);
  job.text = text;
  return SendBarcodeTestJob(job);
}

std::uint32_t BarcodeFontSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                           bool* handled) {
  *handled = true;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t code = NotifyCode(wparam);
      if (code == kCbnSelChange) return OnComboChange(id);
      if (code == kEnChange) return OnEditChange(id);
      if (code == kBnClicked) {
        const std::uint32_t result = OnClicked(id);
        if (result != kResultOk) {
          ShowCodedMessage(__LINE__, port_.Window(), result, kMbOk | kMbIconError);
        }
        return result;
      }
      break;
    }
    case kMsgEditNotify:
      if (NotifyCode(wparam) == kEditCodeChanged || NotifyCode(wparam) == kEditCodeFocusLost) {
        return OnEditChange(NotifyId(wparam));
      }
      break;
    case kWmVScroll:
      if (OnSpin(reinterpret_cast<HWND>(lparam)) == kResultOk) return kResultOk;
      break;
    case kDsmScaleLayout:
      ScaleWithSecondFont(port_, static_cast<int>(wparam),
                          reinterpret_cast<const DialogFont*>(lparam));
      return kResultOk;
    case kDsmDisableAll:
      if (context_ != nullptr) DisableSectionControls(port_, *context_);
      return kResultOk;
    case kDsmStore:
      if (context_ != nullptr) Store();
      return kResultOk;
    case kWmDestroy:
      width_spin_.Unbind();
      height_spin_.Unbind();
      return kResultOk;
    default:
      break;
  }
  *handled = false;
  return kResultOk;
}

}  // namespace kvt
