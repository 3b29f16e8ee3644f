#include "oemui/watermark/watermark_page.h"

#include "oemui/page_frame.h"

namespace kvt {

// NOT BUILT YET: this is only the page's frame. The image list, key code,
// position grid, preview, settings list and test print do not exist yet;
// the procedure shows template 120 as it stands (its placeholders included)
// and handles only what every frame shares: keeping the page context and
// the apply step. The page's own code replaces this body.
INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM /*wparam*/, LPARAM lparam) {
  return PageFrameMessage(page, message, lparam);
}

}  // namespace kvt
