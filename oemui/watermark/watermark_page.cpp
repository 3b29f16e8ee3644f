#include "oemui/watermark/watermark_page.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/doc_ui_state.h"
#include "core/module_state.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "oemui/watermark/nv_watermark_test_print.h"
#include "oemui/watermark/position_grid.h"
#include "oemui/watermark/watermark_list.h"
#include "platform/last_error.h"
#include "platform/string_table.h"
#include "resources/resource_ids.h"
#include "resources/watermark_page_ids.h"

namespace kvt {
namespace {

constexpr wchar_t kLogArea[] = L"Water mark";
constexpr std::size_t kTextChars = 256;
constexpr int kKeycodeChars = 3;
constexpr int kComboFieldAir = 4;
constexpr UINT kWmVScroll = 0x0115;
constexpr std::uint16_t kCbnCloseUp = 8;
constexpr std::uint16_t kCbnSelEndOk = 9;
constexpr std::uint8_t kPresetUserSetting = 6;
constexpr int kDensityMin = 1;
constexpr int kDensityMax = 100;
constexpr int kScaleMin = 10;
constexpr int kScaleMax = 300;

// Mode masks: None, NV Image, the image-file mode, and the grid's redraw bit.
constexpr unsigned kShowNone = 1;
constexpr unsigned kShowNvImage = 2;
constexpr unsigned kShowImageFile = 4;
constexpr unsigned kRedrawGrid = 8;

struct Visibility {
  int first_id;
  int last_id;
  unsigned shown_in;
};

constexpr Visibility kVisibility[] = {
    {IDC_WATERMARK_KEYCODE_LABEL, IDC_WATERMARK_KEYCODE_RANGE, kShowNvImage | kShowImageFile},
    {IDC_WATERMARK_KEYCODE_EDIT, IDC_WATERMARK_KEYCODE_UPDOWN, kShowNvImage},
    {IDC_WATERMARK_FILE_EDIT, IDC_WATERMARK_FILE_BROWSE, kShowImageFile},
    {IDC_WATERMARK_POSITION_LABEL, IDC_WATERMARK_POSITION_GROUP, kShowNvImage | kShowImageFile},
    {IDC_WATERMARK_POSITION_PICTURE, IDC_WATERMARK_POSITION_PICTURE, kShowNvImage | kShowImageFile},
    {IDC_WATERMARK_POSITION_FIRST, IDC_WATERMARK_POSITION_LAST,
     kShowNvImage | kShowImageFile | kRedrawGrid},
    {IDC_WATERMARK_DENSITY_GROUP, IDC_WATERMARK_DENSITY_LABEL, kShowImageFile},
    {IDC_WATERMARK_RESIZE_GROUP, IDC_WATERMARK_SCALE_LABEL, kShowImageFile},
    {IDC_WATERMARK_TEST_PRINT_GROUP, IDC_WATERMARK_PRINT, kShowNvImage | kShowImageFile},
};

unsigned ModeMask(std::int32_t mode) {
  return mode == 1 ? kShowNvImage : mode == 2 ? kShowImageFile : kShowNone;
}

// "%02d" of a key code.
std::u16string TwoDigits(int value) {
  std::u16string text;
  text += static_cast<char16_t>(u'0' + value / 10 % 10);
  text += static_cast<char16_t>(u'0' + value % 10);
  return text;
}

// The leading digits of |text| as a key code, at most 99; nothing when the
// text starts with no digit.
std::optional<int> KeycodeOf(const std::u16string& text) {
  int value = 0;
  std::size_t digits = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = std::min(value * 10 + (c - u'0'), 1000);
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return std::min(value, static_cast<int>(kNvKeycodeMax));
}

// The record's file name up to its terminator, which is taken to be at the
// field's last character at the latest.
std::u16string FileNameOf(const PrivateSettings& settings) {
  const char16_t* name = settings.szWatermarkFile;
  std::size_t length = 0;
  while (length < kWatermarkFileChars - 1 && name[length] != u'\0') ++length;
  return std::u16string(name, length);
}

int Number(DialogPort& port, int id) {
  const std::u16string text = port.GetText(id);
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = std::min(value * 10 + (c - u'0'), 100000);
  }
  return value;
}

void LogFailure(int line, HANDLE printer, const wchar_t* what) {
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, kLogError, kLogArea}, printer, L"%ls",
                 what);
}

}  // namespace

WatermarkPage::WatermarkPage(DialogPort& port, PageContext* context)
    : port_(port),
      context_(context),
      frame_(port, context),
      keycode_spin_(port, IDC_WATERMARK_KEYCODE_EDIT, IDC_WATERMARK_KEYCODE_UPDOWN) {}

bool WatermarkPage::IsGridButton(int id) { return GridPosition(id).has_value(); }

std::uint32_t WatermarkPage::OnInit() {
  if (context_ == nullptr) return kResultNoMemory;
  std::uint32_t code = port_.AttachCustom(IDC_WATERMARK_IMAGE_COMBO, CustomControl::kComboBox);
  if (code == kResultOk) {
    code = port_.AttachCustom(IDC_WATERMARK_KEYCODE_EDIT, CustomControl::kEdit);
  }
  for (int position = 0; position < kGridPositions && code == kResultOk; ++position) {
    code = port_.AttachCustom(GridButtonId(position), CustomControl::kRadioButton);
  }
  if (code == kResultOk) code = keycode_spin_.Bind();
  if (code != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Watermark controls");
    return code;
  }

  static const std::uint32_t kModeTexts[] = {IDS_WATERMARK_NONE, IDS_WATERMARK_NV_IMAGE};
  for (int mode = 0; mode < 2; ++mode) {
    std::u16string text;
    Service<StringTable>().Load(ModuleInstance(), kModeTexts[mode], kTextChars, &text);
    port_.ComboAddItem(IDC_WATERMARK_IMAGE_COMBO, mode, ComboItem{text, mode});
  }
  port_.ComboRebuild(IDC_WATERMARK_IMAGE_COMBO);
  // The selection field as high as the dialog's font, and a little air.
  if (DialogFont font; port_.GetFont(&font)) {
    port_.ComboSetItemHeight(IDC_WATERMARK_IMAGE_COMBO, -1,
                             (font.height < 0 ? -font.height : font.height) + kComboFieldAir);
  }
  port_.SetInputMode(IDC_WATERMARK_KEYCODE_EDIT, EditMode::kDigits);
  keycode_spin_.SetRange(0, kNvKeycodeMax);
  keycode_spin_.SetLimit(kKeycodeChars);
  for (int id : {IDC_WATERMARK_FILE_EDIT, IDC_WATERMARK_DENSITY_EDIT, IDC_WATERMARK_WIDTH_EDIT,
                 IDC_WATERMARK_HEIGHT_EDIT, IDC_WATERMARK_SCALE_EDIT}) {
    port_.SetReadOnly(id, true);
  }
  port_.SetTextLimit(IDC_WATERMARK_FILE_EDIT, kWatermarkFileChars - 1);
  port_.TrackSetRange(IDC_WATERMARK_DENSITY_SLIDER, kDensityMin, kDensityMax);
  port_.TrackSetTicFrequency(IDC_WATERMARK_DENSITY_SLIDER, 10);
  port_.TrackSetRange(IDC_WATERMARK_SCALE_SLIDER, kScaleMin, kScaleMax);
  port_.TrackSetTicFrequency(IDC_WATERMARK_SCALE_SLIDER, 30);
  port_.SetCheck(IDC_WATERMARK_INFO_ON, false);
  port_.SetCheck(IDC_WATERMARK_INFO_OFF, true);
  LoadControls();

  preview_ = std::make_unique<WatermarkPreview>(ModuleInstance());
  if ((code = frame_.AttachPictureAndList([this] { return Compose(); })) != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Preview, splitter or settings list");
    return code;
  }
  initialised_ = true;
  Refresh();
  if ((code = BuildWatermarkList(port_, kSettingsListId)) != kResultOk ||
      (code = RefreshList()) != kResultOk) {
    LogFailure(__LINE__, context_->hPrinter, L"Settings list");
    return code;
  }
  if (!CanChange()) {
    // Once: Refresh never enables anything while the user may not change.
    HWND keep[] = {port_.Item(kPreviewId), port_.Item(kSplitterId), port_.Item(kSettingsListId)};
    for (HWND child : port_.Children()) {
      if (std::find(std::begin(keep), std::end(keep), child) == std::end(keep)) {
        port_.EnableChild(child, false);
      }
    }
  }
  return kResultOk;
}

void WatermarkPage::LoadControls() {
  const PrivateSettings& s = working();
  port_.ComboSelectByData(IDC_WATERMARK_IMAGE_COMBO, s.byWatermark);
  WriteKeycode(std::min<int>(s.byWatermarkKeycode, kNvKeycodeMax));
  CheckPosition(s.byWatermarkPosition < kGridPositions ? s.byWatermarkPosition : 0);
  loaded_file_ = FileNameOf(s);
  port_.SetText(IDC_WATERMARK_FILE_EDIT, loaded_file_);
  port_.TrackSetPos(IDC_WATERMARK_DENSITY_SLIDER, s.byWatermarkDensity);
  port_.SetNumber(IDC_WATERMARK_DENSITY_EDIT,
                  static_cast<std::uint32_t>(port_.TrackPos(IDC_WATERMARK_DENSITY_SLIDER)));
  port_.TrackSetPos(IDC_WATERMARK_SCALE_SLIDER, s.wWatermarkScale);
  port_.SetNumber(IDC_WATERMARK_SCALE_EDIT,
                  static_cast<std::uint32_t>(port_.TrackPos(IDC_WATERMARK_SCALE_SLIDER)));
  port_.SetCheck(IDC_WATERMARK_FIT_PAPER, s.byWatermarkFitPaper != 0);
}

void WatermarkPage::CheckPosition(int position) {
  for (int p = 0; p < kGridPositions; ++p) port_.SetCheck(GridButtonId(p), p == position);
}

void WatermarkPage::WriteKeycode(int value) {
  // The up-down control first: with its buddy it writes "%d" itself.
  port_.SpinSetPos(IDC_WATERMARK_KEYCODE_UPDOWN, value);
  port_.SetEditText(IDC_WATERMARK_KEYCODE_EDIT, TwoDigits(value));
}

void WatermarkPage::Refresh() {
  const unsigned mask = ModeMask(port_.ComboSelectedData(IDC_WATERMARK_IMAGE_COMBO));
  for (const Visibility& row : kVisibility) {
    const bool shown = (row.shown_in & mask) != 0;
    for (int id = row.first_id; id <= row.last_id; ++id) {
      port_.Show(id, shown);
      port_.Enable(id, shown && CanChange());
    }
    if ((row.shown_in & kRedrawGrid) != 0) port_.Redraw(kGridPictureControl);
  }
}

std::uint32_t WatermarkPage::Compose() {
  if (preview_ == nullptr) return kResultOk;
  const DocUiState* ui = frame_.ui_state();
  const bool landscape = ui != nullptr && ui->bLandscape == 1;
  const PrivateSettings& s = working();
  const std::uintptr_t cursor = port_.ShowWaitCursor();
  CMyDibSection2 picture;
  std::uint32_t code =
      preview_->Compose(s.byWatermark, s.byWatermarkPosition, s.byDirection, landscape, &picture);
  if (code == kResultOk) code = port_.PreviewSetImage(kPreviewId, picture);
  port_.RestoreCursor(cursor);
  return code;
}

std::uint32_t WatermarkPage::RefreshList() {
  if (!initialised_) return kResultOk;
  WatermarkListExtras extras;
  extras.keycode_text = port_.GetText(IDC_WATERMARK_KEYCODE_EDIT);
  extras.width = Number(port_, IDC_WATERMARK_WIDTH_EDIT);
  extras.height = Number(port_, IDC_WATERMARK_HEIGHT_EDIT);
  return RefreshWatermarkList(port_, kSettingsListId, context_->WorkingSettings,
                              context_->AppliedSettings, extras);
}

std::uint32_t WatermarkPage::Collect() {
  PrivateSettings& s = working();
  const PrivateSettings before = s;
  const std::int32_t mode = port_.ComboSelectedData(IDC_WATERMARK_IMAGE_COMBO);
  if (mode >= 0) s.byWatermark = static_cast<std::uint8_t>(mode);
  s.byWatermarkKeycode =
      static_cast<std::uint8_t>(KeycodeOf(port_.GetText(IDC_WATERMARK_KEYCODE_EDIT)).value_or(0));
  s.byWatermarkPosition = 0;
  for (int p = 0; p < kGridPositions; ++p) {
    if (port_.IsChecked(GridButtonId(p))) {
      s.byWatermarkPosition = static_cast<std::uint8_t>(p);
      break;
    }
  }
  s.byWatermarkDensity = static_cast<std::uint8_t>(
      std::clamp(port_.TrackPos(IDC_WATERMARK_DENSITY_SLIDER), kDensityMin, kDensityMax));
  s.wWatermarkScale = static_cast<std::uint16_t>(
      std::clamp(port_.TrackPos(IDC_WATERMARK_SCALE_SLIDER), kScaleMin, kScaleMax));
  s.byWatermarkFitPaper = port_.IsChecked(IDC_WATERMARK_FIT_PAPER) ? 1 : 0;
  // The name is written only when it changed, at most 259 characters and
  // always terminated; an untouched one stays byte for byte as it came.
  std::u16string file = port_.GetText(IDC_WATERMARK_FILE_EDIT);
  if (file.size() > kWatermarkFileChars - 1) file.resize(kWatermarkFileChars - 1);
  if (file != loaded_file_) {
    std::fill(std::begin(s.szWatermarkFile), std::end(s.szWatermarkFile), u'\0');
    std::copy(file.begin(), file.end(), s.szWatermarkFile);
    loaded_file_ = file;
  }
  const std::uint32_t code = RefreshList();
  if (std::memcmp(&before, &s, sizeof(PrivateSettings)) != 0) {
    port_.NotifyChanged(port_.Parent(), nullptr);
  }
  return code;
}

bool WatermarkPage::AskImageQuestion() {
  const DocUiState* ui = frame_.ui_state();
  const PrivateSettings& s = working();
  if (ui == nullptr || ui->bIpdFontUsable == 0 || ui->bLandscape != 0 || s.byWatermark != 0 ||
      s.byDirection != 0 || s.byReduction != 0) {
    return true;
  }
  asking_ = true;
  const int answer = ShowCodedMessage(__LINE__, port_.Window(), kWatermarkQuestionCode,
                                      kMbOkCancel | kMbIconWarning);
  asking_ = false;
  if (answer != kIdOk) return false;
  working().byPreset = kPresetUserSetting;
  return true;
}

std::uint32_t WatermarkPage::OnImageChange() {
  // While the question is up the list can report again; its answer decides.
  if (asking_) return kResultOk;
  if (port_.ComboSelectedData(IDC_WATERMARK_IMAGE_COMBO) > 0 && !AskImageQuestion()) {
    port_.ComboSelectByData(IDC_WATERMARK_IMAGE_COMBO, 0);
    return kResultOk;
  }
  Refresh();
  std::uint32_t code = Collect();
  if (std::uint32_t composed = Compose(); code == kResultOk) code = composed;
  ::kvt::RefreshIpdFontUsable(frame_.ui_state());
  return code;
}

std::uint32_t WatermarkPage::OnClick(int id) {
  // The page keeps each choice to one button itself: wine's automatic
  // radio buttons leave the others of the group checked (and a grid button
  // clicked over the picture unchecked).
  if (const std::optional<int> position = GridPosition(id)) {
    CheckPosition(*position);
  } else if (id == IDC_WATERMARK_INFO_ON || id == IDC_WATERMARK_INFO_OFF) {
    port_.SetCheck(IDC_WATERMARK_INFO_ON, id == IDC_WATERMARK_INFO_ON);
    port_.SetCheck(IDC_WATERMARK_INFO_OFF, id == IDC_WATERMARK_INFO_OFF);
  }
  std::uint32_t code = Collect();
  if (IsGridButton(id)) {
    if (std::uint32_t composed = Compose(); code == kResultOk) code = composed;
  } else if (id == IDC_WATERMARK_PRINT) {
    if (std::uint32_t printed = TestPrint(); code == kResultOk) code = printed;
  }
  return code;
}

std::uint32_t WatermarkPage::OnArrow(UINT message, int id) {
  const std::optional<int> from = GridPosition(id);
  if (!from) return kResultInvalid;
  const std::optional<int> to = GridNeighbour(*from, message);
  if (!to) return kResultInvalid;
  port_.Focus(GridButtonId(*to));
  CheckPosition(*to);
  return OnClick(GridButtonId(*to));
}

std::uint32_t WatermarkPage::OnKeycodeTyped() {
  const std::optional<int> value = KeycodeOf(port_.GetText(IDC_WATERMARK_KEYCODE_EDIT));
  WriteKeycode(value.value_or(0));
  port_.SetSelection(IDC_WATERMARK_KEYCODE_EDIT, 2, 2);
  return Collect();
}

std::uint32_t WatermarkPage::OnSpin() {
  port_.SetEditText(
      IDC_WATERMARK_KEYCODE_EDIT,
      TwoDigits(std::clamp<int>(port_.SpinPos(IDC_WATERMARK_KEYCODE_UPDOWN), 0, kNvKeycodeMax)));
  return Collect();
}

std::uint32_t WatermarkPage::TestPrint() {
  const PrivateSettings& s = working();
  if (s.byWatermark != 1) return kResultOk;
  const bool info =
      port_.IsChecked(IDC_WATERMARK_INFO_ON) && !port_.IsChecked(IDC_WATERMARK_INFO_OFF);
  return PrintNvWatermarkTest(context_->hPrinter, s.byWatermarkKeycode, info);
}

std::uint32_t WatermarkPage::OnSetActive() {
  frame_.LayOutAroundKeptSplitter();
  // Another page may have changed the record (a preset turns the image off).
  port_.ComboSelectByData(IDC_WATERMARK_IMAGE_COMBO, working().byWatermark);
  Refresh();
  std::uint32_t code = Compose();
  if (std::uint32_t listed = RefreshList(); code == kResultOk) code = listed;
  WriteKeycode(std::min<int>(working().byWatermarkKeycode, kNvKeycodeMax));
  return code;
}

std::uint32_t WatermarkPage::OnApply() {
  WriteKeycode(std::min<int>(working().byWatermarkKeycode, kNvKeycodeMax));
  std::memcpy(&context_->AppliedSettings, &context_->WorkingSettings, sizeof(PrivateSettings));
  const PrivateSettings& s = context_->AppliedSettings;
  const std::uint32_t error = GetThreadLastError();
  WriteDriverLog(LogSource{kModuleDriverUi, __LINE__, error, kLogInfo, kLogArea},
                 context_->hPrinter, L"WaterMark Apply [mode:%d/Id:%d/Pos:%d]",
                 static_cast<int>(s.byWatermark), static_cast<int>(s.byWatermarkKeycode),
                 static_cast<int>(s.byWatermarkPosition));
  ReportApplied(context_);
  return RefreshList();
}

std::uint32_t WatermarkPage::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  std::uint32_t code = kResultOk;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t notify = NotifyCode(wparam);
      if (id == IDC_WATERMARK_IMAGE_COMBO &&
          (notify == kCbnSelChange || notify == kCbnCloseUp || notify == kCbnSelEndOk)) {
        code = OnImageChange();
      } else if (id != IDC_WATERMARK_IMAGE_COMBO && notify == kBnClicked) {
        code = OnClick(id);
      } else {
        *handled = false;
        return kResultUnhandledCommand;
      }
      break;
    }
    case kWmNotify: {
      const auto* header = reinterpret_cast<const NotifyHeader*>(lparam);
      if (header == nullptr) return kResultInvalid;
      code = RouteSheetNotification(*this, *header, handled);
      break;
    }
    case kDsmSplitterMoved:
      frame_.LayOutAroundSplitter(static_cast<std::int16_t>(NotifyCode(wparam)));
      break;
    case kMsgRadioUp:
    case kMsgRadioDown:
    case kMsgRadioLeft:
    case kMsgRadioRight:
      code = OnArrow(message, NotifyId(wparam));
      break;
    case kMsgEditNotify:
      if (NotifyId(wparam) != IDC_WATERMARK_KEYCODE_EDIT ||
          NotifyCode(wparam) != kEditCodeChanged) {
        *handled = false;
        return kResultOk;
      }
      code = OnKeycodeTyped();
      break;
    case kWmVScroll:
      if (lparam == 0 ||
          reinterpret_cast<HWND>(lparam) != port_.Item(IDC_WATERMARK_KEYCODE_UPDOWN)) {
        *handled = false;
        return kResultOk;
      }
      code = OnSpin();
      break;
    default:
      *handled = false;
  }
  frame_.ShowFailure(code);
  return code;
}

}  // namespace kvt
