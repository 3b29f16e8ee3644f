// Linux: there are no device contexts; pictures are composed into other
// pictures only.
#include "platform/image_device.h"

#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr std::uint32_t kNotSupported = 50;  // ERROR_NOT_SUPPORTED

class HostImageDevice final : public ImageDevice {
 public:
  bool Draw(DeviceContext, int, int, int, int, const PixelView&, std::uint32_t) override {
    SetThreadLastError(kNotSupported);
    return false;
  }
  bool Read(DeviceContext, int, int, const PixelView&) override {
    SetThreadLastError(kNotSupported);
    return false;
  }
  BitmapHandle CreateSection(const PixelView&) override {
    SetThreadLastError(kNotSupported);
    return nullptr;
  }
  void DeleteBitmap(BitmapHandle) override {}
};

}  // namespace

template <>
ImageDevice& DefaultService<ImageDevice>() {
  static HostImageDevice device;
  return device;
}

}  // namespace kvt
