// The plug-in object's slots whose work lives in the sheet code. The
// document sheet is built; the device sheet is still to come, so until then
// it answers E_NOTIMPL and does nothing. The plug-in object already does
// its own part of each slot (recording the OEMCUIPPARAM block and the
// driver interface, checking the mode and the event) before it calls here.
#include "core/sheet_forwarders.h"

#include "core/document_property_sheets.h"

namespace kvt {

HRESULT DocumentPropertySheetsImpl(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state,
                                   IPrintOemDriverUI* driver_ui) {
  return DocumentPropertySheets(info, param, state, driver_ui, InstalledDocumentSheetPages());
}

HRESULT DevicePropertySheetsImpl(PPROPSHEETUI_INFO /*info*/, LPARAM /*param*/,
                                 DeviceSheetState* /*state*/) {
  return E_NOTIMPL;
}

}  // namespace kvt
