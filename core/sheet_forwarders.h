// The plug-in object's slots whose work lives in the sheet and option-item
// code. Each answers as the framework expects once its own code is built.
#pragma once

#include "core/device_sheet_state.h"
#include "core/option_items.h"
#include "core/printer_initialization.h"
#include "platform/framework_abi.h"

namespace kvt {

HRESULT DocumentPropertySheetsImpl(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state,
                                   IPrintOemDriverUI* driver_ui);
HRESULT DevicePropertySheetsImpl(PPROPSHEETUI_INFO info, LPARAM param, DeviceSheetState* state);
// CommonUIProp goes to BuildOptionItems (core/option_items.h) and
// PrinterEvent's initialisation to InitializePrinter
// (core/printer_initialization.h).

}  // namespace kvt
