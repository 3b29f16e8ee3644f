#include "oemui/docsettings/preset_sections.h"

#include "core/form_size.h"
#include "core/option_items.h"
#include "core/result_codes.h"
#include "oemui/docsettings/preset_values.h"
#include "oemui/page_messages.h"

namespace kvt {

bool SelectRadioPair(DialogPort& port, int first, int second, int id, int* selected) {
  if (id == *selected) return false;
  *selected = id;
  port.SetCheck(first, id == first);
  port.SetCheck(second, id == second);
  return true;
}

std::uint32_t PresetSection::OnInit() const {
  return context_ != nullptr ? kResultOk : kResultNoMemory;
}

void PresetSection::OnApplyPreset() {
  PrivateSettings& s = context_->WorkingSettings;
  switch (kind_) {
    case SectionKind::kGeneral:
      ApplyGeneralPreset(s);
      OnRefreshReduction();
      break;
    case SectionKind::kPaperCut:
      ApplyPaperCutPreset(s);
      break;
    case SectionKind::kOption:
      ApplyOptionPreset(s);
      break;
  }
}

std::uint32_t PresetSection::OnRefreshReduction() {
  if (kind_ != SectionKind::kGeneral) return kResultOk;
  FormSize form;
  const std::uint32_t code = QueryFormSize(context_->hPrinter, context_->pOemCuipParam, &form);
  if (code != kFormSizeOk) return code;
  // A form without width cannot be scaled against.
  if (form.width <= 0) return kFormSizeUnreadable;
  PrivateSettings& s = context_->WorkingSettings;
  s.byReductionScale = ReductionScaleFor(s.byReduction, s.byReductionScale, form.width);
  return kResultOk;
}

void PresetSection::OnScaleLayout(int factor, const DialogFont* font) {
  ScaleSectionLayout(port_, factor, font);
}

void PresetSection::OnDisableAll() { DisableSectionControls(port_, *context_); }

std::uint32_t PresetSection::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = true;
  switch (message) {
    case kDsmApplyPreset:
      OnApplyPreset();
      return kResultOk;
    case kDsmRefreshReduction:
      return OnRefreshReduction();
    case kDsmScaleLayout:
      OnScaleLayout(static_cast<int>(wparam), reinterpret_cast<const DialogFont*>(lparam));
      return kResultOk;
    case kDsmDisableAll:
      OnDisableAll();
      return kResultOk;
    case kDsmStore:
      // Nothing but the presets' fields is edited here yet.
      return kResultOk;
    default:
      *handled = false;
      return kResultOk;
  }
}

}  // namespace kvt
