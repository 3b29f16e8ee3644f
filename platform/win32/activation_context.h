// The plug-in's own activation context: wrappers that run LoadLibraryW,
// CreateDialogParamW and CreatePropertySheetPageW with the context made
// from the module's manifest (resource id 2) active, so that the plug-in's
// windows get common controls version 6 whatever the hosting program's
// manifest says. When the context cannot be made, each wrapper makes its
// call without it (the windows then look like the host's).
#pragma once

#include "platform/framework_abi.h"

namespace kvt {

HMODULE LoadLibraryInModuleContext(LPCWSTR path);
HWND CreateDialogParamInModuleContext(HINSTANCE instance, LPCWSTR template_name, HWND parent,
                                      DLGPROC procedure, LPARAM init_param);
HPROPSHEETPAGE CreatePropertySheetPageInModuleContext(LPCPROPSHEETPAGEW page);

}  // namespace kvt
