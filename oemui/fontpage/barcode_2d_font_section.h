// The Font page's "2D-Barcode Font Settings" section (template 113): the
// five two-dimensional barcode device fonts IPD 2D-Barcode1 to IPD
// 2D-Barcode5, each one group of barcode2DFonts in the working settings,
// with QR Code and PDF417, and a test print of the group shown.
//
// Like the barcode section, it edits the group of by2DBarcodeFont directly
// and stores the rest on DSM_STORE; every store also writes the fields no
// control edits (model 2, mode 'M' for QR Code, no fixed lines or columns).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/page_context.h"
#include "oemui/controls/dialog_port.h"
#include "oemui/fontpage/barcode_test_print.h"

namespace kvt {

// The Size row that shows a stored module size: QR Code 2 to 11, PDF417 2
// to 4, where anything above 4 shows as "3". -1 for none.
int Barcode2DSizeRow(std::uint8_t system, std::uint8_t module_size);

class Barcode2DFontSection {
 public:
  Barcode2DFontSection(DialogPort& port, PageContext* context) : port_(port), context_(context) {}

  // 220 without the sheet's context, 221 when a control cannot be bound.
  std::uint32_t OnInit();
  std::uint32_t OnComboChange(int id);
  std::uint32_t OnClicked(int id);
  void Store();
  std::uint32_t PrintTest();

  std::uint32_t Dispatch(UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

 private:
  Barcode2DFontSettings& Group();
  void FillSystemLists(std::uint8_t system);
  void Load();
  void Refresh();
  void ProposeTestData();
  std::vector<TestInfoLine> InfoLines(const Barcode2DFontSettings& group);

  DialogPort& port_;
  PageContext* context_;
  std::vector<std::u16string> font_names_;
  std::vector<std::u16string> levels_;  // the QR Code levels' texts
  int hex_button_ = 0;
  int position_button_ = 0;
  int info_button_ = 0;
};

// The section's dialog procedure (win32/; nothing on Linux).
INT_PTR CALLBACK Barcode2DFontSectionProc(HWND section, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
