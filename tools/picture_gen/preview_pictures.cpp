// The Document Settings page's receipt preview: the outline of two printed
// pages, the page content laid on it with SRCAND, the cut marks (mask and
// image pairs) and the cash drawer.
//
// The page composes these at fixed positions inside the outline, so the
// outline's geometry follows from them: a page is L pixels long (49, 64 or
// 82 by margin), the first starts at the top, a cut mark's line lies six
// rows below the mark's top, and the page content starts at x 68 (upright)
// or 72 (sideways), which centres it on a strip of paper from x 56 to 135.
#include <algorithm>

#include "tools/picture_gen/drawing_kit.h"
#include "tools/picture_gen/drawings.h"

namespace kvt::pictures {
namespace {

constexpr float kPaperLeft = 56;
constexpr float kPaperRight = 135;
// Rows of the outline below the end of the second page: room for the torn
// tail and the drawer beside it.
constexpr int kTail = 38;
// The cut line runs in rows 6 and 7 of a cut mark.
constexpr float kCutRow = 6;
// The receipt's content as printed, before it is placed on the outline.
constexpr Colour kContentInk = Rgb(30, 30, 30);
constexpr Colour kContentText = Rgb(95, 95, 95);

}  // namespace

Canvas DrawOutline(int width, int height) {
  const float page = static_cast<float>((height - kTail) / 2);
  Canvas c = Opaque(width, height, kWhite);
  DrawPaper(c, kPaperLeft, kPaperRight, 0, 2 * page + 10, true);
  // The printer's paper exit, which the paper comes out of.
  c.FillRoundRect(kPaperLeft - 4, -3, kPaperRight + 4, 3, 2, kBodyDark);
  // Where one page ends and the next begins, faint, so that a cut mark
  // drawn there reads as "cut here" and no mark reads as "not cut".
  for (float x = kPaperLeft + 2; x < kPaperRight - 2; x += 4) {
    c.FillRect(x, page, x + 2, page + 1, Rgb(200, 200, 200));
  }
  // Page numbers in the left margin.
  const Colour number = Rgb(150, 150, 150);
  c.Text(47, page / 2 - 3, "1", 1, number);
  c.Text(47, page + page / 2 - 3, "2", 1, number);
  return c;
}

Canvas DrawContentUpright(int width, int height) {
  Canvas c = Opaque(width, height, kWhite);
  DrawReceiptText(c, 1, 1, static_cast<float>(width - 1), static_cast<float>(height - 1), 4,
                  kContentInk, kContentText);
  return c;
}

Canvas DrawContentSideways(int width, int height) {
  // A landscape page printed along the paper: the text runs across the
  // strip, so the upright drawing is made tall and turned a quarter left.
  Canvas upright = Opaque(height, width, kWhite);
  DrawReceiptText(upright, 1, 1, static_cast<float>(height - 1), static_cast<float>(width - 1), 4,
                  kContentInk, kContentText);
  return upright.Rotated(3);
}

Canvas DrawContentUpsideDown(int width, int height) {
  return DrawContentUpright(width, height).Rotated(2);
}

Canvas DrawContentSidewaysUpsideDown(int width, int height) {
  return DrawContentSideways(width, height).Rotated(2);
}

namespace {

// A cut mark: scissors on the left, the cut line across the paper (solid
// for a full cut, dashed for a partial cut that leaves the paper hanging),
// and for feed-to-cut a blue arrow beyond the paper: the paper is fed on
// to the cutter before it is cut.
Canvas CutShape(int width, int height, bool full, bool feed) {
  Canvas c(width, height);
  const Colour steel = Rgb(70, 70, 70);
  // Handles.
  c.StrokeEllipse(3, 3.5f, 2.6f, 2.6f, 1.2f, steel);
  c.StrokeEllipse(3, 9.5f, 2.6f, 2.6f, 1.2f, steel);
  // Blades, crossing at the pivot.
  c.Line(5.2f, 5, 11.5f, 8.2f, 1.4f, steel);
  c.Line(5.2f, 8, 11.5f, 4.8f, 1.4f, steel);
  c.FillEllipse(8.3f, 6.5f, 0.9f, 0.9f, kWhite);
  // The line, from the blades' tips (the paper's left edge, as the mark
  // is put at x 44) to a little past its right edge.
  const float start = 12, end = 96;
  if (full) {
    c.FillRect(start, kCutRow, end, kCutRow + 2, kCutRed);
  } else {
    for (float x = start; x < end; x += 6) {
      c.FillRect(x, kCutRow, std::min(end, x + 4), kCutRow + 2, kCutRed);
    }
  }
  if (feed) {
    const float x = 103;
    c.FillRect(x - 1, 0, x + 1, 7, kFeedBlue);
    c.FillPolygon({{x - 4.5f, 6}, {x + 4.5f, 6}, {x, 12.5f}}, kFeedBlue);
  }
  return c;
}

}  // namespace

Canvas DrawPartialCutImage(int w, int h) { return ImageOf(CutShape(w, h, false, false), kWhite); }
Canvas DrawPartialCutMask(int w, int h) { return MaskOf(CutShape(w, h, false, false)); }
Canvas DrawPartialFeedCutImage(int w, int h) {
  return ImageOf(CutShape(w, h, false, true), kWhite);
}
Canvas DrawPartialFeedCutMask(int w, int h) { return MaskOf(CutShape(w, h, false, true)); }
Canvas DrawFullCutImage(int w, int h) { return ImageOf(CutShape(w, h, true, false), kWhite); }
Canvas DrawFullCutMask(int w, int h) { return MaskOf(CutShape(w, h, true, false)); }
Canvas DrawFullFeedCutImage(int w, int h) { return ImageOf(CutShape(w, h, true, true), kWhite); }
Canvas DrawFullFeedCutMask(int w, int h) { return MaskOf(CutShape(w, h, true, true)); }

Canvas DrawDrawer(int width, int height) {
  // Copied as it is (SRCCOPY): the corners stay white like the outline.
  Canvas c = Opaque(width, height, kWhite);
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  // A banknote showing at the back.
  c.FillRect(6, 0.5f, w - 6, 4, Rgb(110, 170, 110));
  c.FillRect(9, 1.5f, w - 9, 2.5f, Rgb(70, 130, 70));
  // The cabinet: top face, then body.
  c.FillRoundRect(1, 3, w - 1, h - 0.5f, 1.5f, kBodyDark);
  c.FillRect(2, 3.5f, w - 2, 6, kBodyMid);
  // The drawer front, pulled out a little, with its handle.
  c.FillRoundRect(2.5f, 7.5f, w - 2.5f, h - 1.5f, 1, kBodyLight);
  c.StrokeRoundRect(2.5f, 7.5f, w - 2.5f, h - 1.5f, 1, 0.8f, Rgb(90, 96, 106));
  c.FillRoundRect(w / 2 - 3.5f, 9.5f, w / 2 + 3.5f, 11.5f, 1, kBodyDark);
  return c;
}

namespace {

// The arrow on a step button, pointing left or right.
Canvas StepShape(int width, int height, bool left) {
  Canvas c(width, height);
  const float mid = height / 2.0f;
  if (left) {
    c.FillPolygon({{3.5f, mid}, {8.5f, mid - 4.5f}, {8.5f, mid + 4.5f}}, kInk);
  } else {
    c.FillPolygon({{9.5f, mid}, {4.5f, mid - 4.5f}, {4.5f, mid + 4.5f}}, kInk);
  }
  return c;
}

}  // namespace

Canvas DrawStepLeftImage(int w, int h) { return ImageOf(StepShape(w, h, true), kButtonFace); }
Canvas DrawStepLeftMask(int w, int h) { return MaskOf(StepShape(w, h, true)); }
Canvas DrawStepRightMask(int w, int h) { return MaskOf(StepShape(w, h, false)); }
Canvas DrawStepRightImage(int w, int h) { return ImageOf(StepShape(w, h, false), kButtonFace); }

namespace {

// A receipt standing in a 32 x 32 preset icon: paper, a few text lines,
// and the paper width in blue at the bottom.
void PresetReceipt(Canvas& c, float x0, float x1, const char* label, bool small_label,
                   bool marked) {
  DrawPaper(c, x0, x1, 1, 30, true);
  const float inner0 = x0 + 2.5f, inner1 = x1 - 2.5f;
  for (int i = 0; i < 4; ++i) {
    const float y = 4.0f + 3.0f * static_cast<float>(i);
    const float end = inner1 - ((i % 2) ? (inner1 - inner0) * 0.3f : 0);
    c.FillRect(inner0, y, end, y + 1, kTextGrey);
  }
  if (marked) {
    // The black marks printed on the back of marked paper.
    c.FillRect(x0 + 0.5f, 3, x0 + 3.5f, 7, kBlack);
    c.FillRect(x0 + 0.5f, 22, x0 + 3.5f, 26, kBlack);
  }
  const float scale = 1;
  const float text_width = small_label ? 7 : 11;
  c.Text((x0 + x1 - text_width) / 2, small_label ? 18 : 17, label, scale, kAccent, small_label);
}

// The A4 sheet and arrow of the reduction presets.
void PresetReduction(Canvas& c) {
  c.FillRect(3, 5, 15, 22, kShadow);
  c.FillRect(1, 3, 13, 20, kWhite);
  c.StrokeRect(1, 3, 13, 20, 1, kPaperEdge);
  c.Text(3.5f, 5, "A4", 1, kInk, true);
  for (int i = 0; i < 3; ++i) c.FillRect(3, 12.0f + 2.5f * i, 11, 13.0f + 2.5f * i, kTextGrey);
  c.Line(13.5f, 24, 17.5f, 24, 1.6f, kFeedBlue);
  c.FillPolygon({{17, 21}, {21, 24}, {17, 27}}, kFeedBlue);
}

Canvas Preset(int width, int height, float x0, float x1, const char* label, bool marked) {
  Canvas c = Opaque(width, height, kWhite);
  PresetReceipt(c, x0, x1, label, false, marked);
  return c;
}

Canvas PresetReduced(int width, int height, float x0, const char* label) {
  Canvas c = Opaque(width, height, kWhite);
  PresetReduction(c);
  PresetReceipt(c, x0, 30.5f, label, true, false);
  return c;
}

}  // namespace

Canvas DrawPreset80Receipt(int w, int h) { return Preset(w, h, 4, 28, "80", false); }
Canvas DrawPreset58Receipt(int w, int h) { return Preset(w, h, 8, 24, "58", false); }
Canvas DrawPreset80Marked(int w, int h) { return Preset(w, h, 4, 28, "80", true); }
Canvas DrawPreset58Marked(int w, int h) { return Preset(w, h, 8, 24, "58", true); }
Canvas DrawPresetA4To80(int w, int h) { return PresetReduced(w, h, 20, "80"); }
Canvas DrawPresetA4To58(int w, int h) { return PresetReduced(w, h, 21.5f, "58"); }

Canvas DrawPresetUser(int width, int height) {
  Canvas c = Opaque(width, height, kWhite);
  DrawPaper(c, 3, 21, 1, 30, true);
  for (int i = 0; i < 6; ++i) {
    const float y = 4.0f + 3.0f * static_cast<float>(i);
    c.FillRect(5.5f, y, (i % 2) ? 13.0f : 18.5f, y + 1, kTextGrey);
  }
  // A person: the user's own settings.
  c.FillEllipse(24, 30.5f, 7.5f, 7, kWhite);
  c.FillEllipse(24, 31, 6.5f, 6, kAccent);
  c.FillEllipse(24, 19, 4.5f, 4.5f, kWhite);
  c.FillEllipse(24, 19, 3.5f, 3.5f, kAccent);
  return c;
}

}  // namespace kvt::pictures
