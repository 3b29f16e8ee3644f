// A Document Settings section as far as the presets need it: it writes its
// own fields when the page applies a preset, takes the page's scaling and
// is disabled with the page. The General, Paper Cut and Option sections
// have their own classes (general_section.h, paper_cut_section.h,
// option_section.h); all share the scaling and disabling of
// oemui/section_frame.h; tests of the page stand this in for a section.
#pragma once

#include <cstdint>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/section_frame.h"

namespace kvt {

// A pair of radio buttons where |id| was clicked: checks it, unchecks the
// other and keeps it in |*selected|. False (nothing done) when |id| is the
// button selected already.
bool SelectRadioPair(DialogPort& port, int first, int second, int id, int* selected);

enum class SectionKind : int { kGeneral = 0, kPaperCut = 1, kOption = 2 };

class PresetSection {
 public:
  PresetSection(DialogPort& port, PageContext* context, SectionKind kind)
      : port_(port), context_(context), kind_(kind) {}

  // 220 without the sheet's context.
  std::uint32_t OnInit() const;
  // Writes the preset's values of this section's fields (byPreset says
  // which; User Setting writes nothing); the general section then works
  // the reduction scale out from the current paper form.
  void OnApplyPreset();
  // The general section's reduction scale from the current form: 0, or
  // the form query's code with nothing changed.
  std::uint32_t OnRefreshReduction();
  // Shrinks every child to |factor| thousandths and gives it |font| made
  // smaller by a step that grows as the factor falls.
  void OnScaleLayout(int factor, const DialogFont* font);
  // Without permission to change settings every child is disabled.
  void OnDisableAll();

  // Routes a message; |*handled| says whether it was the section's.
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  DialogPort& port_;
  PageContext* context_;
  SectionKind kind_;
};

}  // namespace kvt
