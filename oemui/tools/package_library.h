// Loading a library of the driver package ("KvtQvj2Res2.dll", ...) by its
// full path: first from the plug-in's own folder, where the package
// installs its files beside the plug-in, then from the system folder. Never
// by the bare name, which the default search order would look for in the
// application's and the current folder first.
#pragma once

#include <string_view>

#include "platform/library_loader.h"

namespace kvt {

// The loaded library, or null with the thread's last error of the last
// attempt. Free it with Service<PackageLibraryLoader>().Free.
ModuleHandle LoadPackageLibrary(std::u16string_view file_name);

}  // namespace kvt
