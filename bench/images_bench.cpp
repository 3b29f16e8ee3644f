// Composing the Watermark page's preview (receipt background, stored-image
// sample, the receipt's text as a 32-bit picture blended over both) against
// its floor: copying the same pixel buffers, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "oemui/watermark/dib_section.h"

namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 160;
constexpr int kSampleSize = 64;
constexpr int kSampleX = 43;
constexpr int kSampleY = 48;

struct Pictures {
  kvt::CMyDibSection2 background;  // 24-bit receipt
  kvt::CMyDibSection2 sample;      // 24-bit stored image
  kvt::CMyDibSection2 content;     // 32-bit text with soft edges
};

// Text-like content: lines of glyph strokes with anti-aliased edges over a
// transparent page, as the receipt's text picture is drawn.
void DrawContent(kvt::CMyDibSection2& content) {
  content.Fill(0);
  for (int y = 0; y < kHeight; ++y) {
    const int line_row = y % 14;
    if (line_row < 2 || line_row > 11) continue;
    std::uint8_t* row = content.RowPointer(y);
    for (int x = 8; x < kWidth - 8; ++x) {
      const int phase = (x * 7 + y * 3) % 11;
      const std::uint8_t alpha = phase < 3 ? 255 : phase < 5 ? 96 : 0;
      std::uint8_t* p = row + 4 * x;
      p[0] = p[1] = p[2] = 0x20;
      p[3] = alpha;
    }
  }
}

Pictures MakePictures() {
  Pictures pictures;
  pictures.background.Create(kWidth, kHeight, 24);
  pictures.background.Fill(0x00F0F0F0);
  for (int y = 4; y < kHeight - 4; ++y) {
    std::memset(pictures.background.RowPointer(y) + 12, 0xFF, (kWidth - 8) * 3 - 12);
  }
  pictures.sample.Create(kSampleSize, kSampleSize, 24);
  for (int y = 0; y < kSampleSize; ++y) {
    std::uint8_t* row = pictures.sample.RowPointer(y);
    for (int x = 0; x < kSampleSize * 3; ++x) row[x] = static_cast<std::uint8_t>(x * 5 + y * 3);
  }
  pictures.content.Create(kWidth, kHeight, 32);
  DrawContent(pictures.content);
  return pictures;
}

void BM_WatermarkPreview(benchmark::State& state) {
  const Pictures pictures = MakePictures();
  kvt::CMyDibSection2 page;
  for (auto _ : state) {
    pictures.background.DrawInto(page, 0, 0, kWidth, kHeight);
    pictures.sample.DrawInto(page, kSampleX, kSampleY, kSampleSize, kSampleSize);
    pictures.content.DrawInto(page, 0, 0, kWidth, kHeight);
    benchmark::DoNotOptimize(page.RowPointer(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WatermarkPreview);

// The same picture with every pixel half covered: the blend's worst case.
void BM_WatermarkPreviewAllHalfAlpha(benchmark::State& state) {
  Pictures pictures = MakePictures();
  pictures.content.Fill(0x80202020);
  kvt::CMyDibSection2 page;
  for (auto _ : state) {
    pictures.background.DrawInto(page, 0, 0, kWidth, kHeight);
    pictures.sample.DrawInto(page, kSampleX, kSampleY, kSampleSize, kSampleSize);
    pictures.content.DrawInto(page, 0, 0, kWidth, kHeight);
    benchmark::DoNotOptimize(page.RowPointer(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WatermarkPreviewAllHalfAlpha);

// The floor: the same three buffers copied, rows of the sample into place.
void BM_CopyBaseline(benchmark::State& state) {
  const Pictures pictures = MakePictures();
  std::vector<std::uint8_t> page(pictures.background.pixels().size());
  std::vector<std::uint8_t> content(pictures.content.pixels().size());
  const std::size_t stride = pictures.background.stride();
  for (auto _ : state) {
    std::memcpy(page.data(), pictures.background.pixels().data(), page.size());
    for (int y = 0; y < kSampleSize; ++y) {
      std::memcpy(page.data() + stride * (kHeight - 1 - kSampleY - y) + kSampleX * 3,
                  pictures.sample.RowPointer(y), kSampleSize * 3);
    }
    std::memcpy(content.data(), pictures.content.pixels().data(), content.size());
    benchmark::DoNotOptimize(page.data());
    benchmark::DoNotOptimize(content.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBaseline);

}  // namespace
