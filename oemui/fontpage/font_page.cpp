#include "oemui/fontpage/font_page.h"

namespace kvt {

// NOT BUILT YET: this is only the page's frame. The device-font, barcode,
// 2D-barcode and Control A sections, the picture, the splitter and the list
// do not exist yet; the procedure shows template 119 as it stands (its
// placeholders included) and handles nothing, so applying changes nothing
// in the settings. The page's own code replaces this body.
INT_PTR CALLBACK FontPageProc(HWND /*page*/, UINT message, WPARAM /*wparam*/, LPARAM /*lparam*/) {
  // TRUE for WM_INITDIALOG: let the dialog manager set the focus.
  return message == kWmInitDialog ? 1 : 0;
}

}  // namespace kvt
