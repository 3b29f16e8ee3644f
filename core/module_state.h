// Process-wide state of the plug-in module: its instance handle and the two
// counters that decide whether the module may be unloaded.
#pragma once

#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

// The module's own instance handle. Recorded once when the process attaches;
// every dialog template, string and bitmap of the plug-in is loaded from it.
// Null until then (and always in native tests).
void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();

// Plug-in objects alive in this process. A plug-in object counts itself in
// when it is made and out when its last reference goes.
void AddLiveObject();
void RemoveLiveObject();
std::uint32_t LiveObjectCount();

// The server lock count that IClassFactory::LockServer moves: a non-zero flag
// takes a lock, zero gives one back.
void LockModule(bool lock);
std::int32_t ServerLockCount();

}  // namespace kvt
