// Loading a library by full path on Linux, shared by the loader ports.
#pragma once

#include <dlfcn.h>

#include <string_view>

#include "platform/host/host_path.h"
#include "platform/last_error.h"

namespace kvt::host {

// dlopen of the Windows-style |path|; null with ERROR_MOD_NOT_FOUND when it
// cannot be loaded.
inline void* LoadLibraryAt(std::u16string_view path) {
  void* module = dlopen(ToHostPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) SetThreadLastError(126);  // ERROR_MOD_NOT_FOUND
  return module;
}

inline void FreeLibraryHandle(void* module) {
  if (module != nullptr) dlclose(module);
}

}  // namespace kvt::host
