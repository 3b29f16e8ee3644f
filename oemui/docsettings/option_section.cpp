#include "oemui/docsettings/option_section.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "barcode/barcode_command.h"
#include "core/module_state.h"
#include "core/result_codes.h"
#include "oemui/docsettings/general_section.h"
#include "oemui/docsettings/preset_sections.h"
#include "oemui/docsettings/preset_values.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/utility_library.h"
#include "platform/string_table.h"
#include "resources/option_section_ids.h"
#include "resources/settings_list_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr std::size_t kTextChars = 256;
constexpr int kNumberChars = 3;
constexpr std::size_t kReadChars = 7;  // of an edit's text on an up-down move

constexpr int kEventButtons[4] = {IDC_OPTION_PRINT_START, IDC_OPTION_PAGE_START,
                                  IDC_OPTION_PAGE_END, IDC_OPTION_PRINT_END};
constexpr int kAlignButtons[3] = {IDC_OPTION_ALIGN_LEFT, IDC_OPTION_ALIGN_CENTER,
                                  IDC_OPTION_ALIGN_RIGHT};
constexpr int kBuzzerButtons[2] = {IDC_OPTION_BUZZER_ON, IDC_OPTION_BUZZER_OFF};

struct ComboRow {
  std::uint32_t string_id;
  std::int32_t value;
};
constexpr ComboRow kLogoRows[] = {{IDS_LOGO_DISABLED, 0}, {IDS_LOGO_ENABLED, 1}};
constexpr ComboRow kDrawerRows[] = {{IDS_DRAWER_DISABLED, 0}, {IDS_DRAWER_1, 1}, {IDS_DRAWER_2, 2}};

// The four number edits, each with its up-down control.
struct NumberRule {
  int edit;
  int updown;
  int min;
  int max;
  EditMode mode;
};
constexpr NumberRule kKeycode = {IDC_OPTION_KEYCODE_EDIT, IDC_OPTION_KEYCODE_UPDOWN, 0, 99,
                                 EditMode::kDigits};
constexpr NumberRule kOnTime = {IDC_OPTION_ON_TIME_EDIT, IDC_OPTION_ON_TIME_UPDOWN, 2, 510,
                                EditMode::kDigits};
constexpr NumberRule kOffTime = {IDC_OPTION_OFF_TIME_EDIT, IDC_OPTION_OFF_TIME_UPDOWN, 2, 510,
                                 EditMode::kDigits};
constexpr NumberRule kFeed = {IDC_OPTION_FEED_EDIT, IDC_OPTION_FEED_UPDOWN, -74, 255,
                              EditMode::kSignedInteger};
constexpr const NumberRule* kNumbers[] = {&kKeycode, &kOnTime, &kOffTime, &kFeed};

// Shown while a logo is printed.
constexpr int kLogoControls[] = {IDC_OPTION_KEYCODE_LABEL,  IDC_OPTION_KEYCODE_EDIT,
                                 IDC_OPTION_KEYCODE_UPDOWN, IDC_OPTION_ALIGN_LEFT,
                                 IDC_OPTION_ALIGN_CENTER,   IDC_OPTION_ALIGN_RIGHT};
// Shown at the two ends of a job only; the pulse times only with a drawer.
constexpr int kDrawerControls[] = {IDC_OPTION_DRAWER_LABEL, IDC_OPTION_DRAWER_LINE,
                                   IDC_OPTION_DRAWER_COMBO};
constexpr int kPulseControls[] = {IDC_OPTION_ON_TIME_LABEL,   IDC_OPTION_ON_TIME_EDIT,
                                  IDC_OPTION_ON_TIME_UPDOWN,  IDC_OPTION_ON_TIME_UNIT,
                                  IDC_OPTION_OFF_TIME_LABEL,  IDC_OPTION_OFF_TIME_EDIT,
                                  IDC_OPTION_OFF_TIME_UPDOWN, IDC_OPTION_OFF_TIME_UNIT};

const NumberRule* RuleOfEdit(int id) {
  for (const NumberRule* rule : kNumbers) {
    if (rule->edit == id) return rule;
  }
  return nullptr;
}

bool Contains(const int* ids, std::size_t count, int id) {
  return std::find(ids, ids + count, id) != ids + count;
}

// The leading signed decimal number of |text| ("-" and "" read 0),
// saturating far beyond every range so a long text cannot overflow.
int LeadingNumber(const std::u16string& text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (negative) ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), 1000000LL);
  }
  return static_cast<int>(negative ? -value : value);
}

std::u16string TwoDigits(int value) {
  value = std::clamp(value, 0, 99);
  return {static_cast<char16_t>(u'0' + value / 10), static_cast<char16_t>(u'0' + value % 10)};
}

}  // namespace

std::u16string CommandHexText(const std::uint8_t* bytes, std::size_t count) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string text;
  text.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
    text += u' ';
  }
  return text;
}

std::vector<std::uint8_t> CommandHexBytes(const std::u16string& text, std::size_t capacity) {
  const std::size_t chars = std::min(text.size(), kCommandTextChars);
  std::uint8_t bytes[kCommandTextChars / 2 + 1] = {};
  const int count = HexTextToBytes(bytes, text.data(), static_cast<int>(chars));
  // 511 characters make up to 255 bytes: only what the field holds is kept.
  const std::size_t kept = std::min(static_cast<std::size_t>(std::max(count, 0)), capacity);
  return std::vector<std::uint8_t>(bytes, bytes + kept);
}

OptionFrameShape OptionFrameGeometry(const DialogRect& frame, const DialogRect& button) {
  OptionFrameShape shape{};
  shape.left = static_cast<float>(frame.left);
  shape.top = static_cast<float>(frame.top);
  shape.right = static_cast<float>(frame.right - 1);
  shape.bottom = static_cast<float>(frame.bottom - 1);
  const float height = static_cast<float>(button.Height()) * 4.0f / 7.0f;
  shape.apex_x = static_cast<float>(button.left + button.right) / 2.0f;
  shape.apex_y = shape.top - height;
  shape.half_width = 0.6f * height;
  constexpr float kCornerInset = 12.0f;  // half of the corner arc
  shape.notch = height > 0.0f && shape.apex_x - shape.left > kCornerInset &&
                shape.right - shape.apex_x > kCornerInset;
  return shape;
}

DialogRect OptionNotchStrip(const DialogRect& frame, const DialogRect& buttons) {
  return DialogRect{frame.left, buttons.bottom + 2, frame.right, frame.top + 2};
}

std::uint32_t OptionFrameColour(std::uint32_t face, std::uint32_t shadow) {
  std::uint32_t colour = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int from = static_cast<int>((face >> shift) & 0xFF);
    const int to = static_cast<int>((shadow >> shift) & 0xFF);
    const int channel = from + (to - from) * 192 / 256;
    colour |= static_cast<std::uint32_t>(channel) << shift;
  }
  return colour;
}

OptionSection::OptionSection(DialogPort& port, PageContext* context)
    : port_(port),
      context_(context),
      keycode_spin_(port, kKeycode.edit, kKeycode.updown),
      on_time_spin_(port, kOnTime.edit, kOnTime.updown),
      off_time_spin_(port, kOffTime.edit, kOffTime.updown),
      feed_spin_(port, kFeed.edit, kFeed.updown) {}

int OptionSection::current_event() {
  for (int event = 0; event < 4; ++event) {
    if (port_.IsChecked(kEventButtons[event])) return event;
  }
  return 0;
}

std::uint32_t OptionSection::OnInit() {
  if (context_ == nullptr) return kResultNoMemory;
  can_change_ = context_->bCanChange != 0;

  DialogFont font;
  const int field_height = port_.GetFont(&font) ? std::abs(font.height) + 4 : 0;
  auto fill = [this, field_height](int combo, const ComboRow* rows,
                                   std::size_t count) -> std::uint32_t {
    if (std::uint32_t code = port_.AttachCustom(combo, CustomControl::kComboBox)) return code;
    if (field_height > 0) port_.ComboSetItemHeight(combo, -1, field_height);
    for (std::size_t i = 0; i < count; ++i) {
      std::u16string text;
      Service<StringTable>().Load(ModuleInstance(), rows[i].string_id, kTextChars, &text);
      port_.ComboAddItem(combo, static_cast<int>(i), ComboItem{text, rows[i].value});
    }
    port_.ComboRebuild(combo);
    return kResultOk;
  };
  if (std::uint32_t code = fill(IDC_OPTION_LOGO_COMBO, kLogoRows, std::size(kLogoRows))) {
    return code;
  }
  if (std::uint32_t code = fill(IDC_OPTION_DRAWER_COMBO, kDrawerRows, std::size(kDrawerRows))) {
    return code;
  }
  for (SpinBinding* spin : {&keycode_spin_, &on_time_spin_, &off_time_spin_, &feed_spin_}) {
    const NumberRule& rule = *RuleOfEdit(spin->edit_id());
    if (std::uint32_t code = port_.AttachCustom(rule.edit, CustomControl::kEdit)) return code;
    if (std::uint32_t code = spin->Bind()) return code;
    port_.SetInputMode(rule.edit, rule.mode);
    spin->SetLimit(kNumberChars);
    spin->SetRange(rule.min, rule.max);
  }
  if (std::uint32_t code = port_.AttachCustom(IDC_OPTION_COMMAND_EDIT, CustomControl::kEdit)) {
    return code;
  }
  port_.SetReadOnly(IDC_OPTION_COMMAND_EDIT, true);
  // The frame is painted in the group box's place.
  port_.Show(IDC_OPTION_FRAME, false);
  // The first event, without telling the page: it makes this section when
  // it is first shown or hears a preset, and the page's current event is
  // the first one then. Told, it would take the list's selection (and with
  // it the section shown) to this event in the middle of a preset.
  SelectOnly(kEventButtons, std::size(kEventButtons), kEventButtons[0]);
  ShowEvent(false);
  return kResultOk;
}

void OptionSection::SelectOnly(const int* ids, std::size_t count, int id) {
  for (std::size_t i = 0; i < count; ++i) port_.SetCheck(ids[i], ids[i] == id);
}

void OptionSection::Load() {
  const OptionCommandGroup& g = group();
  port_.ComboSelectByData(IDC_OPTION_LOGO_COMBO, g.byLogo);
  keycode_spin_.SetPos(g.byLogoKeycode);
  OnFormatKeycode();
  // A position the buttons do not offer keeps the one selected last.
  if (g.byLogoAlign < std::size(kAlignButtons)) align_button_ = kAlignButtons[g.byLogoAlign];
  SelectOnly(kAlignButtons, std::size(kAlignButtons), align_button_);
  port_.ComboSelectByData(IDC_OPTION_DRAWER_COMBO, g.byDrawer);
  on_time_spin_.SetPos(g.wDrawerOnTime);
  off_time_spin_.SetPos(g.wDrawerOffTime);
  feed_spin_.SetPos(g.sFeed);
  buzzer_button_ = g.byBuzzer == 1 ? IDC_OPTION_BUZZER_ON : IDC_OPTION_BUZZER_OFF;
  SelectOnly(kBuzzerButtons, std::size(kBuzzerButtons), buzzer_button_);
  // A damaged length never reads past the command's bytes.
  const auto length = static_cast<std::size_t>(
      std::clamp<std::int32_t>(g.nCommandLength, 0, kOptionCommandMaxLength));
  port_.SetText(IDC_OPTION_COMMAND_EDIT, CommandHexText(g.abyCommand, length));
}

void OptionSection::Enabling() {
  const bool logo = port_.ComboSelectedData(IDC_OPTION_LOGO_COMBO) > 0;
  for (int id : kLogoControls) {
    port_.Show(id, logo);
    port_.Enable(id, logo && can_change_);
  }
  const int event = current_event();
  const bool drawer_event = event == kPrintStart || event == kPrintEnd;
  for (int id : kDrawerControls) {
    port_.Show(id, drawer_event);
    port_.Enable(id, drawer_event && can_change_);
  }
  const bool pulse = drawer_event && port_.ComboSelectedData(IDC_OPTION_DRAWER_COMBO) > 0;
  for (int id : kPulseControls) {
    port_.Show(id, pulse);
    port_.Enable(id, pulse && can_change_);
  }
}

std::uint32_t OptionSection::OnSelectEvent(std::uint32_t event) {
  if (event > 3) return kResultInvalid;
  SelectOnly(kEventButtons, std::size(kEventButtons), kEventButtons[event]);
  return OnEventClicked(kEventButtons[event]);
}

std::uint32_t OptionSection::OnEventClicked(int id) {
  if (!Contains(kEventButtons, std::size(kEventButtons), id)) return kResultInvalid;
  // The dialog manager checks a push-like radio button as it is clicked;
  // the others of the four are cleared here all the same.
  SelectOnly(kEventButtons, std::size(kEventButtons), id);
  ShowEvent(true);
  return kResultOk;
}

void OptionSection::ShowEvent(bool tell_page) {
  Load();
  Enabling();
  const std::optional<DialogRect> frame = port_.ItemRect(IDC_OPTION_FRAME);
  const std::optional<DialogRect> button = port_.ItemRect(kEventButtons[0]);
  if (frame && button) port_.Invalidate(OptionNotchStrip(*frame, *button));
  if (tell_page) port_.SendToParent(kDsmEventSelected, static_cast<WPARAM>(current_event()), 0);
}

std::uint32_t OptionSection::OnComboChange(int id) {
  if (id != IDC_OPTION_LOGO_COMBO && id != IDC_OPTION_DRAWER_COMBO) return kResultInvalid;
  const int chosen = port_.ComboSelectedIndex(id);
  if (chosen < 0) return kResultInvalid;
  const std::int32_t previous = port_.ComboLastSelectedData(id);
  const std::int32_t data = port_.ComboSelectedData(id);
  if (data == previous) return kResultOk;
  const int event = current_event();
  if (id == IDC_OPTION_DRAWER_COMBO && previous == 0 && !prompting_ &&
      (event == kPrintStart || event == kPrintEnd)) {
    // A drawer opens at one end of the job only: ask before the other
    // end's drawer is cleared.
    prompting_ = true;
    const int answer = ShowCodedMessage(
        __LINE__, port_.Window(),
        event == kPrintStart ? kDrawerAtPrintStartQuestion : kDrawerAtPrintEndQuestion,
        kMbOkCancel);
    prompting_ = false;
    if (answer != kIdOk) {
      port_.ComboSelectByData(id, 0);
      return kResultOk;
    }
    const int other = event == kPrintStart ? kPrintEnd : kPrintStart;
    context_->WorkingSettings.optionGroups[other].byDrawer = 0;
  }
  port_.ComboSelectIndex(id, chosen);
  Enabling();
  const std::uint32_t code = Store();
  if (code == kResultOk) port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return code;
}

std::uint32_t OptionSection::OnRadioClicked(int id) {
  int* selected = nullptr;
  if (Contains(kAlignButtons, std::size(kAlignButtons), id)) {
    selected = &align_button_;
    SelectOnly(kAlignButtons, std::size(kAlignButtons), id);
  } else if (Contains(kBuzzerButtons, std::size(kBuzzerButtons), id)) {
    selected = &buzzer_button_;
    SelectOnly(kBuzzerButtons, std::size(kBuzzerButtons), id);
  } else {
    return kResultInvalid;
  }
  if (*selected == id) return kResultOk;
  *selected = id;
  const std::uint32_t code = Store();
  if (code == kResultOk) port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return code;
}

SpinBinding* OptionSection::SpinOfUpdown(HWND updown) {
  if (updown == nullptr) return nullptr;
  for (SpinBinding* spin : {&keycode_spin_, &on_time_spin_, &off_time_spin_, &feed_spin_}) {
    if (port_.Item(spin->updown_id()) == updown) return spin;
  }
  return nullptr;
}

std::uint32_t OptionSection::OnSpin(HWND updown) {
  SpinBinding* spin = SpinOfUpdown(updown);
  if (spin == nullptr) return kResultInvalid;
  const NumberRule& rule = *RuleOfEdit(spin->edit_id());
  std::u16string text = port_.GetText(rule.edit);
  if (text.size() > kReadChars) text.resize(kReadChars);
  spin->SetPos(std::clamp(LeadingNumber(text), rule.min, rule.max));
  if (spin == &keycode_spin_) OnFormatKeycode();
  const std::uint32_t code = Store();
  if (code == kResultOk) port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return code;
}

std::uint32_t OptionSection::OnEditChanged(int id) {
  const NumberRule* rule = RuleOfEdit(id);
  if (rule == nullptr) return kResultInvalid;
  int start = 0;
  int end = 0;
  port_.GetSelection(id, &start, &end);
  const std::u16string text = port_.GetText(id);
  std::uint32_t code = kResultOk;
  std::u16string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'-' || i == 0) kept.push_back(text[i]);
  }
  if (kept != text) {
    // A misplaced minus sign is only taken out; the next change stores.
    port_.SetEditText(id, kept);
    port_.SetSelection(id, start > 0 ? start - 1 : 0, start > 0 ? start - 1 : 0);
  } else {
    if (text.empty()) {
      const int value = std::max(rule->min, 0);
      port_.SetEditText(id, rule == &kKeycode ? TwoDigits(value) : DecimalText(value));
    } else {
      const int value = LeadingNumber(text);
      if (value < rule->min || value > rule->max) {
        port_.SetEditText(id, DecimalText(std::clamp(value, rule->min, rule->max)));
      }
    }
    code = Store();
    if (code == kResultOk) port_.NotifyChanged(port_.Sheet(), port_.Parent());
  }
  if (rule == &kKeycode) {
    OnFormatKeycode();
    port_.SetSelection(id, 2, 2);
  }
  return code;
}

std::uint32_t OptionSection::Store() {
  std::uint8_t align = 0;
  while (align < std::size(kAlignButtons) && !port_.IsChecked(kAlignButtons[align])) ++align;
  if (align == std::size(kAlignButtons)) return kResultInvalid;

  const auto logo = static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_OPTION_LOGO_COMBO));
  const auto keycode = static_cast<std::uint8_t>(
      std::clamp(LeadingNumber(port_.GetText(kKeycode.edit)), kKeycode.min, kKeycode.max));
  const auto drawer = static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_OPTION_DRAWER_COMBO));
  const auto on_time = static_cast<std::uint16_t>(
      std::clamp(LeadingNumber(port_.GetText(kOnTime.edit)), kOnTime.min, kOnTime.max));
  const auto off_time = static_cast<std::uint16_t>(
      std::clamp(LeadingNumber(port_.GetText(kOffTime.edit)), kOffTime.min, kOffTime.max));
  const auto feed = static_cast<std::int16_t>(
      std::clamp(LeadingNumber(port_.GetText(kFeed.edit)), kFeed.min, kFeed.max));
  const std::uint8_t buzzer = port_.IsChecked(IDC_OPTION_BUZZER_ON) ? 1 : 0;

  OptionCommandGroup& g = group();
  // The command is not compared: the editor sends its own.
  if (logo != g.byLogo || keycode != g.byLogoKeycode || align != g.byLogoAlign ||
      drawer != g.byDrawer || on_time != g.wDrawerOnTime || off_time != g.wDrawerOffTime ||
      feed != g.sFeed || buzzer != g.byBuzzer) {
    port_.SendToParent(kDsmUserPreset, 0, 0);
  }
  g.byLogo = logo;
  g.byLogoAlign = align;
  g.byLogoKeycode = keycode;
  g.byDrawer = drawer;
  g.wDrawerOnTime = on_time;
  g.wDrawerOffTime = off_time;
  g.sFeed = feed;
  g.byBuzzer = buzzer;
  const std::vector<std::uint8_t> command =
      CommandHexBytes(port_.GetText(IDC_OPTION_COMMAND_EDIT), kOptionCommandMaxLength);
  std::fill(std::begin(g.abyCommand), std::end(g.abyCommand), 0);
  std::copy(command.begin(), command.end(), g.abyCommand);
  g.nCommandLength = static_cast<std::int32_t>(command.size());
  port_.SendToParent(kDsmRedrawPreview, 0, 0);
  port_.SendToParent(kDsmRefreshList, 0, 0);
  return kResultOk;
}

std::uint32_t OptionSection::OnHexEdit() {
  const std::u16string before = port_.GetText(IDC_OPTION_COMMAND_EDIT);
  std::vector<std::uint8_t> bytes = CommandHexBytes(before, kCommandEditorCapacity);
  ScreenRect anchor;
  if (const std::optional<DialogRect> r = port_.ItemScreenRect(IDC_OPTION_COMMAND_EDIT)) {
    anchor = ScreenRect{r->left, r->top, r->right, r->bottom};
  }
  // Without the library or its editor the button does nothing.
  if (EditHexBytes(port_.Window(), anchor, kCommandEditorCapacity, kCommandEditorBuffer, &bytes) !=
      HexEditOutcome::kConfirmed) {
    return kResultOk;
  }
  const std::u16string after = CommandHexText(bytes.data(), bytes.size());
  port_.SetText(IDC_OPTION_COMMAND_EDIT, after);
  if (after != before) port_.SendToParent(kDsmUserPreset, 0, 0);
  Enabling();
  const std::uint32_t code = Store();
  if (code == kResultOk) port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return code;
}

std::uint32_t OptionSection::OnApplyPreset() {
  ApplyOptionPreset(context_->WorkingSettings);
  Load();
  Enabling();
  return kResultOk;
}

void OptionSection::OnFormatKeycode() {
  port_.SetEditText(kKeycode.edit, TwoDigits(LeadingNumber(port_.GetText(kKeycode.edit))));
}

void OptionSection::OnScaleLayout(int factor, const DialogFont* font) {
  if (font == nullptr) {
    ScaleSectionLayout(port_, factor, nullptr);
    return;
  }
  DialogFont first = *font;
  first.height += factor >= 900 && factor <= 999 ? 1 : factor >= 800 && factor <= 899 ? 2 : 3;
  DialogFont second = first;
  second.height += factor > 999 ? 0 : factor >= 950 ? 2 : factor >= 900 ? 3 : 4;
  for (HWND child : port_.Children()) {
    const std::optional<DialogRect> r = port_.ChildRect(child);
    if (!r) continue;
    const DialogRect scaled{r->left * factor / 1000, r->top * factor / 1000,
                            r->right * factor / 1000, r->bottom * factor / 1000};
    // Text that would not fit the smaller control gets the smaller font.
    const bool too_wide = port_.ChildTextWidth(child, first) >= scaled.Width();
    port_.SetChildFont(child, too_wide ? second : first);
    port_.MoveChild(child, scaled);
  }
}

void OptionSection::OnDestroy() {
  for (SpinBinding* spin : {&keycode_spin_, &on_time_spin_, &off_time_spin_, &feed_spin_}) {
    spin->Unbind();
  }
}

std::uint32_t OptionSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t code = NotifyCode(wparam);
      if (code == kCbnSelChange) return OnComboChange(id);
      if (code != kBnClicked) {
        *handled = false;
        return kResultOk;
      }
      if (Contains(kEventButtons, std::size(kEventButtons), id)) return OnEventClicked(id);
      if (id == IDC_OPTION_EDIT_COMMAND) return OnHexEdit();
      return OnRadioClicked(id);
    }
    case kWmVScroll:
      if (SpinOfUpdown(reinterpret_cast<HWND>(lparam)) == nullptr) {
        *handled = false;
        return kResultOk;
      }
      return OnSpin(reinterpret_cast<HWND>(lparam));
    case kMsgEditNotify:
      if (NotifyCode(wparam) != kEditCodeChanged || RuleOfEdit(NotifyId(wparam)) == nullptr) {
        *handled = false;
        return kResultOk;
      }
      return OnEditChanged(NotifyId(wparam));
    case kDsmScaleLayout:
      OnScaleLayout(static_cast<int>(wparam), reinterpret_cast<const DialogFont*>(lparam));
      return kResultOk;
    case kDsmDisableAll:
      if (context_ != nullptr) DisableSectionControls(port_, *context_);
      return kResultOk;
    case kDsmStore:
      return Store();
    case kDsmApplyPreset:
      return OnApplyPreset();
    case kDsmFormatKeycode:
      OnFormatKeycode();
      return kResultOk;
    case kDsmSelectEvent:
      return OnSelectEvent(static_cast<std::uint32_t>(wparam));
    case kWmDestroy:
      OnDestroy();
      return kResultOk;
    default:
      *handled = false;
      return kResultOk;
  }
}

}  // namespace kvt
