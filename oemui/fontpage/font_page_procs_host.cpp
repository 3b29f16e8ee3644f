// Linux has no windows: the procedures of the page, its sections and its
// panel exist so the sheet's page table links, and handle nothing.
#include "oemui/fontpage/barcode_2d_font_section.h"
#include "oemui/fontpage/barcode_font_section.h"
#include "oemui/fontpage/control_a_font_section.h"
#include "oemui/fontpage/device_font_section.h"
#include "oemui/fontpage/font_page.h"
#include "oemui/fontpage/font_unavailable_panel.h"

namespace kvt {

INT_PTR CALLBACK FontPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK DeviceFontSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK BarcodeFontSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK Barcode2DFontSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK ControlAFontSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK FontUnavailablePanelProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace kvt
