#include "resources/pictures/file_module_resources.h"

#include <fstream>
#include <iterator>

#include "platform/last_error.h"

namespace kvt::testing {
namespace {

constexpr std::uint32_t kNotFound = 1814;   // ERROR_RESOURCE_NAME_NOT_FOUND
constexpr std::uint32_t kInvalidData = 13;  // ERROR_INVALID_DATA

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

std::string NameOf(std::uint32_t type, std::uint32_t id) {
  switch (type) {
    case kResourceTypeBitmap:
      return "bitmap_" + std::to_string(id) + ".bmp";
    case kResourceTypeRcData:
      return "tiff_" + std::to_string(id) + ".tif";
    case kResourceTypeIcon:
      return "icon_" + std::to_string(id) + ".ico";
  }
  return std::string();
}

}  // namespace

const std::vector<std::uint8_t>& FileModuleResources::FileBytes(const std::string& name) {
  auto it = files_.find(name);
  if (it == files_.end()) {
    std::ifstream in(folder_ + "/" + name, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    it = files_.emplace(name, std::move(bytes)).first;
  }
  return it->second;
}

bool FileModuleResources::Find(ModuleHandle, std::uint32_t type, std::uint32_t id,
                               const std::uint8_t** data, std::size_t* size) {
  const std::vector<std::uint8_t>& bytes = FileBytes(NameOf(type, id));
  *data = bytes.empty() ? nullptr : bytes.data();
  *size = bytes.size();
  if (bytes.empty()) SetThreadLastError(kNotFound);
  return !bytes.empty();
}

bool FileModuleResources::LoadBitmapPixels(ModuleHandle, std::uint32_t id, BitmapPixels* bitmap) {
  *bitmap = BitmapPixels();
  const std::vector<std::uint8_t>& b = FileBytes(NameOf(kResourceTypeBitmap, id));
  if (b.empty()) {
    SetThreadLastError(kNotFound);
    return false;
  }
  // BITMAPFILEHEADER, then BITMAPINFOHEADER: 24 bits, uncompressed,
  // bottom-up, which is all the generator writes.
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Le(b, 14, 4) != 40 || Le(b, 28, 2) != 24 ||
      Le(b, 30, 4) != 0) {
    SetThreadLastError(kInvalidData);
    return false;
  }
  const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
  const auto height = static_cast<std::int32_t>(Le(b, 22, 4));
  const std::size_t offset = Le(b, 10, 4);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  if (width <= 0 || height <= 0 || offset > b.size() ||
      (b.size() - offset) / stride < static_cast<std::size_t>(height)) {
    SetThreadLastError(kInvalidData);
    return false;
  }
  bitmap->width = width;
  bitmap->height = height;
  bitmap->rows.assign(b.begin() + static_cast<std::ptrdiff_t>(offset),
                      b.begin() + static_cast<std::ptrdiff_t>(offset + stride * height));
  return true;
}

}  // namespace kvt::testing
