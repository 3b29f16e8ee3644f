// Linux has no windows: the procedures of the page and its sections exist
// so the sheet's page table links, and handle nothing.
#include "oemui/docsettings/document_settings_page.h"
#include "oemui/docsettings/general_section.h"
#include "oemui/docsettings/paper_cut_section.h"
#include "oemui/docsettings/option_section.h"

namespace kvt {

INT_PTR CALLBACK DocumentSettingsPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK GeneralSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK PaperCutSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK OptionSectionProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace kvt
