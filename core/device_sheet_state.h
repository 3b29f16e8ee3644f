// DeviceSheetState: what the plug-in object keeps for the sheets. The
// document sheet takes the recorded OEMCUIPPARAM from it; the device sheet and
// its Tools page record the framework's sheet handle, callback and page here.
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

// -1 as a handle: "not added yet", distinct from a null answer of the sheet
// callback, which means the framework refused the page.
inline HANDLE NoSheetHandle() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

struct DeviceSheetState {
  // The framework's sheet handle, recorded when the device sheet adds its page.
  HANDLE hComPropSheet = NoSheetHandle();
  // The Tools page as the sheet callback answered when it was added; the page
  // hands it back when it reports its result.
  HANDLE hToolPage = NoSheetHandle();
  // The framework's sheet callback, recorded with hComPropSheet.
  PFNCOMPROPSHEET pfnComPropSheet = nullptr;
  // The block of the last CommonUIProp call: option items and their user data
  // for the document sheet, printer handle and name for the Tools page.
  POEMCUIPPARAM pOemCuipParam = nullptr;
  // A plain copy of the object's driver interface, not a counted reference:
  // the object holds the reference and outlives every sheet it builds.
  IPrintOemDriverUI* pDriverUI = nullptr;
};

}  // namespace kvt
