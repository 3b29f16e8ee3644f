// The Option settings section of the Document Settings page (template 104):
// what the printer does at four points of a job (Print Start, Page Start,
// Page End, Print End). Four push-like buttons choose the event; one set of
// controls below them shows that event's OptionCommandGroup of the working
// settings: a stored logo by key code and position, a cash drawer pulse
// (print start and end only), a paper feed, the buzzer and a free command
// of up to 128 bytes, edited in the utility library's hexadecimal editor.
// Every change is written back at once.
//
// OptionSection holds the behaviour and acts through its dialog port;
// OptionSectionProc (win32/) unpacks the window messages and paints the
// frame with its notch under the chosen event's button.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/controls/spin_binding.h"

namespace kvt {

// The questions before a drawer is opened at one end of the job, which
// clears the drawer of the other end.
inline constexpr std::uint32_t kDrawerAtPrintStartQuestion = 1021;
inline constexpr std::uint32_t kDrawerAtPrintEndQuestion = 1022;

// The hexadecimal editor's limits for a command: the most bytes it may
// return, in a buffer of twice that.
inline constexpr std::uint32_t kCommandEditorCapacity = 128;
inline constexpr std::size_t kCommandEditorBuffer = 256;
// The most characters of the command edit's text that are read back.
inline constexpr std::size_t kCommandTextChars = 511;

// Upper-case hexadecimal pairs, each followed by one blank.
std::u16string CommandHexText(const std::uint8_t* bytes, std::size_t count);
// The command edit's text back to bytes: the first |kCommandTextChars|
// characters, complete pairs only, at most |capacity| bytes.
std::vector<std::uint8_t> CommandHexBytes(const std::u16string& text, std::size_t capacity);

// The frame under the event buttons: a rounded rectangle (corner arcs of
// 24 x 24) with a notch in its top edge pointing at the chosen button.
struct OptionFrameShape {
  float left, top, right, bottom;  // right and bottom one unit inside
  bool notch;                      // false: the top edge is straight
  float apex_x, apex_y, half_width;
};
OptionFrameShape OptionFrameGeometry(const DialogRect& frame, const DialogRect& button);
// The strip between the buttons and the frame that the notch moves in.
DialogRect OptionNotchStrip(const DialogRect& frame, const DialogRect& buttons);
// The pen's colour (COLORREF): 192/256 of the way from the button face's
// colour to the button shadow's in each channel.
std::uint32_t OptionFrameColour(std::uint32_t face, std::uint32_t shadow);

class OptionSection {
 public:
  OptionSection(DialogPort& port, PageContext* context);

  // Every handler answers 0 or a result code (core/result_codes.h).
  std::uint32_t OnInit();
  // DSM_SELECTEVENT: the button of |event| (0..3) selected, then as if it
  // had been clicked.
  std::uint32_t OnSelectEvent(std::uint32_t event);
  std::uint32_t OnEventClicked(int id);
  std::uint32_t OnComboChange(int id);
  // The position and buzzer buttons.
  std::uint32_t OnRadioClicked(int id);
  std::uint32_t OnSpin(HWND updown);
  // The custom edit's change notification from one of the number edits.
  std::uint32_t OnEditChanged(int id);
  // The controls into the current event's group; DSM_USERPRESET to the
  // page first when they differ from it. 107 when no position is selected.
  std::uint32_t Store();
  // "Edit...": the command in the utility library's editor.
  std::uint32_t OnHexEdit();
  std::uint32_t OnApplyPreset();
  // DSM_FORMATKEYCODE: the key code shown with two digits.
  void OnFormatKeycode();
  // DSM_SCALELAYOUT: children shrunk to |factor| thousandths; those whose
  // text would not fit get a second, smaller font.
  void OnScaleLayout(int factor, const DialogFont* font);
  void OnDestroy();

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

  // The event shown: the selected event button, 0 when none is.
  int current_event();

 private:
  OptionCommandGroup& group() { return context_->WorkingSettings.optionGroups[current_event()]; }
  void Load();
  void Enabling();
  // Load, Enabling, the notch's strip repainted; DSM_EVENTSELECTED to the
  // page when |tell_page|.
  void ShowEvent(bool tell_page);
  void SelectOnly(const int* ids, std::size_t count, int id);
  SpinBinding* SpinOfUpdown(HWND updown);

  DialogPort& port_;
  PageContext* context_;
  SpinBinding keycode_spin_;
  SpinBinding on_time_spin_;
  SpinBinding off_time_spin_;
  SpinBinding feed_spin_;
  bool can_change_ = false;
  bool prompting_ = false;
  int align_button_ = 0;   // the position button selected last
  int buzzer_button_ = 0;  // the buzzer button selected last
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK OptionSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
