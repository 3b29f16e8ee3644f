#include "oemui/docsettings/settings_preview.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/result_codes.h"
#include "resources/pictures/picture_ids.h"

namespace kvt {
namespace {

// Where things go, by margin (0 minimum, 1 minimum top, 2 minimum bottom,
// 3 maximum). Coordinates are pixels of the outline from its top left.
constexpr std::uint32_t kOutlines[] = {IDB_OUTLINE_MINIMUM, IDB_OUTLINE_ONE_SIDE,
                                       IDB_OUTLINE_ONE_SIDE, IDB_OUTLINE_MAXIMUM};
constexpr int kMargins = 4;
// First and second page of the content, upright and sideways pictures.
constexpr int kUprightX = 68;
constexpr int kUprightY[kMargins][2] = {{13, 62}, {13, 77}, {28, 92}, {29, 111}};
constexpr int kSidewaysX = 72;
constexpr int kSidewaysY[kMargins][2] = {{9, 58}, {13, 77}, {21, 85}, {25, 107}};
constexpr int kCutX = 44;
constexpr int kCutBetweenY[kMargins] = {43, 58, 58, 76};
constexpr int kCutEndY[kMargins] = {92, 122, 122, 158};
constexpr int kStartDrawerX = 24;
constexpr int kStartDrawerY = 0;
constexpr int kEndDrawerX = 147;
constexpr int kEndDrawerY[kMargins] = {119, 149, 149, 185};

// Content by direction (0..3), portrait and landscape. A page printed back
// to front is the same picture turned half way.
constexpr std::uint32_t kContent[4][2] = {
    {IDB_CONTENT, IDB_CONTENT_SIDEWAYS},
    {IDB_CONTENT_SIDEWAYS, IDB_CONTENT_UPSIDE_DOWN},
    {IDB_CONTENT_UPSIDE_DOWN, IDB_CONTENT_SIDEWAYS_UPSIDE_DOWN},
    {IDB_CONTENT_SIDEWAYS_UPSIDE_DOWN, IDB_CONTENT},
};

enum class Cut { kNone, kFull, kPartial };
// Between the pages and at the end of the job, by paper cut mode 0..5.
constexpr Cut kCuts[6][2] = {
    {Cut::kNone, Cut::kNone}, {Cut::kNone, Cut::kFull},       {Cut::kNone, Cut::kPartial},
    {Cut::kFull, Cut::kFull}, {Cut::kPartial, Cut::kPartial}, {Cut::kPartial, Cut::kFull},
};

struct CutMark {
  std::uint32_t mask;
  std::uint32_t image;
};

CutMark MarkOf(Cut cut, bool feed_to_cut) {
  if (cut == Cut::kFull) {
    return feed_to_cut ? CutMark{IDB_FULL_FEED_CUT_MASK, IDB_FULL_FEED_CUT}
                       : CutMark{IDB_FULL_CUT_MASK, IDB_FULL_CUT};
  }
  return feed_to_cut ? CutMark{IDB_PARTIAL_FEED_CUT_MASK, IDB_PARTIAL_FEED_CUT}
                     : CutMark{IDB_PARTIAL_CUT_MASK, IDB_PARTIAL_CUT};
}

// d[i] = op(d[i], s[i]) for |bytes| bytes, eight at a time.
template <class Op>
void CombineRow(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes, Op op) {
  std::size_t i = 0;
  for (; i + 8 <= bytes; i += 8) {
    std::uint64_t a, b;
    std::memcpy(&a, d + i, 8);
    std::memcpy(&b, s + i, 8);
    a = op(a, b);
    std::memcpy(d + i, &a, 8);
  }
  for (; i < bytes; ++i) d[i] = static_cast<std::uint8_t>(op(d[i], s[i]));
}

// Draws |picture| into |target| with its top left at (x, y). SRCAND and
// SRCPAINT between 24-bit pictures, which is all the preview does after a
// change, run as word-wide loops; DrawInto, which applies its raster
// operation byte by byte, takes everything else.
std::uint32_t Put(const CMyDibSection2& picture, CMyDibSection2& target, int x, int y,
                  std::uint32_t rop) {
  const bool fast = (rop == kRopSrcAnd || rop == kRopSrcPaint) && !picture.empty() &&
                    !target.empty() && picture.bits_per_pixel() == 24 &&
                    target.bits_per_pixel() == 24;
  if (!fast) return picture.DrawInto(target, x, y, picture.width(), picture.height(), rop);
  const int first_x = std::max(0, -x);
  const int last_x = std::min(picture.width(), target.width() - x);
  const int first_y = std::max(0, -y);
  const int last_y = std::min(picture.height(), target.height() - y);
  if (first_x >= last_x) return kImageOk;
  const std::size_t bytes = static_cast<std::size_t>(last_x - first_x) * 3;
  for (int row = first_y; row < last_y; ++row) {
    const std::uint8_t* s = picture.RowPointer(row) + static_cast<std::size_t>(first_x) * 3;
    std::uint8_t* d = target.RowPointer(y + row) + static_cast<std::size_t>(x + first_x) * 3;
    if (rop == kRopSrcAnd) {
      CombineRow(d, s, bytes, [](std::uint64_t a, std::uint64_t b) { return a & b; });
    } else {
      CombineRow(d, s, bytes, [](std::uint64_t a, std::uint64_t b) { return a | b; });
    }
  }
  return kImageOk;
}

// |from| into |to|, reusing |to|'s memory when it has the room.
std::uint32_t CopyInto(const CMyDibSection2& from, CMyDibSection2& to) {
  try {
    to = from;
  } catch (const std::bad_alloc&) {
    return kImageNoMemory;
  }
  return kImageOk;
}

}  // namespace

std::uint32_t SettingsPreview::Picture(std::uint32_t id, const CMyDibSection2** picture) {
  auto found = pictures_.find(id);
  if (found == pictures_.end()) {
    CMyDibSection2 loaded;
    const std::uint32_t code = loaded.LoadPicture(module_, id);
    if (code != kImageOk) return code;
    found = pictures_.emplace(id, std::move(loaded)).first;
  }
  *picture = &found->second;
  return kResultOk;
}

std::uint32_t SettingsPreview::Inked(std::uint32_t id, int density,
                                     const CMyDibSection2** picture) {
  if (inked_id_ != id || inked_density_ != density || inked_.empty()) {
    const CMyDibSection2* original = nullptr;
    std::uint32_t code = Picture(id, &original);
    if (code == kResultOk) code = CopyInto(*original, inked_);
    if (code == kResultOk) code = inked_.ApplyDensity(density);
    if (code != kResultOk) {
      inked_id_ = 0;
      return code;
    }
    inked_id_ = id;
    inked_density_ = density;
  }
  *picture = &inked_;
  return kResultOk;
}

std::uint32_t SettingsPreview::Compose(const PrivateSettings& settings, bool landscape,
                                       CMyDibSection2* out) {
  if (out == nullptr) return kResultInvalid;
  const int margin = settings.byMargin;
  if (margin >= kMargins || settings.byDirection >= 4) return kResultInvalid;

  // First everything that can fail: every picture is at hand before |out|
  // is touched.
  const CMyDibSection2* outline = nullptr;
  std::uint32_t code = Picture(kOutlines[margin], &outline);
  if (code != kResultOk) return code;

  const std::uint32_t content_id = kContent[settings.byDirection][landscape ? 1 : 0];
  const CMyDibSection2* content = nullptr;
  code = Inked(content_id, settings.byDensity, &content);
  if (code != kResultOk) return code;

  struct Placed {
    const CMyDibSection2* mask;
    const CMyDibSection2* image;
    int y;
  };
  Placed marks[2] = {};
  int mark_count = 0;
  // A paper cut mode the table does not know draws no marks.
  if (settings.byPaperCut < 6) {
    const int ys[2] = {kCutBetweenY[margin], kCutEndY[margin]};
    for (int place = 0; place < 2; ++place) {
      const Cut cut = kCuts[settings.byPaperCut][place];
      if (cut == Cut::kNone) continue;
      const CutMark mark = MarkOf(cut, settings.byFeedToCut == 1);
      Placed& placed = marks[mark_count++];
      placed.y = ys[place];
      code = Picture(mark.mask, &placed.mask);
      if (code == kResultOk) code = Picture(mark.image, &placed.image);
      if (code != kResultOk) return code;
    }
  }

  const bool start_drawer = settings.optionGroups[kPrintStart].byDrawer != 0;
  const bool end_drawer = settings.optionGroups[kPrintEnd].byDrawer != 0;
  const CMyDibSection2* drawer = nullptr;
  if (start_drawer || end_drawer) {
    code = Picture(IDB_DRAWER, &drawer);
    if (code != kResultOk) return code;
  }

  // Then the drawing, which cannot fail on pictures of one depth (except
  // for the memory of an |out| that changes size).
  code = CopyInto(*outline, *out);
  if (code != kResultOk) return code;
  const bool sideways =
      content_id == IDB_CONTENT_SIDEWAYS || content_id == IDB_CONTENT_SIDEWAYS_UPSIDE_DOWN;
  for (int page = 0; page < 2; ++page) {
    const int x = sideways ? kSidewaysX : kUprightX;
    const int y = sideways ? kSidewaysY[margin][page] : kUprightY[margin][page];
    code = Put(*content, *out, x, y, kRopSrcAnd);
    if (code != kResultOk) return code;
  }
  for (int i = 0; i < mark_count && code == kResultOk; ++i) {
    code = Put(*marks[i].mask, *out, kCutX, marks[i].y, kRopSrcAnd);
    if (code == kResultOk) code = Put(*marks[i].image, *out, kCutX, marks[i].y, kRopSrcPaint);
  }
  if (code == kResultOk && start_drawer) {
    code = Put(*drawer, *out, kStartDrawerX, kStartDrawerY, kRopSrcCopy);
  }
  if (code == kResultOk && end_drawer) {
    code = Put(*drawer, *out, kEndDrawerX, kEndDrawerY[margin], kRopSrcCopy);
  }
  return code;
}

}  // namespace kvt
