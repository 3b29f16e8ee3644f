#include "oemui/docsettings/paper_cut_section.h"

#include <algorithm>
#include <cstdlib>

#include "core/module_state.h"
#include "core/result_codes.h"
#include "oemui/docsettings/general_section.h"
#include "oemui/docsettings/preset_sections.h"
#include "oemui/docsettings/preset_values.h"
#include "oemui/page_messages.h"
#include "platform/string_table.h"
#include "resources/resource_ids.h"
#include "resources/settings_list_ids.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

constexpr std::size_t kTextChars = 256;
constexpr int kEditChars = 4;
constexpr std::size_t kReadChars = 7;  // of the edit's text on an up-down move

struct ComboRow {
  std::uint32_t string_id;
  std::int32_t value;
};
constexpr ComboRow kCutRows[] = {{IDS_CUT_NONE, 0},
                                 {IDS_CUT_FULL_EACH_JOB, 1},
                                 {IDS_CUT_PARTIAL_EACH_JOB, 2},
                                 {IDS_CUT_FULL_EACH_PAGE, 3},
                                 {IDS_CUT_PARTIAL_EACH_PAGE, 4},
                                 {IDS_CUT_PARTIAL_BETWEEN_PAGES, 5}};
constexpr ComboRow kMarkedRows[] = {
    {IDS_DISABLED, 0}, {IDS_MARKED_EACH_PAGE, 1}, {IDS_MARKED_EACH_JOB, 2}};

// Shown only while the paper is cut, and only while marked paper is fed.
constexpr int kFeedControls[] = {IDC_CUT_FEED_LABEL, IDC_CUT_FEED_LINE, IDC_CUT_FEED_ENABLED,
                                 IDC_CUT_FEED_DISABLED};
constexpr int kCorrectControls[] = {IDC_CUT_CORRECT_LABEL, IDC_CUT_CORRECT_LINE,
                                    IDC_CUT_CORRECT_EDIT, IDC_CUT_UPDOWN, IDC_CUT_CORRECT_UNIT};

// The leading signed decimal number of |text| ("-" and "" read 0),
// saturating far beyond the range so a long paste cannot overflow.
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

}  // namespace

std::u16string CorrectFormFeedText(const std::u16string& text, bool* minus_moved, int* value) {
  *minus_moved = false;
  std::u16string kept;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'-' && i != 0) {
      *minus_moved = true;
      continue;
    }
    kept.push_back(text[i]);
  }
  if (*minus_moved) {
    *value = std::clamp(LeadingNumber(kept), kFormFeedCorrectMin, kFormFeedCorrectMax);
    return kept;
  }
  if (kept.empty()) {
    *value = 0;
    return u"0";
  }
  const int number = LeadingNumber(kept);
  *value = std::clamp(number, kFormFeedCorrectMin, kFormFeedCorrectMax);
  return number == *value ? kept : DecimalText(*value);
}

PaperCutSection::PaperCutSection(DialogPort& port, PageContext* context)
    : port_(port), context_(context), spin_(port, IDC_CUT_CORRECT_EDIT, IDC_CUT_UPDOWN) {}

std::uint32_t PaperCutSection::OnInit() {
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
  if (std::uint32_t code = fill(IDC_CUT_MODE_COMBO, kCutRows, std::size(kCutRows))) return code;
  if (std::uint32_t code = fill(IDC_CUT_MARKED_COMBO, kMarkedRows, std::size(kMarkedRows))) {
    return code;
  }
  if (std::uint32_t code = port_.AttachCustom(IDC_CUT_CORRECT_EDIT, CustomControl::kEdit)) {
    return code;
  }
  if (std::uint32_t code = spin_.Bind()) return code;
  port_.SetInputMode(IDC_CUT_CORRECT_EDIT, EditMode::kSignedInteger);
  spin_.SetLimit(kEditChars);
  spin_.SetRange(kFormFeedCorrectMin, kFormFeedCorrectMax);
  Load();
  Enabling();
  return kResultOk;
}

void PaperCutSection::Load() {
  const PrivateSettings& s = context_->WorkingSettings;
  port_.ComboSelectByData(IDC_CUT_MODE_COMBO, s.byPaperCut);
  feed_button_ = s.byFeedToCut == 1 ? IDC_CUT_FEED_ENABLED : IDC_CUT_FEED_DISABLED;
  port_.SetCheck(IDC_CUT_FEED_ENABLED, s.byFeedToCut == 1);
  port_.SetCheck(IDC_CUT_FEED_DISABLED, s.byFeedToCut != 1);
  port_.ComboSelectByData(IDC_CUT_MARKED_COMBO, s.byMarkedPaperFeed);
  spin_.SetPos(s.sFormFeedCorrect);
}

void PaperCutSection::Enabling() {
  const bool cut = port_.ComboSelectedData(IDC_CUT_MODE_COMBO) > 0;
  const bool marked = port_.ComboSelectedData(IDC_CUT_MARKED_COMBO) > 0;
  for (int id : kFeedControls) {
    port_.Show(id, cut);
    port_.Enable(id, cut && can_change_);
  }
  for (int id : kCorrectControls) {
    port_.Show(id, marked);
    port_.Enable(id, marked && can_change_);
  }
}

int PaperCutSection::EditValue() {
  bool minus_moved = false;
  int value = 0;
  CorrectFormFeedText(port_.GetText(IDC_CUT_CORRECT_EDIT), &minus_moved, &value);
  return value;
}

void PaperCutSection::Store() {
  PrivateSettings& s = context_->WorkingSettings;
  const auto cut = static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_CUT_MODE_COMBO));
  const std::uint8_t feed = port_.IsChecked(IDC_CUT_FEED_ENABLED) ? 1 : 0;
  const auto marked = static_cast<std::uint8_t>(port_.ComboSelectedData(IDC_CUT_MARKED_COMBO));
  const auto correct = static_cast<std::int16_t>(EditValue());
  if (cut != s.byPaperCut || feed != s.byFeedToCut || marked != s.byMarkedPaperFeed ||
      correct != s.sFormFeedCorrect) {
    port_.SendToParent(kDsmUserPreset, 0, 0);
  }
  s.byPaperCut = cut;
  s.byFeedToCut = feed;
  s.byMarkedPaperFeed = marked;
  s.sFormFeedCorrect = correct;
  port_.SendToParent(kDsmRedrawPreview, 0, 0);
  port_.SendToParent(kDsmRefreshList, 0, 0);
}

std::uint32_t PaperCutSection::OnComboChange(int id) {
  if (id != IDC_CUT_MODE_COMBO && id != IDC_CUT_MARKED_COMBO) return kResultInvalid;
  const int chosen = port_.ComboSelectedIndex(id);
  if (chosen < 0) return kResultInvalid;
  if (port_.ComboSelectedData(id) == port_.ComboLastSelectedData(id)) return kResultOk;
  port_.ComboSelectIndex(id, chosen);
  Enabling();
  Store();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t PaperCutSection::OnFeedClicked(int id) {
  if (id != IDC_CUT_FEED_ENABLED && id != IDC_CUT_FEED_DISABLED) return kResultInvalid;
  if (!SelectRadioPair(port_, IDC_CUT_FEED_ENABLED, IDC_CUT_FEED_DISABLED, id, &feed_button_)) {
    return kResultOk;
  }
  Store();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t PaperCutSection::OnSpin() {
  std::u16string text = port_.GetText(IDC_CUT_CORRECT_EDIT);
  if (text.size() > kReadChars) text.resize(kReadChars);
  spin_.SetPos(LeadingNumber(text));
  Store();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t PaperCutSection::OnEditChanged() {
  int start = 0;
  int end = 0;
  port_.GetSelection(IDC_CUT_CORRECT_EDIT, &start, &end);
  const std::u16string text = port_.GetText(IDC_CUT_CORRECT_EDIT);
  bool minus_moved = false;
  int value = 0;
  const std::u16string corrected = CorrectFormFeedText(text, &minus_moved, &value);
  if (corrected != text) {
    port_.SetEditText(IDC_CUT_CORRECT_EDIT, corrected);
    port_.SetSelection(IDC_CUT_CORRECT_EDIT, start, start);
  }
  // A misplaced minus sign is only taken out; the next change stores.
  if (minus_moved) return kResultOk;
  Store();
  port_.NotifyChanged(port_.Sheet(), port_.Parent());
  return kResultOk;
}

std::uint32_t PaperCutSection::OnApplyPreset() {
  ApplyPaperCutPreset(context_->WorkingSettings);
  Load();
  Enabling();
  return kResultOk;
}

std::uint32_t PaperCutSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  switch (message) {
    case kWmCommand: {
      const int id = NotifyId(wparam);
      const std::uint16_t code = NotifyCode(wparam);
      if (code == kCbnSelChange) return OnComboChange(id);
      if (code == kBnClicked) return OnFeedClicked(id);
      *handled = false;
      return kResultOk;
    }
    case kWmVScroll:
      if (reinterpret_cast<HWND>(lparam) != port_.Item(IDC_CUT_UPDOWN)) {
        *handled = false;
        return kResultOk;
      }
      return OnSpin();
    case kMsgEditNotify:
      if (NotifyId(wparam) != IDC_CUT_CORRECT_EDIT || NotifyCode(wparam) != kEditCodeChanged) {
        *handled = false;
        return kResultOk;
      }
      return OnEditChanged();
    case kDsmApplyPreset:
      return OnApplyPreset();
    case kDsmStore:
      Store();
      return kResultOk;
    case kDsmScaleLayout:
      ScaleSectionLayout(port_, static_cast<int>(wparam),
                         reinterpret_cast<const DialogFont*>(lparam));
      return kResultOk;
    case kDsmDisableAll:
      if (context_ != nullptr) DisableSectionControls(port_, *context_);
      return kResultOk;
    case kWmDestroy:
      OnDestroy();
      return kResultOk;
    default:
      *handled = false;
      return kResultOk;
  }
}

}  // namespace kvt
