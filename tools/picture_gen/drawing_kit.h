// What the drawings share: the palette, the paper strip every receipt
// picture starts from, and the two halves of a mask pair.
#pragma once

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {

inline constexpr Colour kInk = Rgb(34, 34, 34);
inline constexpr Colour kTextGrey = Rgb(105, 105, 105);
inline constexpr Colour kPaperEdge = Rgb(150, 150, 150);
inline constexpr Colour kShadow = Rgb(214, 214, 214);
inline constexpr Colour kCutRed = Rgb(214, 40, 40);
inline constexpr Colour kFeedBlue = Rgb(0, 102, 204);
inline constexpr Colour kAccent = Rgb(0, 99, 177);
inline constexpr Colour kBodyDark = Rgb(66, 72, 82);
inline constexpr Colour kBodyMid = Rgb(118, 126, 138);
inline constexpr Colour kBodyLight = Rgb(196, 201, 208);
// Windows' default button face, behind the step buttons.
inline constexpr Colour kButtonFace = Rgb(240, 240, 240);

// A canvas of |width| x |height| filled with |colour|.
Canvas Opaque(int width, int height, Colour colour, float unit = 1.0f);

// A strip of receipt paper from x0 to x1 and from top to bottom, with a
// torn (zigzag) lower edge when |torn|, a thin edge and a soft shadow.
void DrawPaper(Canvas& c, float x0, float x1, float top, float bottom, bool torn);

// Receipt text as grey bars inside (x0, y0)-(x1, y1): a title, item lines
// with prices on the right, a dashed rule and a bold total. |line| is the
// distance between item lines.
void DrawReceiptText(Canvas& c, float x0, float y0, float x1, float y1, float line, Colour ink,
                     Colour text);

// The two halves of a picture that is put on with a mask (SRCAND) and then
// an image (SRCPAINT). The mask is black wherever |shape| covers anything
// and white elsewhere, so AND keeps the destination outside the shape. The
// image is |shape| over |backdrop| inside and black outside, so OR adds
// nothing there; edge pixels come out as the shape blended on |backdrop|.
Canvas MaskOf(const Canvas& shape);
Canvas ImageOf(const Canvas& shape, Colour backdrop);

}  // namespace kvt::pictures
