// The module's entry point and its two exports (named in KvtQvj2Ui.def).
#include "core/class_object.h"
#include "core/device_property_sheets.h"
#include "core/document_property_sheets.h"
#include "core/module_state.h"
#include "core/option_items.h"
#include "oemui/tools/coded_message.h"
#include "oemui/tools/tools_page.h"
#include "oemui/controls/win32/list_controls_win32.h"
#include "platform/framework_abi.h"

// C linkage: the C runtime's start-up code calls DllMain by its plain name.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  // Resources are loaded from this module, not from the process's exe.
  if (reason == DLL_PROCESS_ATTACH) {
    kvt::SetModuleInstance(instance);
    kvt::SetDocumentSheetPages(&kvt::DocumentSheetPages());
    kvt::SetDeviceSheetPage(&kvt::ToolsPageProc);
    kvt::SetOptionItemsMessageBox(&kvt::ShowCodedMessage);
  }
  // Unloaded by FreeLibrary without the unload check first (a host that is
  // not COM): the window classes must not outlive their code. At process
  // exit (|reserved| set) they go with the process.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    kvt::UnregisterListControls();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return kvt::GetClassObject(rclsid, riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  const HRESULT answer = kvt::CanUnloadNow();
  // COM frees the module after this answer; no sheet, and so no custom
  // control window, is open then.
  if (answer == S_OK) kvt::UnregisterListControls();
  return answer;
}
