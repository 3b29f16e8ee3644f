// GetBarcodeCommand with an arbitrary 16-byte group (one- or two-dimensional)
// and arbitrary text. Under ASan nothing may be read or written out of
// bounds; every success must be a well-formed command whose length fields
// agree with the bytes that follow; every failure must carry one of the
// builder's codes.
//
// Input: byte 0 selects the dimension (bit 0), whether the group's hex flag
// is forced on (bit 1) and whether the log is on (bit 2); bytes 1..16 are
// the group; the rest is the text as UTF-16 code units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "barcode/barcode_command.h"
#include "log/testing/sdk_log_capture.h"
#include "platform/last_error.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Bad() { std::abort(); }

class Reader {
 public:
  explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
  std::uint8_t Next() {
    if (pos_ >= bytes_.size()) Bad();
    return bytes_[pos_++];
  }
  void Expect(std::initializer_list<std::uint8_t> expected) {
    for (std::uint8_t b : expected) {
      if (Next() != b) Bad();
    }
  }
  void Skip(std::size_t n) {
    if (bytes_.size() - pos_ < n) Bad();
    pos_ += n;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }

 private:
  const Bytes& bytes_;
  std::size_t pos_ = 0;
};

// The length byte must count exactly the bytes up to the end.
void LengthToEnd8(Reader& r) {
  const std::size_t n = r.Next();
  if (r.Left() != n) Bad();
  r.Skip(n);
}

void LengthToEnd16(Reader& r, std::uint32_t n) {
  if (r.Left() != n) Bad();
  r.Skip(n);
}

void Check1D(const std::uint8_t* g, const Bytes& command) {
  using namespace kvt::barcode1d;
  if (g[kModuleWidth] < 2 || g[kModuleWidth] > 6 || g[kHeight] == 0 || g[kHri] > 6) Bad();
  Reader r(command);
  r.Expect({0x1D, 0x48});
  const std::uint8_t position = r.Next();
  if (position != 0) r.Expect({0x1D, 0x66, static_cast<std::uint8_t>(g[kHri] > 3)});
  r.Expect({0x1D, 0x68, g[kHeight], 0x1D, 0x77, g[kModuleWidth]});
  if (g[kRotate] < 4) r.Expect({0x1D, 0x6A, g[kRotate]});
  const std::uint8_t kind = g[kSystem];
  if (kind == kCode39 || kind == kItf || kind == kCodabar) r.Expect({0x12, 0x3A, g[kNwRatio]});
  r.Expect({0x1D, 0x6B});
  r.Next();  // the system byte
  if (kind == kJan13AddOn2 || kind == kJan13AddOn5) {
    r.Skip(r.Next());
    const std::uint8_t add_on = r.Next();
    if (add_on != (kind == kJan13AddOn2 ? 2 : 5)) Bad();
    r.Skip(add_on);
    if (!r.AtEnd()) Bad();
    return;
  }
  LengthToEnd8(r);
}

void Check2D(const std::uint8_t* g, const Bytes& command) {
  using namespace kvt::barcode2d;
  Reader r(command);
  if (g[kRotate] < 4) r.Expect({0x1D, 0x6A, g[kRotate]});
  switch (g[kSystem]) {
    case kQrCode: {
      r.Expect({0x12, 0x3B, g[kModuleSize], 0x1D, 0x70, 0x01, g[kModel]});
      r.Skip(3);
      const std::uint32_t low = r.Next();
      LengthToEnd16(r, low | (static_cast<std::uint32_t>(r.Next()) << 8));
      break;
    }
    case kPdf417: {
      r.Expect({0x1D, 0x6E, g[kModuleSize], 0x1D, 0x6F, g[kModuleHeight], 0x1D, 0x70, 0x00});
      r.Skip(4);
      const std::uint32_t low = r.Next();
      LengthToEnd16(r, low | (static_cast<std::uint32_t>(r.Next()) << 8));
      break;
    }
    case kDataMatrix: {
      r.Expect({0x12, 0x3B, g[kModuleSize], 0x1D, 0x70, 0x02, 0x00, g[kParam11], g[kParam12]});
      const std::uint32_t low = r.Next();
      LengthToEnd16(r, low | (static_cast<std::uint32_t>(r.Next()) << 8));
      break;
    }
    case kMaxiCode: {
      r.Expect({0x1D, 0x70, 0x03, g[kMode]});
      if (g[kMode] == 2) r.Skip(15);
      if (g[kMode] == 3) r.Skip(12);
      LengthToEnd8(r);
      break;
    }
    case kGs1Stacked:
      r.Expect({0x12, 0x3B, g[kModuleSize], 0x1D, 0x70, 0x04, 0x00});
      LengthToEnd8(r);
      break;
    case kGs1StackedOmni:
      r.Expect({0x12, 0x3B, g[kModuleSize], 0x1D, 0x70, 0x04, 0x01, g[kModuleHeight]});
      LengthToEnd8(r);
      break;
    case kGs1ExpandedStacked:
      if (g[kModuleHeight] % 2 != 0) Bad();
      r.Expect({0x12, 0x3B, g[kModuleSize], 0x1D, 0x70, 0x04, 0x02, g[kModuleHeight]});
      LengthToEnd8(r);
      break;
    default:
      Bad();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 + kvt::kBarcodeGroupSize) return 0;
  // With the log on, the failures are logged into memory, so that every
  // message format is exercised with its arguments (the capture is slow, so
  // only when the input asks). One capture per run: what a run allocates it
  // also frees, so libFuzzer's leak check stays quiet and cheap.
  std::optional<kvt::testing::SdkLogCapture> capture;
  if (data[0] & 4) capture.emplace();
  const bool two_d = (data[0] & 1) != 0;
  std::unique_ptr<std::uint8_t[]> group(new std::uint8_t[kvt::kBarcodeGroupSize]);
  std::memcpy(group.get(), data + 1, kvt::kBarcodeGroupSize);
  if (data[0] & 2) group[two_d ? kvt::barcode2d::kHexInput : kvt::barcode1d::kHexInput] = 1;

  const std::size_t count = (size - 1 - kvt::kBarcodeGroupSize) / 2;
  std::unique_ptr<char16_t[]> text(new char16_t[count + 1]);
  if (count != 0) std::memcpy(text.get(), data + 1 + kvt::kBarcodeGroupSize, count * 2);

  Bytes command;
  kvt::SetThreadLastError(0);
  const bool ok =
      kvt::GetBarcodeCommand(two_d ? nullptr : group.get(), two_d ? group.get() : nullptr,
                             text.get(), static_cast<std::uint32_t>(count), &command);
  if (ok) {
    if (two_d) {
      Check2D(group.get(), command);
    } else {
      Check1D(group.get(), command);
    }
  } else {
    const std::uint32_t error = kvt::GetThreadLastError();
    if (error != 13 && error != 14 && error != 24 && error != 87) Bad();
    if (!command.empty()) Bad();
  }
  return 0;
}
