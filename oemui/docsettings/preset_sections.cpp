#include "oemui/docsettings/preset_sections.h"

#include "core/form_size.h"
#include "core/option_items.h"
#include "core/result_codes.h"
#include "oemui/docsettings/preset_values.h"
#include "oemui/page_messages.h"

namespace kvt {

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
  DialogFont smaller;
  if (font != nullptr) {
    smaller = *font;
    smaller.height += factor >= 900 && factor <= 999 ? 1 : factor >= 800 && factor <= 899 ? 2 : 3;
  }
  for (HWND child : port_.Children()) {
    if (font != nullptr) port_.SetChildFont(child, smaller);
    if (const std::optional<DialogRect> r = port_.ChildRect(child)) {
      port_.MoveChild(child, DialogRect{r->left * factor / 1000, r->top * factor / 1000,
                                        r->right * factor / 1000, r->bottom * factor / 1000});
    }
  }
}

void PresetSection::OnDisableAll() {
  if (context_->bCanChange != 0) return;
  for (HWND child : port_.Children()) port_.EnableChild(child, false);
}

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
