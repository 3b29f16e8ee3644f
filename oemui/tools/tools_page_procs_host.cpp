// Linux has no windows: the procedures exist so the module's wiring links,
// and handle nothing.
#include "oemui/tools/tools_page.h"

namespace kvt {

INT_PTR CALLBACK ToolsPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR CALLBACK ToolsDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace kvt
