// The Font page (dialog template 119), second page of the printing
// preferences: the device-font, barcode, 2D-barcode and Control A sections
// in a group box, one at a time, chosen in the list below the picture; in
// their place a panel that says why, while the document's settings keep
// the device fonts from being used.
//
// FontPage holds all of the page's behaviour and acts through its dialog
// port, so a native test runs it on fake windows with its sections;
// FontPageProc (win32/) only adapts window messages.
#pragma once

#include <array>
#include <cstdint>

#include "oemui/page_frame.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

inline constexpr int kFontSectionGroupId = 1133;

// The sections in the order the page makes them, then the panel.
enum FontSectionIndex : int {
  kDeviceFontSection = 0,
  kBarcodeFontSection = 1,
  kBarcode2DFontSection = 2,
  kControlAFontSection = 3,
  kFontUnavailablePanel = 4,
};
inline constexpr int kFontEntryCount = 4;  // the list's entries, one per section
using FontSectionProcedures = std::array<DLGPROC, 5>;

// The list reports an entry by its key, the characters '0' to '3', which
// are also the entries' item ids.
constexpr std::uint32_t FontEntryKey(int entry) { return u'0' + static_cast<std::uint32_t>(entry); }

class FontPage {
 public:
  // |procedures|: the sections' and the panel's dialog procedures (ignored
  // by a fake port).
  FontPage(DialogPort& port, PageContext* context, FontSectionProcedures procedures)
      : port_(port), context_(context), frame_(port, context), procedures_(procedures) {}

  // Every handler answers 0 or a result code (core/result_codes.h).
  std::uint32_t OnInit();
  // Shows entry |entry|'s section, or the panel while the device fonts
  // cannot be used; 107 for an entry past the four.
  std::uint32_t OnShowSection(int entry);
  std::uint32_t OnSetActive();
  // The splitter's position kept; the device-font, barcode and 2D-barcode
  // sections store (the Control A list stores only on apply).
  void OnKillActive();
  std::uint32_t OnApply();
  // Bitmap 257 while the device fonts can be used, 258 while not.
  std::uint32_t ComposePicture();

  // One window message for the page: runs its handler, shows a failure
  // through the frame and answers the handler's code. |*handled| says
  // whether the message is the page's own.
  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

  PageFrame& frame() { return frame_; }
  HWND section(int index) const { return sections_[index]; }
  int current_entry() const { return current_entry_; }

 private:
  std::uint32_t MakeSections();
  std::uint32_t BuildList();
  void SendToSections(UINT message, int count);

  DialogPort& port_;
  PageContext* context_;
  PageFrame frame_;
  FontSectionProcedures procedures_;
  std::array<HWND, 5> sections_{};
  int current_entry_ = 0;
};

// The page's dialog procedure (win32/; on Linux there are no windows and it
// handles nothing).
INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
