// GetBarcodeCommand against its floor: the ANSI conversion of the same text
// plus one copy of the bytes into a fresh buffer, measured in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/barcode_command.h"
#include "platform/ansi_text.h"
#include "platform/service.h"

namespace {

using Group = std::array<std::uint8_t, kvt::kBarcodeGroupSize>;

struct Case {
  Group group;
  bool two_d;
  std::u16string text;
};

Group OneD(std::uint8_t kind) {
  Group g{};
  g[kvt::barcode1d::kSystem] = kind;
  g[kvt::barcode1d::kModuleWidth] = 3;
  g[kvt::barcode1d::kHeight] = 162;
  g[kvt::barcode1d::kHri] = 2;
  g[kvt::barcode1d::kNwRatio] = 1;
  return g;
}

Case UpcA() { return {OneD(kvt::barcode1d::kUpcA), false, u"01234567890"}; }

Case Code128() {
  // 64 characters: code set changes, function characters and data.
  std::u16string text = u"{A{1ABC{BNo.abc{{xyz{CTIME{B{2{3{4{S0123{AHELLO{BWorld{{}|~12345";
  text.resize(64, u'x');
  return {OneD(kvt::barcode1d::kCode128), false, text};
}

Case Code93() {
  std::u16string text;
  const std::u16string pattern = u"Code 93 full-ASCII: abc/$%+ 0123!";
  while (text.size() < 150) text += pattern;
  text.resize(150);
  return {OneD(kvt::barcode1d::kCode93), false, text};
}

Case Qr() {
  Group g{};
  g[kvt::barcode2d::kSystem] = kvt::barcode2d::kQrCode;
  g[kvt::barcode2d::kModel] = 2;
  g[kvt::barcode2d::kMode] = 77;
  g[kvt::barcode2d::kErrorLevel] = 0;
  g[kvt::barcode2d::kModuleSize] = 3;
  std::u16string text;
  while (text.size() < 7089) text += u"https://example.com/receipt?id=0123456789&total=12.34;";
  text.resize(7089);
  return {g, true, text};
}

void Builder(benchmark::State& state, Case c) {
  for (auto _ : state) {
    Group g = c.group;
    std::vector<std::uint8_t> command;
    const bool ok =
        kvt::GetBarcodeCommand(c.two_d ? nullptr : g.data(), c.two_d ? g.data() : nullptr,
                               c.text.data(), static_cast<std::uint32_t>(c.text.size()), &command);
    if (!ok) state.SkipWithError("GetBarcodeCommand failed");
    benchmark::DoNotOptimize(command.data());
  }
}

void Baseline(benchmark::State& state, Case c) {
  for (auto _ : state) {
    std::string ansi;
    kvt::Service<kvt::AnsiText>().FromUtf16(c.text, &ansi);
    std::vector<std::uint8_t> buffer(ansi.size());
    std::memcpy(buffer.data(), ansi.data(), ansi.size());
    benchmark::DoNotOptimize(buffer.data());
  }
}

BENCHMARK_CAPTURE(Baseline, UpcA, UpcA());
BENCHMARK_CAPTURE(Builder, UpcA, UpcA());
BENCHMARK_CAPTURE(Baseline, Code128_64, Code128());
BENCHMARK_CAPTURE(Builder, Code128_64, Code128());
BENCHMARK_CAPTURE(Baseline, Code93_150, Code93());
BENCHMARK_CAPTURE(Builder, Code93_150, Code93());
BENCHMARK_CAPTURE(Baseline, Qr_7089, Qr());
BENCHMARK_CAPTURE(Builder, Qr_7089, Qr());

}  // namespace
