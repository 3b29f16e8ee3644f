// The framework's DevMode requests: which buffers each code touches, and what
// the framework is told.
#include "core/devmode.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/private_settings.h"
#include "core/private_settings_ops.h"
#include "core/testing/record_image.h"
#include "platform/fake/fake_spooler.h"
#include "platform/last_error.h"
#include "platform/service.h"

namespace kvt {
namespace {

using testing::Image;
using testing::ImageOf;
using testing::RecordOf;

Image Pattern(std::uint8_t seed) { return testing::Pattern(seed, 13); }

Image DefaultsOver(const Image& image) {
  auto record = RecordOf(image);
  Defaults(record.get());
  return ImageOf(*record);
}

// The framework's blocks: an input and an output record with recognisable
// contents, and a buffer size that tells whether SIZE wrote it.
struct Block {
  explicit Block(const Image& in_image, const Image& out_image)
      : in(RecordOf(in_image)), out(RecordOf(out_image)) {
    param.cbSize = sizeof(param);
    param.pOEMDMIn = in.get();
    param.pOEMDMOut = out.get();
    param.cbBufSize = 77;
  }
  std::unique_ptr<PrivateSettings> in;
  std::unique_ptr<PrivateSettings> out;
  OEMDMPARAM param{};
};

// Which buffer each code writes: SIZE only the size, DEFAULT and CONVERT only
// the output (CONVERT judges nothing, and takes the defaults for a record of
// another signature).
TEST(DevMode, EachCodeWritesOnlyItsBuffer) {
  const Image in = Pattern(1), out = Pattern(2);
  Image ours = DefaultsOver(Pattern(1));
  ours[16] = 69;  // out of range: convert does not judge it
  Image foreign = ours;
  foreign[4] = 'X';
  struct Case {
    DWORD mode;
    Image in, out, want_out;
    DWORD want_size;
  } cases[] = {
      {abi::OEMDM_SIZE, in, out, out, 1552},
      {abi::OEMDM_DEFAULT, in, out, DefaultsOver(out), 77},
      {abi::OEMDM_CONVERT, ours, DefaultsOver(out), ours, 77},
      {abi::OEMDM_CONVERT, foreign, DefaultsOver(out), DefaultsOver(out), 77},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Block block(c.in, c.out);
    EXPECT_EQ(S_OK, DevMode(c.mode, &block.param));
    EXPECT_EQ(c.want_out, ImageOf(*block.out));
    EXPECT_EQ(c.in, ImageOf(*block.in));
    EXPECT_EQ(c.want_size, block.param.cbBufSize);
  }
}

TEST(DevMode, MergeConvertsThenValidatesForThePrinter) {
  FakeSpooler spooler;
  spooler.AddPrinter(reinterpret_cast<PrinterHandle>(0x30), {u"KVT QV-J27"});
  ScopedService<Spooler> installed(spooler);

  Image in = DefaultsOver(Pattern(1));
  in[16] = 69;  // byDensity
  in[13] = 2;   // byPreset
  Block block(in, DefaultsOver(Pattern(2)));
  block.param.hPrinter = reinterpret_cast<PrinterHandle>(0x30);

  // Corrections are the operation's business; the framework gets S_OK.
  EXPECT_EQ(S_OK, DevMode(abi::OEMDM_MERGE, &block.param));
  Image expected = in;
  expected[16] = 100;
  EXPECT_EQ(expected, ImageOf(*block.out));
  EXPECT_EQ(in, ImageOf(*block.in));
  EXPECT_EQ(1, spooler.driver_name_calls);
}

TEST(DevMode, UnknownCodeOrMissingBlockIsRefused) {
  const DWORD unknown[] = {0, 5};
  for (DWORD mode : unknown) {
    SCOPED_TRACE(mode);
    const Image in = Pattern(1), out = Pattern(2);
    Block block(in, out);
    SetThreadLastError(0);
    EXPECT_EQ(E_FAIL, DevMode(mode, &block.param));
    EXPECT_EQ(87u, GetThreadLastError());
    EXPECT_EQ(77u, block.param.cbBufSize);
    EXPECT_EQ(in, ImageOf(*block.in));
    EXPECT_EQ(out, ImageOf(*block.out));
  }
  for (DWORD mode : {abi::OEMDM_SIZE, abi::OEMDM_MERGE}) {
    SCOPED_TRACE(mode);
    SetThreadLastError(0);
    EXPECT_EQ(E_FAIL, DevMode(mode, nullptr));
    EXPECT_EQ(87u, GetThreadLastError());
  }
}

}  // namespace
}  // namespace kvt
