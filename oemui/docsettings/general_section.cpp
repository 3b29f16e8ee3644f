#include "oemui/docsettings/general_section.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/form_size.h"
#include "core/module_state.h"
#include "core/result_codes.h"
#include "oemui/docsettings/preset_sections.h"
#include "oemui/docsettings/preset_values.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "platform/clock.h"
#include "platform/spooler.h"
#include "platform/string_table.h"
#include "platform/system_info.h"
#include "resources/pictures/picture_ids.h"
#include "resources/resource_ids.h"
#include "resources/settings_list_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr std::size_t kTextChars = 256;

struct SliderRule {
  int slider;
  int min, max, tic, page, line;
  int left, right;  // arrow buttons
  int step;         // per arrow press
};
constexpr SliderRule kSpeed = {IDC_GENERAL_SPEED_SLIDER, 0, 3, 1, 1, 1, IDC_GENERAL_SPEED_LEFT,
                               IDC_GENERAL_SPEED_RIGHT,  1};
constexpr SliderRule kDensity = {
    IDC_GENERAL_DENSITY_SLIDER, 70, 130, 10, 5, 5, IDC_GENERAL_DENSITY_LEFT,
    IDC_GENERAL_DENSITY_RIGHT,  5};
constexpr SliderRule kReduction = {
    IDC_GENERAL_REDUCTION_SLIDER, 25, 100, 15, 15, 1, IDC_GENERAL_REDUCTION_LEFT,
    IDC_GENERAL_REDUCTION_RIGHT,  1};
constexpr const SliderRule* kSliders[] = {&kSpeed, &kDensity, &kReduction};

constexpr int kArrowIds[] = {IDC_GENERAL_SPEED_LEFT,     IDC_GENERAL_SPEED_RIGHT,
                             IDC_GENERAL_DENSITY_LEFT,   IDC_GENERAL_DENSITY_RIGHT,
                             IDC_GENERAL_REDUCTION_LEFT, IDC_GENERAL_REDUCTION_RIGHT};

struct ComboRow {
  std::uint32_t string_id;
  std::int32_t value;
};
constexpr ComboRow kMarginRows[] = {{IDS_MARGIN_MINIMUM, 0},
                                    {IDS_MARGIN_MINIMUM_TOP, 1},
                                    {IDS_MARGIN_MINIMUM_BOTTOM, 2},
                                    {IDS_MARGIN_MAXIMUM, 3}};
// "Back to Front" is stored as 2.
constexpr ComboRow kDirectionRows[] = {{IDS_DIRECTION_FRONT_TO_BACK, 0},
                                       {IDS_DIRECTION_BACK_TO_FRONT, 2}};

constexpr int kComboIds[] = {IDC_GENERAL_MARGIN_COMBO, IDC_GENERAL_DIRECTION_COMBO,
                             IDC_GENERAL_REDUCTION_COMBO};
constexpr int kReductionScaleControls[] = {IDC_GENERAL_REDUCTION_MIN, IDC_GENERAL_REDUCTION_MAX,
                                           IDC_GENERAL_REDUCTION_LEFT, IDC_GENERAL_REDUCTION_RIGHT,
                                           IDC_GENERAL_REDUCTION_SLIDER};

constexpr std::uint8_t kModeNone = 0;
constexpr std::uint8_t kModeScale = 3;

const SliderRule* RuleOfArrow(int id) {
  for (const SliderRule* rule : kSliders) {
    if (rule->left == id || rule->right == id) return rule;
  }
  return nullptr;
}

}  // namespace

int SpeedPosition(std::uint8_t speed) {
  for (int position = 3; position >= 0; --position) {
    if (kSpeedMap[position] == speed) return position;
  }
  return -1;
}

int SnapDensity(int position, int scroll_code) {
  const int remainder = ((position % 5) + 5) % 5;
  if (scroll_code == kTbThumbPosition) {
    if (remainder == 1) return position + 4;
    if (remainder == 4) return position - 4;
    return position;
  }
  return remainder <= 2 ? position - remainder : position + 5 - remainder;
}

bool ArrowBitmaps(int id, std::uint32_t* image, std::uint32_t* mask) {
  const SliderRule* rule = RuleOfArrow(id);
  if (rule == nullptr) return false;
  const bool left = rule->left == id;
  *image = left ? IDB_STEP_LEFT : IDB_STEP_RIGHT;
  *mask = left ? IDB_STEP_LEFT_MASK : IDB_STEP_RIGHT_MASK;
  return true;
}

DocUiState* GeneralSection::ui_state() {
  if (context_ == nullptr || context_->pOemCuipParam == nullptr) return nullptr;
  return static_cast<DocUiState*>(context_->pOemCuipParam->pOEMUserData);
}

std::uint32_t GeneralSection::OnInit() {
  if (context_ == nullptr) return kResultNoMemory;
  can_change_ = context_->bCanChange != 0;
  for (const SliderRule* rule : kSliders) {
    port_.TrackSetRange(rule->slider, rule->min, rule->max);
    port_.TrackSetTicFrequency(rule->slider, rule->tic);
    port_.TrackSetPageSize(rule->slider, rule->page);
    if (rule == &kDensity) port_.TrackSetLineSize(rule->slider, rule->line);
  }
  for (int box : {IDC_GENERAL_SPEED_BOX, IDC_GENERAL_DENSITY_BOX, IDC_GENERAL_REDUCTION_BOX}) {
    port_.SetReadOnly(box, true);
  }
  DialogFont font;
  const int field_height = port_.GetFont(&font) ? std::abs(font.height) + 4 : 0;
  for (int combo : kComboIds) {
    if (std::uint32_t code = port_.AttachCustom(combo, CustomControl::kComboBox)) return code;
    if (field_height > 0) port_.ComboSetItemHeight(combo, -1, field_height);
  }

  auto fill = [this](int combo, const ComboRow* rows, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      std::u16string text;
      Service<StringTable>().Load(ModuleInstance(), rows[i].string_id, kTextChars, &text);
      port_.ComboAddItem(combo, static_cast<int>(i), ComboItem{text, rows[i].value});
    }
    port_.ComboRebuild(combo);
  };
  fill(IDC_GENERAL_MARGIN_COMBO, kMarginRows, std::size(kMarginRows));
  fill(IDC_GENERAL_DIRECTION_COMBO, kDirectionRows, std::size(kDirectionRows));

  // A printer whose driver cannot be named gets the first model's table.
  std::u16string driver_name;
  Service<Spooler>().GetPrinterDriverName(context_->hPrinter, &driver_name);
  reductions_ = &SelectReductionTable(driver_name);
  const std::uint16_t language = Service<SystemInfo>().UiLanguage();
  if (language == 0) return kResultInvalid;
  for (std::size_t row = 0; row < reductions_->count; ++row) {
    port_.ComboAddItem(IDC_GENERAL_REDUCTION_COMBO, static_cast<int>(row),
                       ComboItem{ReductionRowText(reductions_->pRows[row], language),
                                 static_cast<std::int32_t>(row)});
  }
  port_.ComboRebuild(IDC_GENERAL_REDUCTION_COMBO);

  Load();
  RefreshReduction(true);
  return kResultOk;
}

void GeneralSection::Load() {
  const PrivateSettings& s = working();
  initialize_button_ = s.byInitialize == 1 ? IDC_GENERAL_INIT_ENABLED : IDC_GENERAL_INIT_DISABLED;
  port_.SetCheck(IDC_GENERAL_INIT_ENABLED, s.byInitialize == 1);
  port_.SetCheck(IDC_GENERAL_INIT_DISABLED, s.byInitialize != 1);
  // A speed the map does not make leaves the slider where it is.
  if (const int position = SpeedPosition(s.bySpeed); position >= 0) {
    port_.TrackSetPos(IDC_GENERAL_SPEED_SLIDER, position);
  }
  port_.TrackSetPos(IDC_GENERAL_DENSITY_SLIDER, s.byDensity);
  port_.ComboSelectByData(IDC_GENERAL_MARGIN_COMBO, s.byMargin);
  port_.ComboSelectByData(IDC_GENERAL_DIRECTION_COMBO, s.byDirection);
  int row = 0;
  for (std::size_t i = 0; reductions_ != nullptr && i < reductions_->count; ++i) {
    if (reductions_->pRows[i].byMode == s.byReduction) {
      row = static_cast<int>(i);
      break;
    }
  }
  port_.ComboSelectByData(IDC_GENERAL_REDUCTION_COMBO, row);
  port_.TrackSetPos(IDC_GENERAL_REDUCTION_SLIDER, s.byReductionScale);
}

int GeneralSection::SelectedMode() {
  const std::int32_t row = port_.ComboSelectedData(IDC_GENERAL_REDUCTION_COMBO);
  if (reductions_ == nullptr || row < 0 || static_cast<std::size_t>(row) >= reductions_->count) {
    return kModeNone;
  }
  return reductions_->pRows[row].byMode;
}

std::uint32_t GeneralSection::RefreshReduction(bool keep) {
  port_.SetText(IDC_GENERAL_SPEED_BOX, u"");
  port_.SetText(IDC_GENERAL_DENSITY_BOX, DecimalText(port_.TrackPos(IDC_GENERAL_DENSITY_SLIDER)));
  const int mode = SelectedMode();
  // The scale controls follow the mode even when the form cannot be read.
  for (int id : kReductionScaleControls) port_.Enable(id, can_change_ && mode == kModeScale);

  int scale = 100;
  if (mode == kModeScale) {
    scale = port_.TrackPos(IDC_GENERAL_REDUCTION_SLIDER);
  } else if (mode != kModeNone) {
    const ReductionRow* row = nullptr;
    for (std::size_t i = 0; reductions_ != nullptr && i < reductions_->count; ++i) {
      if (reductions_->pRows[i].byMode == mode) row = &reductions_->pRows[i];
    }
    if (row == nullptr || row->dwWidthMm == 0) return kResultInvalid;
    // Only the Fit modes need the paper: the printable width over the
    // form's width, in percent.
    FormSize form;
    const std::uint32_t code = QueryFormSize(context_->hPrinter, context_->pOemCuipParam, &form);
    if (code != kFormSizeOk) return code;
    if (form.width <= 0) return kFormSizeUnreadable;
    scale = static_cast<int>(row->dwWidthMm * 1000u / static_cast<std::uint32_t>(form.width));
  }
  scale = std::clamp(scale, kReduction.min, kReduction.max);
  port_.SetText(IDC_GENERAL_REDUCTION_BOX, DecimalText(scale));
  port_.TrackSetPos(IDC_GENERAL_REDUCTION_SLIDER, scale);
  if (keep) working().byReductionScale = static_cast<std::uint8_t>(scale);
  return kResultOk;
}

void GeneralSection::Store(const PrivateSettings& before) {
  const std::uint8_t initialize = port_.IsChecked(IDC_GENERAL_INIT_ENABLED) ? 1 : 0;
  const int speed_position = port_.TrackPos(IDC_GENERAL_SPEED_SLIDER);
  const std::uint8_t speed =
      speed_position >= 0 && speed_position <= 3 ? kSpeedMap[speed_position] : before.bySpeed;
  const auto density = static_cast<std::uint8_t>(port_.TrackPos(IDC_GENERAL_DENSITY_SLIDER));
  const auto margin = static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_GENERAL_MARGIN_COMBO));
  const auto direction =
      static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_GENERAL_DIRECTION_COMBO));
  const auto reduction = static_cast<std::uint8_t>(SelectedMode());
  const auto scale = static_cast<std::uint8_t>(port_.TrackPos(IDC_GENERAL_REDUCTION_SLIDER));

  if (initialize != before.byInitialize || speed != before.bySpeed || density != before.byDensity ||
      margin != before.byMargin || direction != before.byDirection ||
      reduction != before.byReduction || scale != before.byReductionScale) {
    port_.SendToParent(kDsmUserPreset, 0, 0);
  }
  PrivateSettings& s = working();
  s.byInitialize = initialize;
  s.bySpeed = speed;
  s.byDensity = density;
  s.byMargin = margin;
  s.byDirection = direction;
  s.byDirectionCopy = direction;
  s.byReduction = reduction;
  s.byReductionScale = scale;
  port_.SendToParent(kDsmRedrawPreview, 0, 0);
  port_.SendToParent(kDsmRefreshList, 0, 0);
}

std::uint32_t GeneralSection::Changed(const PrivateSettings& before) {
  // A form that cannot be read leaves the scale as it was; the change
  // itself is still kept.
  const std::uint32_t code = RefreshReduction(false);
  Store(before);
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return code;
}

std::uint32_t GeneralSection::OnArrow(int id) {
  const SliderRule* rule = RuleOfArrow(id);
  if (rule == nullptr) return kResultInvalid;
  const int step = rule->left == id ? -rule->step : rule->step;
  const int position = std::clamp(port_.TrackPos(rule->slider) + step, rule->min, rule->max);
  port_.TrackSetPos(rule->slider, position);
  const PrivateSettings before = working();
  return Changed(before);
}

std::uint32_t GeneralSection::OnSlider(HWND slider, int scroll_code) {
  const PrivateSettings& s = working();
  if (slider == nullptr) return kResultInvalid;
  if (slider == port_.Item(IDC_GENERAL_SPEED_SLIDER)) {
    const int position = port_.TrackPos(IDC_GENERAL_SPEED_SLIDER);
    if (position < 0 || position > 3 || kSpeedMap[position] == s.bySpeed) return kResultOk;
  } else if (slider == port_.Item(IDC_GENERAL_DENSITY_SLIDER)) {
    // The slider shows the snapped value even when the record has it.
    const int snapped = SnapDensity(port_.TrackPos(IDC_GENERAL_DENSITY_SLIDER), scroll_code);
    port_.TrackSetPos(IDC_GENERAL_DENSITY_SLIDER, snapped);
    if (snapped == s.byDensity) return kResultOk;
  } else if (slider == port_.Item(IDC_GENERAL_REDUCTION_SLIDER)) {
    if (port_.TrackPos(IDC_GENERAL_REDUCTION_SLIDER) == s.byReductionScale) return kResultOk;
  } else {
    return kResultInvalid;
  }
  const PrivateSettings before = working();
  return Changed(before);
}

bool GeneralSection::AskIpdQuestion(bool other_field_zero) {
  const DocUiState* ui = ui_state();
  if (ui == nullptr || ui->bIpdFontUsable == 0 || prompting_ || ui->bLandscape != 0 ||
      working().byWatermark != 0 || !other_field_zero) {
    return true;
  }
  prompting_ = true;
  const int answer = ShowCodedMessage(__LINE__, port_.Window(), kIpdFontQuestionCode, kMbOkCancel);
  prompting_ = false;
  return answer == kIdOk;
}

std::uint32_t GeneralSection::OnComboChange(int id) {
  if (std::find(std::begin(kComboIds), std::end(kComboIds), id) == std::end(kComboIds)) {
    return kResultInvalid;
  }
  const int chosen = port_.ComboSelectedIndex(id);
  const std::int32_t previous = port_.ComboLastSelectedData(id);
  if (chosen < 0) return kResultInvalid;
  if (port_.ComboSelectedData(id) == previous) return kResultOk;
  const PrivateSettings before = working();
  // Leaving "Front to Back" or "None" turns the device fonts off: ask first.
  if (previous == 0 && id != IDC_GENERAL_MARGIN_COMBO) {
    const bool other_zero =
        id == IDC_GENERAL_DIRECTION_COMBO ? before.byReduction == 0 : before.byDirection == 0;
    if (!AskIpdQuestion(other_zero)) {
      port_.ComboSelectByData(id, previous);
      return kResultOk;
    }
  }
  port_.ComboSelectIndex(id, chosen);
  if (id == IDC_GENERAL_REDUCTION_COMBO && SelectedMode() == kModeNone) {
    port_.TrackSetPos(IDC_GENERAL_REDUCTION_SLIDER, 100);
  }
  const std::uint32_t code = RefreshReduction(false);
  if (code != kResultOk && id == IDC_GENERAL_REDUCTION_COMBO) {
    // A Fit mode needs the form's width; without it the choice is taken
    // back rather than stored with a scale that does not belong to it.
    port_.ComboSelectByData(id, previous);
    RefreshReduction(false);
    return code;
  }
  Store(before);
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  RefreshIpdFontUsable(ui_state());
  return code;
}

std::uint32_t GeneralSection::OnInitializeClicked(int id) {
  if (id != IDC_GENERAL_INIT_ENABLED && id != IDC_GENERAL_INIT_DISABLED) return kResultInvalid;
  if (!SelectRadioPair(port_, IDC_GENERAL_INIT_ENABLED, IDC_GENERAL_INIT_DISABLED, id,
                       &initialize_button_)) {
    return kResultOk;
  }
  Store(working());
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t GeneralSection::OnApplyPreset() {
  ApplyGeneralPreset(working());
  Load();
  return RefreshReduction(true);
}

void GeneralSection::OnMouseDown() {
  for (int id : kArrowIds) {
    // A disabled arrow passes its clicks to the section: it must not repeat.
    if (!port_.IsCursorOver(id) || !port_.IsEnabled(id)) continue;
    port_.CaptureMouse();
    port_.StartTimer(kArrowRepeatTimer, kArrowRepeatPeriodMs);
    repeat_button_ = id;
    repeat_since_ = Service<Clock>().Ticks();
    first_repeat_ = true;
    return;
  }
}

void GeneralSection::StopRepeat() {
  port_.ReleaseMouse();
  port_.StopTimer(kArrowRepeatTimer);
  repeat_button_ = 0;
}

void GeneralSection::OnTimer(std::uintptr_t timer_id) {
  if (timer_id != kArrowRepeatTimer) return;
  if (repeat_button_ == 0 || !port_.IsLeftButtonDown()) {
    StopRepeat();
    return;
  }
  const std::uint32_t now = Service<Clock>().Ticks();
  const std::uint32_t wait = first_repeat_ ? kArrowFirstRepeatMs : kArrowNextRepeatMs;
  if (now - repeat_since_ <= wait) return;
  // Off the button the time still runs, so the steps go on at the usual
  // pace once the cursor is back.
  if (port_.IsCursorOver(repeat_button_) && port_.IsEnabled(repeat_button_)) {
    OnArrow(repeat_button_);
  }
  first_repeat_ = false;
  repeat_since_ = now;
}

std::uint32_t GeneralSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t code = NotifyCode(wparam);
      if (code == kBnClicked && RuleOfArrow(id) != nullptr) return OnArrow(id);
      if (code == kBnClicked &&
          (id == IDC_GENERAL_INIT_ENABLED || id == IDC_GENERAL_INIT_DISABLED)) {
        return OnInitializeClicked(id);
      }
      if (code == kCbnSelChange) return OnComboChange(id);
      *handled = false;
      return kResultOk;
    }
    case kWmHScroll:
      return OnSlider(reinterpret_cast<HWND>(lparam), static_cast<int>(wparam & 0xFFFF));
    case kWmMouseActivate:
      // Not the section's alone: the dialog manager still activates.
      *handled = false;
      if (static_cast<UINT>((static_cast<std::uintptr_t>(lparam) >> 16) & 0xFFFF) ==
          kWmLButtonDown) {
        OnMouseDown();
      }
      return kResultOk;
    case kWmTimer:
      OnTimer(static_cast<std::uintptr_t>(wparam));
      return kResultOk;
    case kDsmApplyPreset:
      return OnApplyPreset();
    case kDsmRefreshReduction:
      return RefreshReduction(true);
    case kDsmStore:
      Store(working());
      return kResultOk;
    case kDsmScaleLayout:
      ScaleSectionLayout(port_, static_cast<int>(wparam),
                         reinterpret_cast<const DialogFont*>(lparam));
      return kResultOk;
    case kDsmDisableAll:
      if (context_ != nullptr) DisableSectionControls(port_, *context_);
      return kResultOk;
    default:
      *handled = false;
      return kResultOk;
  }
}

}  // namespace kvt
