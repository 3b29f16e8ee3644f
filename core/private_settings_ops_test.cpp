// Convert and Merge, seen from the bytes of the record: each case writes a
// value at a published offset and checks the whole 1552-byte image after.
#include "core/private_settings_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/testing/record_image.h"
#include "platform/fake/fake_spooler.h"
#include "platform/service.h"

namespace kvt {
namespace {

using testing::Image;
using testing::ImageOf;
using testing::Pattern;
using testing::Put;
using testing::RecordOf;
using testing::SameBytes;

Image DefaultImage() {
  PrivateSettings settings{};
  Defaults(&settings);
  return ImageOf(settings);
}

// --- Merge: one field at a time ---------------------------------------------

// A field's rule: values in [low, high] stay; any other becomes |fix|, or
// the nearer end when |clamp|. byDirection keeps only 0 and 2.
struct FieldRule {
  std::size_t offset;  // within the record, or within the group
  int width;
  bool is_signed;
  std::int64_t low, high, fix;
  bool clamp = false;
};

constexpr bool kClamp = true;

const FieldRule kGeneral[] = {
    {12, 1, false, 0, 5, 0},  // byHeadDrive: 6 is listed but not enabled
    {13, 1, false, 0, 6, 6},
    {14, 1, false, 0, 1, 1},
    {15, 1, false, 0, 3, 3},
    {16, 1, false, 70, 130, 100},
    {17, 1, false, 0, 3, 2},
    {18, 1, false, 0, 2, 0},
    {20, 1, false, 0, 3, 0},
    {21, 1, false, 25, 100, 0, kClamp},
    {22, 1, false, 0, 5, 1},
    {23, 1, false, 0, 1, 1},
    {24, 1, false, 0, 2, 0},
    {26, 2, true, -74, 255, 0},
    {28, 1, false, 0, 14, 0},
    {29, 1, false, 0, 15, 0},
    {640, 1, false, 0, 9, 0},
    {641, 1, false, 0, 4, 0},
    {884, 1, false, 0, 1, 0},
    {885, 1, false, 0, 99, 0},
    {886, 1, false, 0, 8, 0},
    {887, 1, false, 1, 100, 100},
    {888, 2, false, 10, 300, 0, kClamp},  // wWatermarkScale, while not fitting the paper
    {890, 1, false, 0, 1, 0},
};
const FieldRule kOptionGroup[] = {
    {0, 1, false, 0, 1, 0},   {1, 1, false, 0, 99, 0},           {2, 1, false, 0, 2, 0},
    {3, 1, false, 0, 1, 0},   {4, 2, true, -74, 255, 0, kClamp},  // sFeed
    {6, 1, false, 0, 2, 0},   {8, 2, false, 0, 510, 50},         {10, 2, false, 0, 510, 200},
    {12, 4, true, 0, 128, 0},  // nCommandLength
};
const FieldRule kBarcodeGroup[] = {
    {0, 1, false, 0, 10, 0},        {1, 1, false, 0, 3, 0},   {2, 1, false, 0, 3, 0},
    {3, 1, false, 2, 6, 0, kClamp}, {4, 1, false, 1, 255, 1}, {5, 1, false, 0, 6, 0},
    {6, 1, false, 0, 1, 0},         {7, 1, false, 0, 3, 0},
};
// The fields of a 2D group whose range does not depend on its system.
const FieldRule kBarcode2DGroup[] = {
    {8, 1, false, 2, 127, 0, kClamp}, {9, 1, false, 0, 3, 0}, {10, 1, false, 0, 1, 0}};

// Every byte value, or for wider fields the ends of the range, one past
// each, and the ends of the type.
std::vector<std::int64_t> ValuesFor(const FieldRule& rule) {
  std::vector<std::int64_t> values;
  if (rule.width == 1) {
    for (int v = 0; v < 256; ++v) values.push_back(v);
    return values;
  }
  const std::int64_t bits = 8 * rule.width;
  const std::int64_t min = rule.is_signed ? -(std::int64_t{1} << (bits - 1)) : 0;
  const std::int64_t max =
      rule.is_signed ? (std::int64_t{1} << (bits - 1)) - 1 : (std::int64_t{1} << bits) - 1;
  for (std::int64_t v : {min, rule.low - 1, rule.low, rule.high, rule.high + 1, max}) {
    if (v >= min && v <= max) values.push_back(v);
  }
  return values;
}

std::int64_t Expected(const FieldRule& rule, std::int64_t value) {
  if (rule.offset == 18) return value == 0 || value == 2 ? value : 0;
  if (value >= rule.low && value <= rule.high) return value;
  if (!rule.clamp) return rule.fix;
  return value < rule.low ? rule.low : rule.high;
}

// Merges |image| and expects |want|: a correction is reported exactly when
// they differ.
void ExpectMerged(const Image& image, const Image& want) {
  auto record = RecordOf(image);
  EXPECT_EQ(image == want, Merge(record.get(), nullptr));
  EXPECT_TRUE(SameBytes(want, ImageOf(*record)));
}

void ExpectRules(const FieldRule* rules, std::size_t count, std::size_t base, const char* what) {
  for (std::size_t r = 0; r < count; ++r) {
    const FieldRule& rule = rules[r];
    for (std::int64_t value : ValuesFor(rule)) {
      SCOPED_TRACE(std::string(what) + " @" + std::to_string(base + rule.offset) + " value " +
                   std::to_string(value));
      Image image = DefaultImage();
      Put(image, base + rule.offset, rule.width, value);
      Image expected = image;
      Put(expected, base + rule.offset, rule.width, Expected(rule, value));
      ExpectMerged(image, expected);
    }
  }
}

TEST(PrivateSettingsMerge, DefaultsNeedNoCorrection) {
  ExpectMerged(DefaultImage(), DefaultImage());
  EXPECT_FALSE(Merge(nullptr, nullptr));
}

TEST(PrivateSettingsMerge, CorrectsEachFieldAloneAndKeepsGoodValues) {
  ExpectRules(kGeneral, std::size(kGeneral), 0, "record");
  for (int g = 0; g < 4; ++g)
    ExpectRules(kOptionGroup, std::size(kOptionGroup), 32 + 152 * g, "option group");
  for (int n = 0; n < 10; ++n)
    ExpectRules(kBarcodeGroup, std::size(kBarcodeGroup), 644 + 16 * n, "barcode group");
  for (int n = 0; n < 5; ++n)
    ExpectRules(kBarcode2DGroup, std::size(kBarcode2DGroup), 804 + 16 * n, "2D group");
}

// byErrorLevel and byModuleSize are judged by the group's system, after the
// system itself has been put right.
TEST(PrivateSettingsMerge, TwoDimensionalRangesFollowTheCheckedSystem) {
  struct Case {
    std::uint8_t system, error_level, module_size;
    std::uint8_t want_system, want_error_level, want_module_size;
  };
  const Case cases[] = {
      {0, 4, 12, 0, 3, 11},  // QR Code limits
      {1, 9, 5, 1, 8, 4},    // PDF417 limits
      {2, 8, 5, 0, 3, 5},    // an unknown system is checked as QR Code
  };
  for (int n = 0; n < 5; ++n) {
    for (const Case& c : cases) {
      SCOPED_TRACE("group " + std::to_string(n) + " system " + std::to_string(c.system) +
                   " level " + std::to_string(c.error_level) + " size " +
                   std::to_string(c.module_size));
      const std::size_t base = 804 + 16 * n;
      Image image = DefaultImage();
      image[base + 0] = c.system;
      image[base + 4] = c.error_level;
      image[base + 7] = c.module_size;
      Image expected = image;
      expected[base + 0] = c.want_system;
      expected[base + 4] = c.want_error_level;
      expected[base + 7] = c.want_module_size;
      ExpectMerged(image, expected);
    }
  }
}

TEST(PrivateSettingsMerge, WatermarkScaleIsCheckedOnlyWhenNotFittingThePaper) {
  struct Case {
    std::uint8_t fit;
    std::uint16_t scale;
    std::uint8_t want_fit;
    std::uint16_t want_scale;
  };
  const Case cases[] = {
      {1, 5, 1, 5},   // fitted: the scale is not looked at
      {2, 5, 0, 10},  // the flag is put right first, then the scale counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("fit " + std::to_string(c.fit) + " scale " + std::to_string(c.scale));
    Image image = DefaultImage();
    image[890] = c.fit;
    Put(image, 888, 2, c.scale);
    Image expected = image;
    expected[890] = c.want_fit;
    Put(expected, 888, 2, c.want_scale);
    ExpectMerged(image, expected);
  }
}

TEST(PrivateSettingsMerge, SetsTheHeaderWithoutCountingItAsACorrection) {
  Image image = DefaultImage();
  Put(image, 0, 4, 7);
  Put(image, 4, 4, 0x12345678);
  Put(image, 8, 4, 3);
  auto record = RecordOf(image);
  EXPECT_TRUE(Merge(record.get(), nullptr));
  EXPECT_TRUE(SameBytes(DefaultImage(), ImageOf(*record)));
}

// --- Merge: the model chosen by the printer's driver name -------------------

// Two models whose limits differ, so the choice shows in the result. The
// reduction list names the models in the other order: each list is searched
// on its own.
constexpr ModelValuePair kNarrow[] = {{0, 1}, {6, 1}};
constexpr ModelValuePair kWide[] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {6, 1}};
constexpr ModelValueList kHeadDrive[] = {{u"ACME TP-1", kNarrow, 2}, {u"KVT QV-J27", kWide, 5}};
constexpr ModelValueList kPreset[] = {{u"ACME TP-1", kNarrow, 2}, {u"KVT QV-J27", kWide, 5}};
constexpr ModelValueList kReduction[] = {{u"KVT QV-J27", kWide, 5}, {u"ACME TP-1", kNarrow, 2}};
constexpr ModelSettingTable kTwoModels = {{kHeadDrive, 2}, {kPreset, 2}, {kReduction, 2}};

PrinterHandle Handle(std::uintptr_t value) { return reinterpret_cast<PrinterHandle>(value); }

TEST(PrivateSettingsMerge, ChoosesEachListsModelByTheDriverName) {
  using Status = Spooler::DriverNameStatus;
  struct Case {
    const char* name;
    std::u16string driver_name;
    Status status;
    bool qvj27;  // head drive and preset lists of KVT QV-J27 chosen
    bool printer = true;
  };
  const std::u16string long_name = u"KVT QV-J27" + std::u16string(249, u'x');  // 259 units
  const Case cases[] = {
      {"exact", u"KVT QV-J27", Status::kOk, true},
      {"mixed with suffix", u"kVt Qv-J27 Receipt (Copy 1)", Status::kOk, true},
      {"other model", u"ACME TP-1", Status::kOk, false},
      {"longest that fits", long_name, Status::kOk, true},
      {"too long to keep", long_name + u"x", Status::kOk, false},
      {"no printer: first entries, no spooler", u"KVT QV-J27", Status::kOk, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSpooler spooler;
    spooler.AddPrinter(Handle(0x10), {c.driver_name, c.status, 1801});
    ScopedService<Spooler> installed(spooler);

    Image image = DefaultImage();
    image[12] = 3;  // byHeadDrive: only KVT QV-J27 allows it
    image[13] = 2;  // byPreset: likewise
    image[20] = 3;  // byReduction: first entry is KVT QV-J27 unless ACME is named
    auto record = RecordOf(image);
    const bool clean = Merge(record.get(), c.printer ? Handle(0x10) : nullptr, kTwoModels);

    EXPECT_EQ(c.printer ? 1 : 0, spooler.driver_name_calls);
    const bool acme = c.printer && c.status == Status::kOk && c.driver_name == u"ACME TP-1";
    EXPECT_EQ(c.qvj27 ? 3 : 0, record->byHeadDrive);
    EXPECT_EQ(c.qvj27 ? 2 : 6, record->byPreset);
    EXPECT_EQ(acme ? 0 : 3, record->byReduction);
    EXPECT_EQ(c.qvj27, clean);
  }
}

// --- Convert ----------------------------------------------------------------

// What comes over: the smaller of both sizes, never more than the record;
// a record of another signature than the output's gives the defaults.
TEST(PrivateSettingsConvert, CopiesTheSmallerSizeOfAMatchingRecord) {
  constexpr std::uint32_t kOurs = 0x4B565455;
  struct Case {
    const char* name;
    std::uint32_t in_size, in_signature, out_size, out_signature;
    std::size_t copied;  // SIZE_MAX: the defaults over the output
  };
  const Case cases[] = {
      {"older, shorter record", 900, kOurs, 1552, kOurs, 900},
      {"output claims less", 1552, kOurs, 600, kOurs, 600},
      {"both huge", 0xFFFFFFFF, kOurs, 0x10000, kOurs, 1552},
      // The output's own signature is the reference, not this version's.
      {"same foreign signature", 1552, 0x11223344, 1552, 0x11223344, 1552},
      {"zero signature", 1552, 0, 1552, kOurs, SIZE_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Image in = Pattern(1);
    Put(in, 0, 4, c.in_size);
    Put(in, 4, 4, c.in_signature);
    Put(in, 8, 4, 3);  // an older version: not looked at
    Image out = Pattern(100);
    Put(out, 0, 4, c.out_size);
    Put(out, 4, 4, c.out_signature);
    auto in_record = RecordOf(in);
    auto out_record = RecordOf(out);

    EXPECT_TRUE(Convert(in_record.get(), out_record.get()));

    Image expected = out;
    if (c.copied == SIZE_MAX) {
      auto defaults = RecordOf(out);
      Defaults(defaults.get());
      expected = ImageOf(*defaults);
    } else {
      std::memcpy(expected.data(), in.data(), c.copied);
      Put(expected, 0, 4, 1552);
      Put(expected, 8, 4, 4);
    }
    EXPECT_TRUE(SameBytes(expected, ImageOf(*out_record)));
    EXPECT_TRUE(SameBytes(in, ImageOf(*in_record)));
  }
}

// Whatever both sizes claim, nothing past the 1552 bytes is written, even
// where the memory beyond is there to be written.
TEST(PrivateSettingsConvert, NeverWritesPastTheRecord) {
  std::vector<std::uint8_t> in(1552 + 64, 0x11), out(1552 + 64, 0xEE);
  for (std::vector<std::uint8_t>* buffer : {&in, &out}) {
    const std::uint32_t header[] = {1600, 0x4B565455};  // a little more than the record
    std::memcpy(buffer->data(), header, sizeof header);
  }
  EXPECT_TRUE(Convert(reinterpret_cast<const PrivateSettings*>(in.data()),
                      reinterpret_cast<PrivateSettings*>(out.data())));
  EXPECT_EQ(out[1551], 0x11);
  EXPECT_EQ(std::count(out.begin() + 1552, out.end(), 0xEE), 64);
}

}  // namespace
}  // namespace kvt
