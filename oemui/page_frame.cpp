#include "oemui/page_frame.h"

#include <cstring>

#include "platform/page_window.h"

namespace kvt {

void ApplyDocumentPages(PageContext* context) {
  if (context == nullptr) return;
  std::memcpy(&context->AppliedSettings, &context->WorkingSettings, sizeof(PrivateSettings));
  if (context->pfnComPropSheet != nullptr) {
    context->pfnComPropSheet(context->hComPropSheet, CPSFUNC_SET_RESULT,
                             reinterpret_cast<LPARAM>(context->hFontPage), CPSUI_OK);
  }
}

INT_PTR PageFrameMessage(HWND page, UINT message, LPARAM lparam) {
  if (message == kWmInitDialog) {
    const auto* description = reinterpret_cast<const PropertySheetPageW*>(lparam);
    Service<PageWindow>().SetPageData(
        page, description != nullptr ? reinterpret_cast<void*>(description->lParam) : nullptr);
    return 1;  // let the dialog manager set the focus
  }
  if (message == kWmNotify && lparam != 0 &&
      reinterpret_cast<const NotifyHeader*>(lparam)->code == kPsnApply) {
    ApplyDocumentPages(static_cast<PageContext*>(Service<PageWindow>().PageData(page)));
    return 0;  // PSNRET_NOERROR: the sheet may close
  }
  return 0;
}

}  // namespace kvt
