#include <stdexcept>

#include "tools/picture_gen/drawings.h"
#include "tools/picture_gen/picture_files.h"
#include "tools/picture_gen/pictures.h"

namespace kvt::pictures {

const std::vector<PictureSpec>& Catalog() {
  using K = PictureKind;
  static const std::vector<PictureSpec> catalog = {
      // Step buttons: image (SRCPAINT) and mask (SRCAND) pairs.
      {130, K::kBitmap, 13, 13, DrawStepLeftImage, "step left, image"},
      {131, K::kBitmap, 13, 13, DrawStepLeftMask, "step left, mask"},
      {132, K::kBitmap, 13, 13, DrawStepRightMask, "step right, mask"},
      {133, K::kBitmap, 13, 13, DrawStepRightImage, "step right, image"},
      // Watermark position grid, enabled and disabled.
      {155, K::kBitmap, 85, 100, DrawGrid, "position grid"},
      {167, K::kBitmap, 85, 100, DrawGridDisabled, "position grid, disabled"},
      {156, K::kBitmap, 140, 56, DrawToolsLogo, "tools logo"},
      {189, K::kBitmap, 146, 169, DrawWatermarkReceipt, "watermark receipt"},
      {196, K::kTiff, 85, 75, DrawWatermarkText, "watermark page text"},
      {197, K::kTiff, 75, 85, DrawWatermarkTextSideways, "watermark page text, landscape"},
      {198, K::kTiff, 85, 75, DrawWatermarkTextUpsideDown, "watermark page text, back to front"},
      {199, K::kTiff, 75, 85, DrawWatermarkTextSidewaysUpsideDown,
       "watermark page text, landscape back to front"},
      {201, K::kIcon, 16, 16, DrawIconDocument, "document"},
      {202, K::kIcon, 16, 16, DrawIconPrinter, "printer"},
      {203, K::kIcon, 16, 16, DrawIconReceipt, "receipt"},
      {204, K::kIcon, 16, 16, DrawIconGeneral, "general settings"},
      {205, K::kIcon, 16, 16, DrawIconPaperCut, "paper cut"},
      {206, K::kIcon, 16, 16, DrawIconDeviceFont, "device font"},
      {207, K::kIcon, 16, 16, DrawIconOption, "option settings"},
      {208, K::kIcon, 16, 16, DrawIconWatermark, "watermark"},
      {209, K::kIcon, 16, 16, DrawIconBarcode, "barcode font"},
      {210, K::kIcon, 16, 16, DrawIconBarcode2D, "2D barcode font"},
      {211, K::kIcon, 16, 16, DrawIconControlA, "Control A font"},
      // Cut marks: image (SRCPAINT) and mask (SRCAND) pairs.
      {215, K::kBitmap, 110, 13, DrawPartialCutImage, "partial cut, image"},
      {216, K::kBitmap, 110, 13, DrawPartialCutMask, "partial cut, mask"},
      {217, K::kBitmap, 110, 13, DrawPartialFeedCutImage, "partial cut after feed, image"},
      {218, K::kBitmap, 110, 13, DrawPartialFeedCutMask, "partial cut after feed, mask"},
      {219, K::kBitmap, 110, 13, DrawFullCutImage, "full cut, image"},
      {220, K::kBitmap, 110, 13, DrawFullCutMask, "full cut, mask"},
      {221, K::kBitmap, 110, 13, DrawFullFeedCutImage, "full cut after feed, image"},
      {222, K::kBitmap, 110, 13, DrawFullFeedCutMask, "full cut after feed, mask"},
      // Receipt outlines by margin.
      {223, K::kBitmap, 187, 136, DrawOutline, "outline, minimum margin"},
      {224, K::kBitmap, 187, 166, DrawOutline, "outline, minimum top or bottom margin"},
      {225, K::kBitmap, 188, 202, DrawOutline, "outline, maximum margin"},
      // Page content, put on the outline with SRCAND.
      {229, K::kBitmap, 54, 28, DrawContentUpright, "content"},
      {230, K::kBitmap, 46, 34, DrawContentSideways, "content, landscape"},
      {231, K::kBitmap, 54, 28, DrawContentUpsideDown, "content, back to front"},
      {232, K::kBitmap, 46, 34, DrawContentSidewaysUpsideDown, "content, landscape back to front"},
      {245, K::kBitmap, 72, 33, DrawWatermarkSample, "stored image sample"},
      {246, K::kBitmap, 22, 16, DrawDrawer, "cash drawer"},
      // Preset icons.
      {250, K::kBitmap, 32, 32, DrawPresetUser, "preset: user setting"},
      {251, K::kBitmap, 32, 32, DrawPreset58Marked, "preset: 58mm marked paper"},
      {252, K::kBitmap, 32, 32, DrawPreset58Receipt, "preset: 58mm receipt"},
      {253, K::kBitmap, 32, 32, DrawPresetA4To58, "preset: A4 to 58mm"},
      {254, K::kBitmap, 32, 32, DrawPreset80Marked, "preset: 80mm marked paper"},
      {255, K::kBitmap, 32, 32, DrawPreset80Receipt, "preset: 80mm receipt"},
      {256, K::kBitmap, 32, 32, DrawPresetA4To80, "preset: A4 to 80mm"},
      {257, K::kBitmap, 187, 150, DrawFontsUsable, "device fonts"},
      {258, K::kBitmap, 187, 150, DrawFontsBlocked, "device fonts not available"},
  };
  return catalog;
}

std::string FileName(const PictureSpec& spec) {
  switch (spec.kind) {
    case PictureKind::kBitmap:
      return "bitmap_" + std::to_string(spec.id) + ".bmp";
    case PictureKind::kIcon:
      return "icon_" + std::to_string(spec.id) + ".ico";
    case PictureKind::kTiff:
      return "tiff_" + std::to_string(spec.id) + ".tif";
  }
  return std::string();
}

namespace {

Canvas DrawChecked(const PictureSpec& spec, int width, int height) {
  Canvas canvas = spec.draw(width, height);
  if (canvas.width() != width || canvas.height() != height) {
    throw std::runtime_error("picture " + std::to_string(spec.id) + " drawn at the wrong size");
  }
  return canvas;
}

}  // namespace

std::vector<std::uint8_t> Encode(const PictureSpec& spec) {
  switch (spec.kind) {
    case PictureKind::kBitmap:
      return EncodeBmp24(DrawChecked(spec, spec.width, spec.height));
    case PictureKind::kIcon: {
      std::vector<Canvas> images;
      for (int size : kIconSizes) images.push_back(DrawChecked(spec, size, size));
      return EncodeIco(images);
    }
    case PictureKind::kTiff:
      return EncodeTiffPremultiplied(DrawChecked(spec, spec.width, spec.height));
  }
  return {};
}

}  // namespace kvt::pictures
