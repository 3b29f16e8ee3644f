// Recomposing the Document Settings page's receipt preview after a change,
// with its pictures already loaded, against its floor: copying the same
// pixel buffers (the outline, one content picture and the cut marks),
// measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/private_settings_ops.h"
#include "oemui/docsettings/settings_preview.h"
#include "platform/fake/fake_module_resources.h"

namespace {

kvt::ModuleHandle const kModule = reinterpret_cast<kvt::ModuleHandle>(0x5000);

struct Size {
  std::uint32_t id;
  int width, height;
};
// The module's pictures at their real sizes, with some texture.
constexpr Size kSizes[] = {{223, 187, 136}, {224, 187, 166}, {225, 188, 202}, {229, 54, 28},
                           {230, 46, 34},   {231, 54, 28},   {232, 46, 34},   {215, 110, 13},
                           {216, 110, 13},  {217, 110, 13},  {218, 110, 13},  {219, 110, 13},
                           {220, 110, 13},  {221, 110, 13},  {222, 110, 13},  {246, 22, 16}};

void AddPictures(kvt::FakeModuleResources& resources) {
  for (const Size& size : kSizes) {
    kvt::BitmapPixels bitmap{size.width, size.height, {}};
    bitmap.rows.resize(kvt::DibStride(size.width, 24) * size.height);
    for (std::size_t i = 0; i < bitmap.rows.size(); ++i) {
      bitmap.rows[i] = static_cast<std::uint8_t>(i * 7 + size.id);
    }
    resources.bitmaps[{kModule, size.id}] = bitmap;
  }
}

// Two settings a user flips between: the paper cut changes, and with
// argument 1 the density too, so the content is inked again each time.
void BM_RecomposeAfterChange(benchmark::State& state) {
  kvt::FakeModuleResources resources;
  AddPictures(resources);
  kvt::ScopedService<kvt::ModuleResources> use(resources);
  kvt::PrivateSettings settings[2];
  kvt::Defaults(&settings[0]);
  settings[1] = settings[0];
  settings[1].byPaperCut = 5;
  if (state.range(0) == 1) settings[1].byDensity = 130;
  kvt::SettingsPreview preview(kModule);
  kvt::CMyDibSection2 out;
  preview.Compose(settings[0], false, &out);  // warm the cache
  int which = 0;
  for (auto _ : state) {
    which ^= 1;
    benchmark::DoNotOptimize(preview.Compose(settings[which], false, &out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RecomposeAfterChange)->Arg(0)->Arg(1);

// The floor: the outline, one content picture and two marks (mask and
// image each) copied as they are.
void BM_CopyBaseline(benchmark::State& state) {
  kvt::FakeModuleResources resources;
  AddPictures(resources);
  kvt::ScopedService<kvt::ModuleResources> use(resources);
  const std::uint32_t ids[] = {224, 229, 219, 220, 215, 216};
  std::vector<kvt::CMyDibSection2> sources(std::size(ids)), copies(std::size(ids));
  for (std::size_t i = 0; i < std::size(ids); ++i) sources[i].LoadPicture(kModule, ids[i]);
  for (auto _ : state) {
    for (std::size_t i = 0; i < sources.size(); ++i) copies[i].CopyFrom(sources[i]);
    benchmark::DoNotOptimize(copies.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBaseline);

}  // namespace
