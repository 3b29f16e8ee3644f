// Linux has no windows: the page's procedure exists so the sheet's page
// table links, and handles nothing.
#include "oemui/watermark/watermark_page.h"

namespace kvt {

INT_PTR CALLBACK WatermarkPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace kvt
