// The plug-in object's slots whose work lives in the sheet code. The
// plug-in object already does its own part of each slot (recording the
// OEMCUIPPARAM block and the driver interface, checking the mode and the
// event) before it calls here.
#include "core/sheet_forwarders.h"

#include "core/device_property_sheets.h"
#include "core/document_property_sheets.h"

namespace kvt {

HRESULT DocumentPropertySheetsImpl(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state,
                                   IPrintOemDriverUI* driver_ui) {
  return DocumentPropertySheets(info, param, state, driver_ui, InstalledDocumentSheetPages());
}

HRESULT DevicePropertySheetsImpl(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state) {
  return DevicePropertySheets(info, param, state, InstalledDeviceSheetPage());
}

}  // namespace kvt
