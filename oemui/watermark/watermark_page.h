// The Watermark page (dialog template 120), third page of the printing
// preferences.
#pragma once

#include "platform/property_sheet_abi.h"

namespace kvt {

INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
