// Every picture resource of the module: its id, its resource kind, its size
// and the drawing that makes it. The generator writes them all; the resource
// script and the tests name the files that FileName gives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {

enum class PictureKind {
  kBitmap,  // BITMAP resource, 24 bits per pixel
  kIcon,    // ICON resource, 16 x 16 and 32 x 32 images
  kTiff,    // RCDATA resource, TIFF with premultiplied alpha
};

struct PictureSpec {
  std::uint32_t id;
  PictureKind kind;
  int width;  // icons: the smallest image
  int height;
  // Draws the picture at |width| x |height| (icons are drawn once per size).
  Canvas (*draw)(int width, int height);
  const char* what;
};

const std::vector<PictureSpec>& Catalog();

// "bitmap_223.bmp", "icon_201.ico", "tiff_196.tif".
std::string FileName(const PictureSpec& spec);

// The file's bytes.
std::vector<std::uint8_t> Encode(const PictureSpec& spec);

// Icon images are made at these sizes.
inline constexpr int kIconSizes[] = {16, 32};

}  // namespace kvt::pictures
