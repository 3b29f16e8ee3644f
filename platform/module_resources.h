// Module resource port: the raw bytes of a resource of a module (Windows:
// FindResourceW, LoadResource, LockResource, SizeofResource) and a bitmap
// resource as 24-bit pixels (Windows: LoadImageW, GetDIBits). Linux modules
// carry no resources, so the host implementation finds none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/library_loader.h"
#include "platform/service.h"

namespace kvt {

// Resource types as numbered by the resource compiler.
inline constexpr std::uint32_t kResourceTypeBitmap = 2;   // RT_BITMAP
inline constexpr std::uint32_t kResourceTypeRcData = 10;  // RT_RCDATA

// A bitmap resource converted to 24 bits per pixel: rows bottom-up, each row
// padded to a multiple of 4 bytes, pixels blue, green, red.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rows;
};

class ModuleResources {
 public:
  virtual ~ModuleResources() = default;

  // The bytes of resource |id| of |type| in |module|. They stay valid while
  // the module stays loaded, so callers read them in place. False, with the
  // thread's last error set, when the module has no such resource.
  virtual bool Find(ModuleHandle module, std::uint32_t type, std::uint32_t id,
                    const std::uint8_t** data, std::size_t* size) = 0;

  // Bitmap resource |id| of |module| as 24-bit pixels. False, with the
  // thread's last error set, when it is missing or cannot be converted.
  virtual bool LoadBitmapPixels(ModuleHandle module, std::uint32_t id, BitmapPixels* bitmap) = 0;
};

template <>
ModuleResources& DefaultService<ModuleResources>();

}  // namespace kvt
