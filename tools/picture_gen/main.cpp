// Writes every picture resource of the module into the folder given on the
// command line, where the resource script finds them; with --sheet, also a
// PNG with all of them on one page.
//
//   picture_gen <output folder> [--sheet <file.png>]
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "tools/picture_gen/contact_sheet.h"
#include "tools/picture_gen/pictures.h"
#include "tools/sheet_host/png_file.h"

namespace {

using kvt::pictures::Canvas;
using kvt::pictures::Colour;

enum class Rop { kCopy, kAnd, kPaint, kBlend };

// |picture| put on |target| at (x, y) the way the pages put it: copied,
// ANDed, ORed or alpha-blended.
void Put(Canvas& target, const Canvas& picture, int x, int y, Rop rop) {
  for (int py = 0; py < picture.height(); ++py) {
    for (int px = 0; px < picture.width(); ++px) {
      const int tx = x + px, ty = y + py;
      if (tx < 0 || ty < 0 || tx >= target.width() || ty >= target.height()) continue;
      const Colour d = target.Pixel(tx, ty);
      const Colour s = picture.PixelOver(px, py, kvt::pictures::kWhite);
      Colour out = s;
      if (rop == Rop::kAnd)
        out =
            Colour{std::uint8_t(d.r & s.r), std::uint8_t(d.g & s.g), std::uint8_t(d.b & s.b), 255};
      if (rop == Rop::kPaint)
        out =
            Colour{std::uint8_t(d.r | s.r), std::uint8_t(d.g | s.g), std::uint8_t(d.b | s.b), 255};
      if (rop == Rop::kBlend) continue;
      target.SetPixel(tx, ty, out);
    }
  }
  if (rop == Rop::kBlend) target.Draw(picture, x, y);
}

Canvas Draw(std::uint32_t id) {
  for (const auto& spec : kvt::pictures::Catalog()) {
    if (spec.id == id) return spec.draw(spec.width, spec.height);
  }
  return Canvas();
}

// The Document Settings preview as the page composes it for one margin.
Canvas Preview(int margin, std::uint32_t content, bool partial_between, bool feed) {
  static const std::uint32_t kOutline[] = {223, 224, 224, 225};
  static const int kContentY[2][4][2] = {{{13, 62}, {13, 77}, {28, 92}, {29, 111}},
                                         {{9, 58}, {13, 77}, {21, 85}, {25, 107}}};
  static const int kCutBetween[] = {43, 58, 58, 76};
  static const int kCutEnd[] = {92, 122, 122, 158};
  static const int kDrawerEnd[] = {119, 149, 149, 185};
  Canvas c = Draw(kOutline[margin]);
  const bool sideways = content == 230 || content == 232;
  for (int page = 0; page < 2; ++page) {
    Put(c, Draw(content), sideways ? 72 : 68, kContentY[sideways][margin][page], Rop::kAnd);
  }
  const std::uint32_t between_image = partial_between ? (feed ? 217 : 215) : (feed ? 221 : 219);
  const std::uint32_t end_image = feed ? 221 : 219;
  Put(c, Draw(between_image + 1), 44, kCutBetween[margin], Rop::kAnd);
  Put(c, Draw(between_image), 44, kCutBetween[margin], Rop::kPaint);
  Put(c, Draw(end_image + 1), 44, kCutEnd[margin], Rop::kAnd);
  Put(c, Draw(end_image), 44, kCutEnd[margin], Rop::kPaint);
  Put(c, Draw(246), 24, 0, Rop::kCopy);
  Put(c, Draw(246), 147, kDrawerEnd[margin], Rop::kCopy);
  return c;
}

// The Watermark preview with the sample at one of the nine places.
Canvas WatermarkPreview(int place, std::uint32_t text) {
  Canvas c = Draw(189);
  const Canvas sample = Draw(245);
  const int w = sample.width(), h = sample.height();
  const int xs[] = {6, (141 - w) / 2 + 2, 139 - w};
  const int ys[] = {20, (138 - h) / 2 + 16, 150 - h};
  Put(c, sample, xs[place % 3], ys[place / 3], Rop::kCopy);
  const Canvas page = Draw(text);
  Put(c, page, (141 - page.width()) / 2 + 2, (138 - page.height()) / 2 + 16, Rop::kBlend);
  return c;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kvt::pictures;
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
    std::fprintf(stderr, "usage: %s <output folder> [--sheet <file.png>]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  try {
    ContactSheet sheet(760);
    for (const PictureSpec& spec : Catalog()) {
      const std::vector<std::uint8_t> bytes = Encode(spec);
      const std::string path = folder + "/" + FileName(spec);
      if (!WriteFile(path, std::string(bytes.begin(), bytes.end()))) {
        std::fprintf(stderr, "picture_gen: cannot write %s\n", path.c_str());
        return 1;
      }
      if (argc == 4) {
        const int size = spec.kind == PictureKind::kIcon ? 32 : 0;
        sheet.Add(std::to_string(spec.id),
                  spec.draw(size ? size : spec.width, size ? size : spec.height));
      }
    }
    if (argc == 4) {
      sheet.Add("PREVIEW 0", Preview(0, 229, false, false));
      sheet.Add("PREVIEW 1", Preview(1, 230, true, true));
      sheet.Add("PREVIEW 3", Preview(3, 231, true, false));
      sheet.Add("WATERMARK", WatermarkPreview(4, 196));
      sheet.Add("WATERMARK", WatermarkPreview(8, 197));
      int width = 0, height = 0;
      const std::vector<std::uint8_t> rgb = sheet.Pixels(2, &width, &height);
      const std::string png = kvt::tools::EncodePng(static_cast<std::uint32_t>(width),
                                                    static_cast<std::uint32_t>(height), rgb);
      if (png.empty() || !WriteFile(argv[3], png)) {
        std::fprintf(stderr, "picture_gen: cannot write %s\n", argv[3]);
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picture_gen: %s\n", e.what());
    return 1;
  }
  return 0;
}
