// The General settings section of the Document Settings page (template
// 105): Initialize, the speed, density and reduction sliders with their
// arrow buttons, and the Margin, Direction and Reduction combo boxes. It
// edits byInitialize, bySpeed, byDensity, byMargin, byDirection (with
// byDirectionCopy), byReduction and byReductionScale of the working
// settings, writing them back on every change.
//
// GeneralSection holds the behaviour and acts through its dialog port;
// GeneralSectionProc (win32/) unpacks the window messages and draws the
// arrow buttons.
#pragma once

#include <cstdint>

#include "core/doc_ui_state.h"
#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/docsettings/reduction_table.h"

namespace kvt {

// Window messages the section takes, by number on both toolchains.
inline constexpr UINT kWmHScroll = 0x0114;
inline constexpr UINT kWmVScroll = 0x0115;
inline constexpr UINT kWmMouseActivate = 0x0021;
inline constexpr UINT kWmLButtonDown = 0x0201;
inline constexpr int kTbThumbPosition = 4;  // TB_THUMBPOSITION

// The arrow buttons repeat on this window timer while held.
inline constexpr std::uintptr_t kArrowRepeatTimer = 200;
inline constexpr UINT kArrowRepeatPeriodMs = 100;
inline constexpr std::uint32_t kArrowFirstRepeatMs = 800;
inline constexpr std::uint32_t kArrowNextRepeatMs = 100;

// The question before a change turns the printer's device fonts off.
inline constexpr std::uint32_t kIpdFontQuestionCode = 1020;

// Slider position -> stored bySpeed: the slider runs Low, Middle
// (Quality), Middle (Silent), High from left to right.
inline constexpr std::uint8_t kSpeedMap[4] = {1, 2, 0, 3};

// The position that stores |speed|; -1 for a value the map does not make.
int SpeedPosition(std::uint8_t speed);
// A dragged density snapped to the 5-percent steps: the released thumb
// (TB_THUMBPOSITION) moves 1 up to the next step and 4 down to the one
// below, leaving 2 and 3; every other scroll code takes the nearest step.
int SnapDensity(int position, int scroll_code);
// The two bitmaps of an arrow button, image and mask; false for another id.
bool ArrowBitmaps(int id, std::uint32_t* image, std::uint32_t* mask);

class GeneralSection {
 public:
  GeneralSection(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // Every handler answers 0 or a result code (core/result_codes.h).
  std::uint32_t OnInit();
  std::uint32_t OnApplyPreset();
  // Reduction refresh: the number boxes, then the scale of the selected
  // mode, which the Fit modes work out from the paper form's width. A form
  // that cannot be read (or has no width) leaves the scale as it was and
  // answers the query's code. |keep| writes the scale into the record.
  std::uint32_t RefreshReduction(bool keep);
  // Writes the controls into the record; DSM_USERPRESET goes to the page
  // first when they differ from |before|.
  void Store(const PrivateSettings& before);
  std::uint32_t OnArrow(int id);
  std::uint32_t OnSlider(HWND slider, int scroll_code);
  std::uint32_t OnComboChange(int id);
  std::uint32_t OnInitializeClicked(int id);
  // A left button press in the section: auto-repeat starts when it is over
  // an enabled arrow button.
  void OnMouseDown();
  void OnTimer(std::uintptr_t timer_id);

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  PrivateSettings& working() { return context_->WorkingSettings; }
  DocUiState* ui_state();
  void Load();
  int SelectedMode();
  // Reduction refresh, Store against |before|, PSM_CHANGED.
  std::uint32_t Changed(const PrivateSettings& before);
  bool AskIpdQuestion(bool other_field_zero);
  void StopRepeat();

  DialogPort& port_;
  PageContext* context_;
  const ReductionTable* reductions_ = nullptr;
  bool can_change_ = false;
  int initialize_button_ = 0;
  bool prompting_ = false;
  // Auto-repeat: the arrow held, when it last stepped, and whether the
  // first (longer) wait is still running.
  int repeat_button_ = 0;
  std::uint32_t repeat_since_ = 0;
  bool first_repeat_ = false;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK GeneralSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
