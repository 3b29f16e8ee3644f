#include "platform/image_device.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace kvt {
namespace {

static_assert(sizeof(BitmapInfoHeader) == sizeof(BITMAPINFOHEADER), "same header layout");
static_assert(sizeof(RgbQuad) == sizeof(RGBQUAD), "same colour entry layout");

// The BITMAPINFO block GDI takes: the header followed by its colour table.
std::vector<std::uint8_t> InfoBlock(const PixelView& image) {
  const std::size_t colours = image.header->biClrUsed;
  std::vector<std::uint8_t> block(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
  std::memcpy(block.data(), image.header, sizeof(BITMAPINFOHEADER));
  if (colours != 0) {
    std::memcpy(block.data() + sizeof(BITMAPINFOHEADER), image.colours, colours * sizeof(RGBQUAD));
  }
  return block;
}

class Win32ImageDevice final : public ImageDevice {
 public:
  bool Draw(DeviceContext dc, int x, int y, int width, int height, const PixelView& image,
            std::uint32_t rop) override {
    std::vector<std::uint8_t> info = InfoBlock(image);
    // Rows are stored bottom-up, so the top-left rectangle starts
    // |height| rows below the picture's top, counted from its bottom.
    const int source_y = image.header->biHeight - height;
    const int lines = ::StretchDIBits(
        static_cast<HDC>(dc), x, y, width, height, 0, source_y, width, height, image.bits,
        reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, rop);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) {
      if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
    return true;
  }

  bool Read(DeviceContext dc, int x, int y, const PixelView& image) override {
    std::vector<std::uint8_t> info = InfoBlock(image);
    void* section_bits = nullptr;
    HBITMAP section =
        ::CreateDIBSection(static_cast<HDC>(dc), reinterpret_cast<const BITMAPINFO*>(info.data()),
                           DIB_RGB_COLORS, &section_bits, nullptr, 0);
    if (section == nullptr) return false;
    HDC memory = ::CreateCompatibleDC(static_cast<HDC>(dc));
    if (memory == nullptr) {
      ::DeleteObject(section);
      return false;
    }
    HGDIOBJ previous = ::SelectObject(memory, section);
    const BOOL copied = ::BitBlt(memory, 0, 0, image.header->biWidth, image.header->biHeight,
                                 static_cast<HDC>(dc), x, y, SRCCOPY);
    const DWORD error = ::GetLastError();
    ::GdiFlush();
    if (copied) std::memcpy(image.bits, section_bits, image.header->biSizeImage);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(section);
    if (!copied) {
      ::SetLastError(error);
      return false;
    }
    return true;
  }

  BitmapHandle CreateSection(const PixelView& image) override {
    std::vector<std::uint8_t> info = InfoBlock(image);
    HDC screen = ::GetDC(nullptr);
    void* section_bits = nullptr;
    HBITMAP section = ::CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                         DIB_RGB_COLORS, &section_bits, nullptr, 0);
    const DWORD error = ::GetLastError();
    ::ReleaseDC(nullptr, screen);
    if (section == nullptr) {
      ::SetLastError(error);
      return nullptr;
    }
    std::memcpy(section_bits, image.bits, image.header->biSizeImage);
    return section;
  }

  void DeleteBitmap(BitmapHandle bitmap) override {
    if (bitmap != nullptr) ::DeleteObject(static_cast<HBITMAP>(bitmap));
  }
};

}  // namespace

template <>
ImageDevice& DefaultService<ImageDevice>() {
  static Win32ImageDevice device;
  return device;
}

}  // namespace kvt
