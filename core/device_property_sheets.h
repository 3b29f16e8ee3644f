// The printer-properties sheet: what the plug-in object's
// DevicePropertySheets does for each call of the framework.
//
//   PROPSHEETUI_REASON_INIT            bring the printer's stored default
//                                      device mode up to the driver's
//                                      version, then add the Tools page
//   PROPSHEETUI_REASON_GET_INFO_HEADER the sheet's title
//   PROPSHEETUI_REASON_SET_RESULT      the given result, nothing else
//   PROPSHEETUI_REASON_DESTROY         free the option items the device
//                                      tree was given
#pragma once

#include "core/device_sheet_state.h"
#include "platform/framework_abi.h"
#include "platform/property_sheet_abi.h"

namespace kvt {

// The Tools page's dialog template, and the procedure that runs it. The
// page sits above this code (oemui/tools/): the module hands the procedure
// in once at start-up; before that the sheet adds no page.
inline constexpr std::uint16_t kToolsPageTemplate = 121;
void SetDeviceSheetPage(DLGPROC tools_page);
DLGPROC InstalledDeviceSheetPage();

// Brings |printer|'s stored default device mode up to the driver's own:
// written (SetPrinterW level 2) when the printer has none or an older
// dmDriverVersion; ResetPrinterW stands in when the write is denied (5).
// False when the printer's information, the driver's device mode or both
// writes fail. Frees every buffer it took, on every path.
bool RefreshPrinterDefaults(HANDLE printer, const char16_t* printer_name);

// Answers for the framework, result in info->Result:
//   null |info|, or Version other than 0x100: last error 87, E_FAIL;
//   INIT: Result 0 with the page added, 1 when the refresh failed;
//         no OEMUIPSPARAM in lParamInit: last error 87, E_FAIL;
//   GET_INFO_HEADER, DESTROY: Result 1;
//   SET_RESULT: Result from the SETRESULT_INFO in |param|;
//   anything else: Result 0. S_OK in every case but the refusals.
HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state,
                             DLGPROC tools_page);

}  // namespace kvt
