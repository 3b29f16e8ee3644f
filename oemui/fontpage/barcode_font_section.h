// The Font page's "Barcode Font Settings" section (template 112): the ten
// barcode device fonts IPD Barcode1 to IPD Barcode10, each one group of
// barcodeFonts in the working settings, and a test print of the group shown
// with test data typed by the user.
//
// The group of byBarcodeFont is edited directly: a combo change writes its
// field at once, switching the font stores the old group first, and
// DSM_STORE (the page's kill-active and apply) stores the rest. Position,
// Info and the test data are not kept: they start over with the section.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/controls/spin_binding.h"
#include "oemui/fontpage/barcode_test_print.h"

namespace kvt {

inline constexpr int kBarcodeWidthMin = 2;
inline constexpr int kBarcodeWidthMax = 6;
inline constexpr int kBarcodeHeightMin = 1;
inline constexpr int kBarcodeHeightMax = 255;

class BarcodeFontSection {
 public:
  BarcodeFontSection(DialogPort& port, PageContext* context);

  // 220 without the sheet's context, 221 when a control cannot be bound.
  std::uint32_t OnInit();
  // CBN_SELCHANGE of the six combos.
  std::uint32_t OnComboChange(int id);
  // A button: 1265 prints, the radios are remembered; 107 for any other.
  std::uint32_t OnClicked(int id);
  // A change of the Width, Height or test data edit.
  std::uint32_t OnEditChange(int id);
  std::uint32_t OnSpin(HWND updown);
  // The group of byBarcodeFont from the controls, byNWRatio 1.
  void Store();
  // The test print: 0, or the code the user is shown.
  std::uint32_t PrintTest();

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  BarcodeFontSettings& Group();
  void Load();
  void Refresh();
  void ProposeTestData();
  std::vector<TestInfoLine> InfoLines(const BarcodeFontSettings& group);

  DialogPort& port_;
  PageContext* context_;
  SpinBinding width_spin_;
  SpinBinding height_spin_;
  std::vector<std::u16string> font_names_;
  int hex_button_ = 0;
  int position_button_ = 0;
  int info_button_ = 0;
  // Set while the section writes its own edits, whose changes are no
  // user's.
  bool loading_ = false;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK BarcodeFontSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
