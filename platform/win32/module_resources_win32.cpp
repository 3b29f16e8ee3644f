#include "platform/module_resources.h"

#include <windows.h>

namespace kvt {
namespace {

class Win32ModuleResources final : public ModuleResources {
 public:
  bool Find(ModuleHandle module, std::uint32_t type, std::uint32_t id, const std::uint8_t** data,
            std::size_t* size) override {
    *data = nullptr;
    *size = 0;
    HMODULE instance = static_cast<HMODULE>(module);
    HRSRC info = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (info == nullptr) return false;
    HGLOBAL handle = ::LoadResource(instance, info);
    if (handle == nullptr) return false;
    const void* bytes = ::LockResource(handle);
    if (bytes == nullptr) {
      ::SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return false;
    }
    *data = static_cast<const std::uint8_t*>(bytes);
    *size = ::SizeofResource(instance, info);
    return true;
  }

  bool LoadBitmapPixels(ModuleHandle module, std::uint32_t id, BitmapPixels* bitmap) override {
    *bitmap = BitmapPixels();
    HBITMAP loaded =
        static_cast<HBITMAP>(::LoadImageW(static_cast<HINSTANCE>(module), MAKEINTRESOURCEW(id),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (loaded == nullptr) return false;
    BITMAP shape{};
    if (::GetObjectW(loaded, sizeof(shape), &shape) == 0 || shape.bmWidth <= 0 ||
        shape.bmHeight <= 0) {
      ::DeleteObject(loaded);
      ::SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = shape.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(shape.bmWidth) * 3 + 3) & ~std::size_t{3};
    bitmap->rows.resize(stride * static_cast<std::size_t>(shape.bmHeight));
    HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, loaded, 0, static_cast<UINT>(shape.bmHeight),
                                  bitmap->rows.data(), &info, DIB_RGB_COLORS);
    const DWORD error = ::GetLastError();
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(loaded);
    if (lines != shape.bmHeight) {
      bitmap->rows.clear();
      ::SetLastError(error != ERROR_SUCCESS ? error : ERROR_INVALID_DATA);
      return false;
    }
    bitmap->width = shape.bmWidth;
    bitmap->height = shape.bmHeight;
    return true;
  }
};

}  // namespace

template <>
ModuleResources& DefaultService<ModuleResources>() {
  static Win32ModuleResources resources;
  return resources;
}

}  // namespace kvt
