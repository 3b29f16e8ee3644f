// The Document Settings page (dialog template 118), first page of the
// printing preferences.
#pragma once

#include "platform/property_sheet_abi.h"

namespace kvt {

INT_PTR CALLBACK DocumentSettingsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvt
