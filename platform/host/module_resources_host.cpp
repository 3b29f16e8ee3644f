// Linux: modules carry no resources, so every picture is missing and the
// callers report it as such.
#include "platform/module_resources.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

class HostModuleResources final : public ModuleResources {
 public:
  bool Find(ModuleHandle, std::uint32_t, std::uint32_t, const std::uint8_t** data,
            std::size_t* size) override {
    *data = nullptr;
    *size = 0;
    SetThreadLastError(1813);  // ERROR_RESOURCE_TYPE_NOT_FOUND
    return false;
  }

  bool LoadBitmapPixels(ModuleHandle, std::uint32_t, BitmapPixels* bitmap) override {
    *bitmap = BitmapPixels();
    SetThreadLastError(1813);  // ERROR_RESOURCE_TYPE_NOT_FOUND
    return false;
  }
};

}  // namespace

template <>
ModuleResources& DefaultService<ModuleResources>() {
  static HostModuleResources resources;
  return resources;
}

}  // namespace kvt
