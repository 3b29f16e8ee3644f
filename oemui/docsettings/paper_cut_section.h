// The Paper Cut / Marked Paper section of the Document Settings page
// (template 103): the cut mode, feed to the cutting position, marked-paper
// form feed and the correction of the mark position in dots. It edits
// byPaperCut, byFeedToCut, byMarkedPaperFeed and sFormFeedCorrect of the
// working settings, writing them back on every change.
#pragma once

#include <cstdint>
#include <string>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/controls/spin_binding.h"

namespace kvt {

inline constexpr int kFormFeedCorrectMin = -74;
inline constexpr int kFormFeedCorrectMax = 255;

// The correction's text as the user left it, put right: minus signs after
// the first character removed (|*minus_moved| then, and nothing else is
// done); an empty text becomes "0"; a number outside -74..255 becomes the
// nearer end. Answers the corrected text; |*value| gets its number.
std::u16string CorrectFormFeedText(const std::u16string& text, bool* minus_moved, int* value);

class PaperCutSection {
 public:
  PaperCutSection(DialogPort& port, PageContext* context);

  std::uint32_t OnInit();
  std::uint32_t OnApplyPreset();
  std::uint32_t OnComboChange(int id);
  std::uint32_t OnFeedClicked(int id);
  // The up-down control moved: its new value goes into the edit and the
  // record.
  std::uint32_t OnSpin();
  // The correction edit changed (a key, Delete or a paste).
  std::uint32_t OnEditChanged();
  // DSM_USERPRESET to the page first when the controls differ from the
  // record.
  void Store();
  // Gives the edit its input method back before the window goes.
  void OnDestroy() { spin_.Unbind(); }

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  void Load();
  void Enabling();
  int EditValue();

  DialogPort& port_;
  PageContext* context_;
  SpinBinding spin_;
  bool can_change_ = false;
  int feed_button_ = 0;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK PaperCutSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
