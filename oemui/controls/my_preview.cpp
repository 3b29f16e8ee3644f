#include "oemui/controls/my_preview.h"

#include <algorithm>

namespace kvt {

PreviewOrigin PreviewPlacement(int client_width, int client_height, int image_width,
                               int image_height) {
  return {(client_width - image_width) / 2,
          std::max(kPreviewMinimumTop, (client_height - image_height) / 2)};
}

std::uint32_t CMyPreview::OnCreate() {
  const std::uint32_t result = image_.Create(kPreviewInitialSize, kPreviewInitialSize, 24);
  if (result != kImageOk) return result;
  image_.Fill(kPreviewInitialColour);
  return kImageOk;
}

}  // namespace kvt
