// The portable bodies of the module's two exports, DllGetClassObject and
// DllCanUnloadNow (core/win32/dll_main.cpp exports them).
#pragma once

#include "platform/framework_abi.h"

namespace kvt {

// Hands out a fresh class factory for the plug-in's class, asked for |riid|.
// E_POINTER for a null |ppv| (nothing else is looked at);
// CLASS_E_CLASSNOTAVAILABLE for any other class; E_OUTOFMEMORY; otherwise the
// factory's own answer to |riid|, with no factory left behind on a refusal.
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

// S_OK when no plug-in object is alive and no server lock is held, else
// S_FALSE.
HRESULT CanUnloadNow();

}  // namespace kvt
