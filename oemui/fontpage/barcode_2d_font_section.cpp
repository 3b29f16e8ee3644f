#include "oemui/fontpage/barcode_2d_font_section.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "barcode/barcode_command.h"
#include "core/result_codes.h"
#include "oemui/fontpage/barcode_section_util.h"
#include "oemui/page_messages.h"
#include "oemui/section_frame.h"
#include "oemui/tools/coded_message.h"
#include "resources/font_page_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr int kFieldMargin = 4;
constexpr int kSystemCount = 2;
constexpr int kRotateCount = 4;
constexpr int kModuleHeightRows = 126;  // "2" to "127"
constexpr int kQrSizeRows = 10;         // "2" to "11"
constexpr int kPdf417SizeRows = 3;      // "2" to "4"
constexpr int kQrLevels = 4;
constexpr int kPdf417Levels = 9;
constexpr std::uint8_t kModel = 2;
constexpr std::uint8_t kQrMode = 77;  // 'M'

constexpr int kCombos[] = {IDC_BARCODE_2D_FONT_COMBO, IDC_BARCODE_2D_SYSTEM_COMBO,
                           IDC_BARCODE_2D_SIZE_COMBO, IDC_BARCODE_2D_HEIGHT_COMBO,
                           IDC_BARCODE_2D_ECL_COMBO,  IDC_BARCODE_2D_ROTATE_COMBO};
// Shown and enabled for PDF417 only.
constexpr int kModuleHeightControls[] = {IDC_BARCODE_2D_HEIGHT_LABEL, IDC_BARCODE_2D_HEIGHT_LINE,
                                         IDC_BARCODE_2D_HEIGHT_COMBO, IDC_BARCODE_2D_HEIGHT_UNIT};
constexpr const char16_t* kRotateTexts[kRotateCount] = {u"None", u"90 Degrees to Right",
                                                        u"180 Degrees", u"90 Degrees to Left"};
constexpr const char16_t* kLevelTexts[kQrLevels] = {u"L", u"M", u"Q", u"H"};

bool IsPdf417(std::uint8_t system) { return system == barcode2d::kPdf417; }

}  // namespace

int Barcode2DSizeRow(std::uint8_t system, std::uint8_t module_size) {
  if (IsPdf417(system) && module_size > 4) return 1;
  const int rows = IsPdf417(system) ? kPdf417SizeRows : kQrSizeRows;
  const int row = module_size - 2;
  return row >= 0 && row < rows ? row : -1;
}

Barcode2DFontSettings& Barcode2DFontSection::Group() {
  PrivateSettings& s = context_->WorkingSettings;
  // A record from elsewhere may name a group past the five.
  if (s.by2DBarcodeFont >= kBarcode2DFontCount) s.by2DBarcodeFont = 0;
  return s.barcode2DFonts[s.by2DBarcodeFont];
}

std::uint32_t Barcode2DFontSection::OnInit() {
  if (context_ == nullptr || port_.Window() == nullptr) return kResultNoMemory;
  for (int id : kCombos) {
    if (std::uint32_t code = port_.AttachCustom(id, CustomControl::kComboBox)) return code;
  }
  if (std::uint32_t code = port_.AttachCustom(IDC_BARCODE_2D_DATA_EDIT, CustomControl::kEdit)) {
    return code;
  }
  DialogFont font;
  if (port_.GetFont(&font)) {
    for (int id : kCombos) port_.ComboSetItemHeight(id, -1, std::abs(font.height) + kFieldMargin);
  }
  const std::u16string pattern = LoadSectionText(IDS_BARCODE_2D_FONT_NAME, u"IPD 2D-Barcode%d");
  for (int i = 0; i < kBarcode2DFontCount; ++i) {
    font_names_.push_back(FormatFontName(pattern, i + 1));
    port_.ComboAddItem(IDC_BARCODE_2D_FONT_COMBO, i, ComboItem{font_names_.back(), i});
  }
  port_.ComboAddItem(IDC_BARCODE_2D_SYSTEM_COMBO, 0,
                     ComboItem{LoadSectionText(IDS_BARCODE_2D_QR, u"QR Code Model-2"), 0});
  port_.ComboAddItem(IDC_BARCODE_2D_SYSTEM_COMBO, 1,
                     ComboItem{LoadSectionText(IDS_BARCODE_2D_PDF417, u"PDF417"), 1});
  for (int i = 0; i < kModuleHeightRows; ++i) {
    port_.ComboAddItem(IDC_BARCODE_2D_HEIGHT_COMBO, i,
                       ComboItem{DecimalText(static_cast<unsigned>(i + 2)), i});
  }
  for (int i = 0; i < kRotateCount; ++i) {
    port_.ComboAddItem(
        IDC_BARCODE_2D_ROTATE_COMBO, i,
        ComboItem{LoadSectionText(IDS_BARCODE_ROTATE_FIRST + i, kRotateTexts[i]), i});
  }
  for (int i = 0; i < kQrLevels; ++i) {
    levels_.push_back(LoadSectionText(IDS_BARCODE_ECL_FIRST + i, kLevelTexts[i]));
  }
  for (int id : {IDC_BARCODE_2D_FONT_COMBO, IDC_BARCODE_2D_SYSTEM_COMBO,
                 IDC_BARCODE_2D_HEIGHT_COMBO, IDC_BARCODE_2D_ROTATE_COMBO}) {
    port_.ComboRebuild(id);
  }
  FillSystemLists(Group().bySystem);
  SelectRadio(port_, {IDC_BARCODE_2D_LEFT, IDC_BARCODE_2D_CENTER, IDC_BARCODE_2D_RIGHT},
              IDC_BARCODE_2D_LEFT, &position_button_);
  SelectRadio(port_, {IDC_BARCODE_2D_INFO_ON, IDC_BARCODE_2D_INFO_OFF}, IDC_BARCODE_2D_INFO_OFF,
              &info_button_);
  port_.SetTextLimit(IDC_BARCODE_2D_DATA_EDIT, kTestDataLimit);
  Load();
  ProposeTestData();
  Refresh();
  return kResultOk;
}

void Barcode2DFontSection::FillSystemLists(std::uint8_t system) {
  const bool pdf = IsPdf417(system);
  const int sizes = pdf ? kPdf417SizeRows : kQrSizeRows;
  for (int i = 0; i < sizes; ++i) {
    port_.ComboAddItem(IDC_BARCODE_2D_SIZE_COMBO, i,
                       ComboItem{DecimalText(static_cast<unsigned>(i + 2)), i});
  }
  const int levels = pdf ? kPdf417Levels : kQrLevels;
  for (int i = 0; i < levels; ++i) {
    port_.ComboAddItem(IDC_BARCODE_2D_ECL_COMBO, i,
                       ComboItem{pdf ? DecimalText(static_cast<unsigned>(i)) : levels_[i], i});
  }
  port_.ComboRebuild(IDC_BARCODE_2D_SIZE_COMBO);
  port_.ComboRebuild(IDC_BARCODE_2D_ECL_COMBO);
}

void Barcode2DFontSection::Load() {
  const Barcode2DFontSettings& g = Group();
  port_.ComboSelectByData(IDC_BARCODE_2D_FONT_COMBO, context_->WorkingSettings.by2DBarcodeFont);
  port_.ComboSelectByData(IDC_BARCODE_2D_SYSTEM_COMBO, g.bySystem);
  port_.ComboSelectByData(IDC_BARCODE_2D_SIZE_COMBO, Barcode2DSizeRow(g.bySystem, g.byModuleSize));
  port_.ComboSelectByData(IDC_BARCODE_2D_HEIGHT_COMBO, g.byModuleHeight - 2);
  port_.ComboSelectByData(IDC_BARCODE_2D_ECL_COMBO, g.byErrorLevel);
  port_.ComboSelectByData(IDC_BARCODE_2D_ROTATE_COMBO, g.byRotate);
  SelectRadio(port_, {IDC_BARCODE_2D_HEX_ENABLED, IDC_BARCODE_2D_HEX_DISABLED},
              g.byHexInput > 0 ? IDC_BARCODE_2D_HEX_ENABLED : IDC_BARCODE_2D_HEX_DISABLED,
              &hex_button_);
}

void Barcode2DFontSection::ProposeTestData() {
  port_.SetEditText(IDC_BARCODE_2D_DATA_EDIT, Barcode2DDefaultData(Group().bySystem));
}

void Barcode2DFontSection::Refresh() {
  const bool pdf = port_.ComboSelectedData(IDC_BARCODE_2D_SYSTEM_COMBO) == barcode2d::kPdf417;
  const bool can_change = context_->bCanChange != 0;
  for (int id : kModuleHeightControls) {
    port_.Show(id, pdf);
    port_.Enable(id, pdf && can_change);
  }
  port_.Enable(IDC_BARCODE_2D_PRINT, !port_.GetText(IDC_BARCODE_2D_DATA_EDIT).empty());
}

void Barcode2DFontSection::Store() {
  Barcode2DFontSettings& g = Group();
  auto data = [this](int id, int count) -> int {
    const std::int32_t value = port_.ComboSelectedData(id);
    return value >= 0 && value < count ? static_cast<int>(value) : -1;
  };
  if (const int system = data(IDC_BARCODE_2D_SYSTEM_COMBO, kSystemCount); system >= 0) {
    g.bySystem = static_cast<std::uint8_t>(system);
  }
  const bool pdf = IsPdf417(g.bySystem);
  if (const int row = data(IDC_BARCODE_2D_SIZE_COMBO, pdf ? kPdf417SizeRows : kQrSizeRows);
      row >= 0) {
    g.byModuleSize = static_cast<std::uint8_t>(row + 2);
  }
  if (const int row = data(IDC_BARCODE_2D_HEIGHT_COMBO, kModuleHeightRows); row >= 0) {
    g.byModuleHeight = static_cast<std::uint8_t>(row + 2);
  }
  if (const int level = data(IDC_BARCODE_2D_ECL_COMBO, pdf ? kPdf417Levels : kQrLevels);
      level >= 0) {
    g.byErrorLevel = static_cast<std::uint8_t>(level);
  }
  if (const int rotate = data(IDC_BARCODE_2D_ROTATE_COMBO, kRotateCount); rotate >= 0) {
    g.byRotate = static_cast<std::uint8_t>(rotate);
  }
  g.byHexInput = port_.IsChecked(IDC_BARCODE_2D_HEX_ENABLED) ? 1 : 0;
  g.byModel = kModel;
  g.byParam2 = 0;
  g.byLines = 0;
  g.byColumns = 0;
  g.byMode = pdf ? 0 : kQrMode;
}

std::uint32_t Barcode2DFontSection::OnComboChange(int id) {
  if (std::find(std::begin(kCombos), std::end(kCombos), id) == std::end(kCombos)) {
    return kResultInvalid;
  }
  const int chosen = port_.ComboSelectedIndex(id);
  if (chosen < 0) return kResultInvalid;
  const std::int32_t data = port_.ComboSelectedData(id);
  if (data == port_.ComboLastSelectedData(id)) return kResultOk;
  port_.ComboSelectIndex(id, chosen);
  const auto value = static_cast<std::uint8_t>(data);
  Barcode2DFontSettings& g = Group();
  switch (id) {
    case IDC_BARCODE_2D_FONT_COMBO:
      Store();
      context_->WorkingSettings.by2DBarcodeFont = value;
      break;
    case IDC_BARCODE_2D_SYSTEM_COMBO:
      g.bySystem = value;
      break;
    case IDC_BARCODE_2D_SIZE_COMBO:
      g.byModuleSize = static_cast<std::uint8_t>(value + 2);
      break;
    case IDC_BARCODE_2D_HEIGHT_COMBO:
      g.byModuleHeight = static_cast<std::uint8_t>(value + 2);
      break;
    case IDC_BARCODE_2D_ECL_COMBO:
      g.byErrorLevel = value;
      break;
    default:
      g.byRotate = value;
      break;
  }
  if (id == IDC_BARCODE_2D_FONT_COMBO || id == IDC_BARCODE_2D_SYSTEM_COMBO) {
    FillSystemLists(Group().bySystem);
    Load();
    ProposeTestData();
  }
  Refresh();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t Barcode2DFontSection::OnClicked(int id) {
  switch (id) {
    case IDC_BARCODE_2D_PRINT:
      return PrintTest();
    case IDC_BARCODE_2D_HEX_ENABLED:
    case IDC_BARCODE_2D_HEX_DISABLED:
      if (SelectRadio(port_, {IDC_BARCODE_2D_HEX_ENABLED, IDC_BARCODE_2D_HEX_DISABLED}, id,
                      &hex_button_)) {
        port_.NotifyChanged(port_.Sheet(), port_.Parent());
      }
      return kResultOk;
    case IDC_BARCODE_2D_LEFT:
    case IDC_BARCODE_2D_CENTER:
    case IDC_BARCODE_2D_RIGHT:
      SelectRadio(port_, {IDC_BARCODE_2D_LEFT, IDC_BARCODE_2D_CENTER, IDC_BARCODE_2D_RIGHT}, id,
                  &position_button_);
      return kResultOk;
    case IDC_BARCODE_2D_INFO_ON:
    case IDC_BARCODE_2D_INFO_OFF:
      SelectRadio(port_, {IDC_BARCODE_2D_INFO_ON, IDC_BARCODE_2D_INFO_OFF}, id, &info_button_);
      return kResultOk;
    default:
      return kResultInvalid;
  }
}

std::vector<TestInfoLine> Barcode2DFontSection::InfoLines(const Barcode2DFontSettings& g) {
  const std::uint8_t font = context_->WorkingSettings.by2DBarcodeFont;
  const bool pdf = IsPdf417(g.bySystem);
  std::vector<TestInfoLine> lines;
  lines.push_back({InfoLabel(IDS_INFO_FONT_NAME),
                   font < font_names_.size() ? font_names_[font] : std::u16string()});
  lines.push_back({InfoLabel(IDS_INFO_SYSTEM), Barcode2DSystemName(g.bySystem)});
  lines.push_back({InfoLabel(IDS_INFO_SIZE), DecimalText(g.byModuleSize)});
  if (pdf) lines.push_back({InfoLabel(IDS_INFO_HEIGHT), DecimalText(g.byModuleHeight)});
  std::u16string level;
  if (pdf) {
    level = DecimalText(g.byErrorLevel);
  } else if (g.byErrorLevel < levels_.size()) {
    level = levels_[g.byErrorLevel];
  }
  lines.push_back({InfoLabel(IDS_INFO_ECL), level});
  lines.push_back({InfoLabel(IDS_INFO_ROTATE), RotateInfoText(g.byRotate)});
  lines.push_back({InfoLabel(IDS_INFO_HEX_INPUT), HexInputInfoText(g.byHexInput != 0)});
  const auto position = static_cast<TestPosition>(position_button_ - IDC_BARCODE_2D_LEFT);
  lines.push_back({InfoLabel(IDS_INFO_POSITION), PositionInfoText(position)});
  return lines;
}

std::uint32_t Barcode2DFontSection::PrintTest() {
  std::u16string text = port_.GetText(IDC_BARCODE_2D_DATA_EDIT);
  if (text.size() > static_cast<std::size_t>(kTestDataReadMax)) text.resize(kTestDataReadMax);
  const auto position = static_cast<TestPosition>(position_button_ - IDC_BARCODE_2D_LEFT);
  const bool info = info_button_ == IDC_BARCODE_2D_INFO_ON;
  Store();
  Barcode2DFontSettings& g = Group();
  if (std::uint32_t code = CheckBarcode2DTestData(g, text, context_->hPrinter)) return code;
  BarcodeTestJob job;
  job.printer = context_->hPrinter;
  job.document_name =
      LoadSectionText(IDS_BARCODE_2D_TEST_DOCUMENT, u"KVT 2D-BarCode Font Test Print");
  job.log_area = L"2D Barcode";
  job.dump_title = L"Output 2D Barcode";
  job.head = BuildTestJobHead(position, info, info ? InfoLines(g) : std::vector<TestInfoLine>{});
  job.group_2d = reinterpret_cast<std::uint8_t*>(&g);
  job.text = text;
  return SendBarcodeTestJob(job);
}

std::uint32_t Barcode2DFontSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam,
                                             bool* handled) {
  *handled = true;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t code = NotifyCode(wparam);
      if (code == kCbnSelChange) return OnComboChange(id);
      if (code == kEnChange && id == IDC_BARCODE_2D_DATA_EDIT) {
        Refresh();
        return kResultOk;
      }
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
      if (NotifyId(wparam) == IDC_BARCODE_2D_DATA_EDIT) {
        Refresh();
        return kResultOk;
      }
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
    default:
      break;
  }
  *handled = false;
  return kResultOk;
}

}  // namespace kvt
