// The Font page (dialog template 119), second page of the printing
// preferences.
#pragma once

#include "platform/property_sheet_abi.h"

namespace kvt {

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
