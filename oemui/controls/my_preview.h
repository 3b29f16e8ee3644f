// CMyPreview: the box that shows a page's picture. It starts with a plain
// 128 x 128 light-grey picture so that an empty page still shows where the
// preview will be.
#pragma once

#include <cstdint>

#include "oemui/watermark/dib_section.h"

namespace kvt {

inline constexpr int kPreviewInitialSize = 128;
inline constexpr std::uint32_t kPreviewInitialColour = 0xF0F0F0;
// The picture never touches the sunken edge at the top.
inline constexpr int kPreviewMinimumTop = 4;

struct PreviewOrigin {
  int x = 0;
  int y = 0;
};

// Where the picture's top-left corner goes in the client area: centred
// across, centred down but at least 4 pixels from the top.
PreviewOrigin PreviewPlacement(int client_width, int client_height, int image_width,
                               int image_height);

class CMyPreview {
 public:
  // Makes the initial picture. Answers the image code (0 when made).
  std::uint32_t OnCreate();

  // Shows a copy of |image|; answers the image code.
  std::uint32_t SetImage(const CMyDibSection2& image) { return image_.CopyFrom(image); }
  const CMyDibSection2& image() const { return image_; }

 private:
  CMyDibSection2 image_;
};

}  // namespace kvt
