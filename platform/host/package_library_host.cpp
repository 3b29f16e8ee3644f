// Linux: the plug-in's own folder is the folder of the program or shared
// object that holds this code; the system folder is "System32" below the
// Windows folder's stand-in (host_windows_folder.h). Libraries load with
// dlopen, so the package's Windows libraries never load here and their
// callers take their fallbacks.
#include "platform/package_library.h"

#include <dlfcn.h>

#include <string>

#include "platform/host/host_library.h"
#include "platform/host/host_path.h"
#include "platform/host/host_windows_folder.h"
#include "platform/last_error.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

void Anchor() {}

class HostPackageLibraryLoader final : public PackageLibraryLoader {
 public:
  bool OwnFolder(std::u16string* folder) override {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Anchor), &info) == 0 || info.dli_fname == nullptr) {
      SetThreadLastError(2);  // ERROR_FILE_NOT_FOUND
      return false;
    }
    const std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) {
      SetThreadLastError(161);  // ERROR_BAD_PATHNAME
      return false;
    }
    *folder = Utf8ToUtf16(path.substr(0, slash));
    return true;
  }

  bool SystemFolder(std::u16string* folder) override {
    *folder = Utf8ToUtf16(host::WindowsFolder()) + u"\\System32";
    return true;
  }

  ModuleHandle Load(std::u16string_view path) override { return host::LoadLibraryAt(path); }
  void Free(ModuleHandle module) override { host::FreeLibraryHandle(module); }
  LibraryEntry FindEntry(ModuleHandle module, const char* name) override {
    void* entry = module != nullptr ? dlsym(module, name) : nullptr;
    if (entry == nullptr) SetThreadLastError(127);  // ERROR_PROC_NOT_FOUND
    return reinterpret_cast<LibraryEntry>(entry);
  }
};

}  // namespace

template <>
PackageLibraryLoader& DefaultService<PackageLibraryLoader>() {
  static HostPackageLibraryLoader loader;
  return loader;
}

}  // namespace kvt
