// The printing-preferences sheet: what the plug-in object's
// DocumentPropertySheets does for each call of the framework.
//
// The framework calls it several times for one sheet, each time with a
// reason in PROPSHEETUI_INFO:
//   PROPSHEETUI_REASON_INIT            set up: allocate the PageContext, copy
//                                      the document's settings into it, fill
//                                      the DocUiState and add the three pages
//   PROPSHEETUI_REASON_GET_INFO_HEADER the sheet's title
//   PROPSHEETUI_REASON_SET_RESULT      copy WorkingSettings into the
//                                      framework's private buffer
//   PROPSHEETUI_REASON_DESTROY         free the option items' contents, the
//                                      DocUiState and the PageContext
// The PageContext travels in PROPSHEETUI_INFO::UserData between the calls.
#pragma once

#include <array>
#include <cstdint>

#include "core/device_sheet_state.h"
#include "platform/framework_abi.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

// One page of the sheet: its dialog template, its title string (both in the
// module's own resources) and its dialog procedure. The procedure receives
// the PROPSHEETPAGEW on WM_INITDIALOG; its lParam is the sheet's PageContext.
struct DocumentPage {
  std::uint16_t template_id;
  std::uint16_t title_id;
  DLGPROC procedure;
};
using DocumentPageSet = std::array<DocumentPage, 3>;

// The plug-in's pages in sheet order: Document Settings (118, title 500),
// Font (119, 501), Watermark (120, 502). Defined beside the pages (oemui/),
// which sit above this code: the module hands them in once at start-up.
const DocumentPageSet& DocumentSheetPages();
void SetDocumentSheetPages(const DocumentPageSet* pages);
// The pages handed in; a set of empty slots (no procedure, nothing added)
// before that.
const DocumentPageSet& InstalledDocumentSheetPages();

// The title the sheet reports for PROPSHEETUI_REASON_GET_INFO_HEADER.
inline constexpr char16_t kDocumentSheetTitle[] = u"WaterMark UI Page";

// Titles are loaded into a buffer of this many characters.
inline constexpr std::size_t kPageTitleChars = 128;

// Frees what the option-item builder allocated for the plug-in's items of
// |cuip|: each item's option texts, option array, option type and name, and
// the user data; every pointer freed is set to null, so a second call frees
// nothing.
void FreePluginOptionItems(OEMCUIPPARAM* cuip);

// Answers for the framework, result in info->Result:
//   null |info|, or Version other than 0x100: last error 87, E_FAIL;
//   INIT: Result 0; S_OK, or S_FALSE when the PageContext cannot be had;
//         no OEMUIPSPARAM in lParamInit: last error 87, E_FAIL;
//   GET_INFO_HEADER, DESTROY: Result 1, S_OK;
//   SET_RESULT: Result from the SETRESULT_INFO in |param|, S_OK;
//   anything else: Result 0, S_OK.
// |state| gives the OEMCUIPPARAM of the object's last CommonUIProp call
// (may be null); |driver_ui| is recorded in the PageContext uncounted.
HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param, const DeviceSheetState* state,
                               IPrintOemDriverUI* driver_ui, const DocumentPageSet& pages);

}  // namespace kvt
