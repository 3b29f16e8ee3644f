// The module's entry point and its two exports (named in KvtQvj2Ui.def).
#include "core/class_object.h"
#include "core/module_state.h"
#include "platform/framework_abi.h"

// C linkage: the C runtime's start-up code calls DllMain by its plain name.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  // Resources are loaded from this module, not from the process's exe.
  if (reason == DLL_PROCESS_ATTACH) {
    kvt::SetModuleInstance(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return kvt::GetClassObject(rclsid, riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return kvt::CanUnloadNow(); }
