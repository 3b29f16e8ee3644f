#include "oemui/fontpage/font_page.h"

#include "oemui/page_frame.h"

namespace kvt {

// NOT BUILT YET: this is only the page's frame. The device-font, barcode,
// 2D-barcode and Control A sections, the picture, the splitter and the list
// do not exist yet; the procedure shows template 119 as it stands (its
// placeholders included) and handles only what every frame shares: keeping the
// page context and the apply step. The page's own code replaces this body.
INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM /*wparam*/, LPARAM lparam) {
  return PageFrameMessage(page, message, lparam);
}

}  // namespace kvt
