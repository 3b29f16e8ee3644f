#include "oemui/watermark/watermark_preview.h"

#include <functional>
#include <new>

#include "core/result_codes.h"
#include "resources/pictures/picture_ids.h"

namespace kvt {
namespace {

// The receipt's printable area in the background picture.
constexpr int kAreaLeft = 2;
constexpr int kAreaWidth = 141;
constexpr int kAreaTop = 16;
constexpr int kAreaHeight = 138;
constexpr int kLeftColumn = 6;
constexpr int kRightEdge = 139;
constexpr int kTopRow = 20;
constexpr int kBottomEdge = 150;

std::uint32_t LoadOnce(CMyDibSection2& image, const std::function<std::uint32_t()>& load) {
  if (!image.empty()) return kResultOk;
  const std::uint32_t code = load();
  if (code != kImageOk) image.Free();
  return code;
}

}  // namespace

PreviewPoint SamplePoint(int position, int width, int height) {
  if (position < 0 || position > 8) position = 0;
  const int column = position % 3;
  const int row = position / 3;
  const int x = column == 0   ? kLeftColumn
                : column == 1 ? (kAreaWidth - width) / 2 + kAreaLeft
                              : kRightEdge - width;
  const int y = row == 0   ? kTopRow
                : row == 1 ? (kAreaHeight - height) / 2 + kAreaTop
                           : kBottomEdge - height;
  return {x, y};
}

PreviewPoint ContentPoint(int width, int height) {
  return {(kAreaWidth - width) / 2 + kAreaLeft, (kAreaHeight - height) / 2 + kAreaTop};
}

std::uint32_t WatermarkPreview::Background(const CMyDibSection2** picture) {
  const std::uint32_t code = LoadOnce(
      background_, [this] { return background_.LoadPicture(module_, IDB_WATERMARK_RECEIPT); });
  *picture = &background_;
  return code;
}

std::uint32_t WatermarkPreview::Sample(const CMyDibSection2** picture) {
  const std::uint32_t code =
      LoadOnce(sample_, [this] { return sample_.LoadPicture(module_, IDB_WATERMARK_SAMPLE); });
  *picture = &sample_;
  return code;
}

std::uint32_t WatermarkPreview::Content(int index, const CMyDibSection2** picture) {
  CMyDibSection2& content = contents_[index];
  const std::uint32_t code = LoadOnce(content, [&] {
    return content.LoadTiffResource(module_,
                                    static_cast<std::uint32_t>(IDR_WATERMARK_TEXT + index));
  });
  *picture = &content;
  return code;
}

std::uint32_t WatermarkPreview::Compose(std::uint8_t mode, std::uint8_t position,
                                        std::uint8_t direction, bool landscape,
                                        CMyDibSection2* out) {
  if (out == nullptr || (direction != 0 && direction != 2)) return kResultInvalid;
  // Every picture at hand before |out| is touched.
  const CMyDibSection2* background = nullptr;
  std::uint32_t code = Background(&background);
  const CMyDibSection2* sample = nullptr;
  if (code == kResultOk && mode == 1) code = Sample(&sample);
  const CMyDibSection2* content = nullptr;
  if (code == kResultOk) code = Content(direction + (landscape ? 1 : 0), &content);
  if (code != kResultOk) return code;

  try {
    *out = *background;  // reuses |out|'s memory when the size is the same
  } catch (const std::bad_alloc&) {
    return kResultNoMemory;
  }
  if (sample != nullptr) {
    const PreviewPoint at = SamplePoint(position, sample->width(), sample->height());
    code = sample->DrawInto(*out, at.x, at.y, sample->width(), sample->height());
    if (code != kResultOk) return code;
  }
  const PreviewPoint at = ContentPoint(content->width(), content->height());
  return content->DrawInto(*out, at.x, at.y, content->width(), content->height());
}

}  // namespace kvt
