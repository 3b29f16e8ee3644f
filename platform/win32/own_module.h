// The module that holds this code: the plug-in when it runs in the print
// dialog, the test program in a test (everything is linked statically into
// one of them).
#pragma once

#include <windows.h>

namespace kvt {

// Null when the loader cannot say (it always can for loaded code).
HMODULE OwnModule();

}  // namespace kvt
