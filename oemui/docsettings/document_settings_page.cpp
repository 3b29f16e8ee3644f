#include "oemui/docsettings/document_settings_page.h"

#include "oemui/page_frame.h"

namespace kvt {

// NOT BUILT YET: this is only the page's frame. The presets, the three
// sections, the preview, the splitter and the settings list do not exist
// yet; the procedure shows template 118 as it stands (its placeholders
// included) and handles only what every frame shares: keeping the
// page context and the apply step. The page's own code replaces this body.
INT_PTR CALLBACK DocumentSettingsPageProc(HWND page, UINT message, WPARAM /*wparam*/,
                                          LPARAM lparam) {
  return PageFrameMessage(page, message, lparam);
}

}  // namespace kvt
