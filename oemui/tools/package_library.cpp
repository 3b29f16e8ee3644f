#include "oemui/tools/package_library.h"

#include <string>

#include "platform/last_error.h"
#include "platform/package_library.h"

namespace kvt {
namespace {

ModuleHandle LoadFrom(PackageLibraryLoader& loader, const std::u16string& folder,
                      std::u16string_view file_name) {
  if (folder.empty()) return nullptr;
  std::u16string path = folder;
  if (path.back() != u'\\' && path.back() != u'/') path += u'\\';
  path += file_name;
  return loader.Load(path);
}

}  // namespace

ModuleHandle LoadPackageLibrary(std::u16string_view file_name) {
  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  std::u16string folder;
  if (loader.OwnFolder(&folder)) {
    if (ModuleHandle module = LoadFrom(loader, folder, file_name)) return module;
  }
  folder.clear();
  if (loader.SystemFolder(&folder)) {
    if (ModuleHandle module = LoadFrom(loader, folder, file_name)) return module;
  }
  return nullptr;
}

}  // namespace kvt
