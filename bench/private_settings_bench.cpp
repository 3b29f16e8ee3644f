// Cost of the framework's record requests, each beside a plain copy of the
// record measured in the same run: the framework calls the merge on every
// device-mode validation, so it should stay within a small multiple of
// moving the bytes at all.
//
//   BM_Copy1552            baseline: memcpy of one record
//   BM_MergeClean          merge of a record that needs no correction
//   BM_MergeCleanPrinter   the same, with the model chosen by a printer's name
//   BM_CopyThenMergeDirty  re-dirty by copy, then merge every field back;
//                          subtract BM_Copy1552 for the merge alone
//   BM_Convert             same-signature convert (a copy plus the header)
//   BM_ConvertForeign      foreign signature: the defaults are written
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "platform/fake/fake_spooler.h"
#include "platform/service.h"

namespace {

using kvt::PrivateSettings;

PrivateSettings DefaultRecord() {
  PrivateSettings settings{};
  kvt::Defaults(&settings);
  return settings;
}

// Every checked field out of range: the merge corrects all of them.
PrivateSettings DirtyRecord() {
  PrivateSettings settings;
  std::memset(&settings, 0xFF, sizeof(settings));
  settings.byDensity = 0;
  settings.byReductionScale = 0;
  settings.sFormFeedCorrect = 1000;
  for (auto& group : settings.optionGroups) {
    group.sFeed = -1000;
    group.wDrawerOnTime = 1000;
    group.wDrawerOffTime = 1000;
    group.nCommandLength = -5;
  }
  for (auto& font : settings.barcodeFonts) font.byModuleWidth = 0;
  for (auto& font : settings.barcode2DFonts) font.byModuleSize = 0;
  settings.byWatermarkDensity = 0;
  settings.byWatermarkFitPaper = 2;
  settings.wWatermarkScale = 0;
  return settings;
}

void BM_Copy1552(benchmark::State& state) {
  auto source = std::make_unique<PrivateSettings>(DirtyRecord());
  auto target = std::make_unique<PrivateSettings>();
  // An opaque length keeps the copy a call to the C library's memcpy, the
  // same routine Convert ends in, rather than an inlined string move.
  std::size_t length = sizeof(PrivateSettings);
  benchmark::DoNotOptimize(length);
  for (auto _ : state) {
    std::memcpy(target.get(), source.get(), length);
    benchmark::DoNotOptimize(target.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Copy1552);

void BM_MergeClean(benchmark::State& state) {
  auto record = std::make_unique<PrivateSettings>(DefaultRecord());
  for (auto _ : state) {
    benchmark::DoNotOptimize(kvt::Merge(record.get(), nullptr));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergeClean);

void BM_MergeCleanPrinter(benchmark::State& state) {
  kvt::FakeSpooler spooler;
  const auto printer = reinterpret_cast<kvt::PrinterHandle>(0x10);
  spooler.AddPrinter(printer, {u"KVT QV-J27 Receipt"});
  kvt::ScopedService<kvt::Spooler> installed(spooler);
  auto record = std::make_unique<PrivateSettings>(DefaultRecord());
  for (auto _ : state) {
    benchmark::DoNotOptimize(kvt::Merge(record.get(), printer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergeCleanPrinter);

void BM_CopyThenMergeDirty(benchmark::State& state) {
  auto dirty = std::make_unique<PrivateSettings>(DirtyRecord());
  auto record = std::make_unique<PrivateSettings>();
  std::size_t length = sizeof(PrivateSettings);
  benchmark::DoNotOptimize(length);
  for (auto _ : state) {
    std::memcpy(record.get(), dirty.get(), length);
    benchmark::DoNotOptimize(record.get());
    benchmark::DoNotOptimize(kvt::Merge(record.get(), nullptr));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyThenMergeDirty);

void BM_Convert(benchmark::State& state) {
  auto in = std::make_unique<PrivateSettings>(DirtyRecord());
  auto out = std::make_unique<PrivateSettings>(DefaultRecord());
  in->dwSignature = out->dwSignature;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kvt::Convert(in.get(), out.get()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Convert);

void BM_ConvertForeign(benchmark::State& state) {
  auto in = std::make_unique<PrivateSettings>(DirtyRecord());
  auto out = std::make_unique<PrivateSettings>(DefaultRecord());
  in->dwSignature = 0x12345678;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kvt::Convert(in.get(), out.get()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConvertForeign);

}  // namespace
