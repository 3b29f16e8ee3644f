// The pages the document sheet adds, in the order the user sees them.
#include "core/document_property_sheets.h"
#include "oemui/docsettings/document_settings_page.h"
#include "oemui/fontpage/font_page.h"
#include "oemui/watermark/watermark_page.h"
#include "resources/resource_ids.h"

namespace kvt {

const DocumentPageSet& DocumentSheetPages() {
  static const DocumentPageSet pages = {{
      {IDD_DOCUMENT_SETTINGS_PAGE, IDS_DOCUMENT_SETTINGS_TITLE, &DocumentSettingsPageProc},
      {IDD_FONT_PAGE, IDS_FONT_TITLE, &FontPageProc},
      {IDD_WATERMARK_PAGE, IDS_WATERMARK_TITLE, &WatermarkPageProc},
  }};
  return pages;
}

}  // namespace kvt
