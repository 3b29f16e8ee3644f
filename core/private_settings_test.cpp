// The record as a stored format: the byte image of its defaults, what the
// defaults leave alone, and the model tables that limit three of its fields.
#include "core/private_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/model_setting_table.h"
#include "core/private_settings_ops.h"
#include "core/testing/record_image.h"

namespace kvt {
namespace {

using testing::Image;
using testing::ImageOf;
using testing::Put;
using testing::SameBytes;

// The defaults, written from the published offsets over |image|; every byte
// that the defaults do not own keeps what |image| held.
void OverlayDefaults(Image& image) {
  Put(image, 0, 4, 1552);
  const char signature[] = {'U', 'T', 'V', 'K'};
  std::memcpy(&image[4], signature, 4);
  Put(image, 8, 4, 4);
  const std::uint8_t general[] = {
      0,    // 12 byHeadDrive
      6,    // 13 byPreset
      1,    // 14 byInitialize
      3,    // 15 bySpeed
      100,  // 16 byDensity
      2,    // 17 byMargin
      0,    // 18 byDirection
      0,    // 19 byDirectionCopy
      0,    // 20 byReduction
      100,  // 21 byReductionScale
      1,    // 22 byPaperCut
      1,    // 23 byFeedToCut
      0,    // 24 byMarkedPaperFeed
  };
  std::memcpy(&image[12], general, sizeof(general));
  Put(image, 26, 2, 0);  // sFormFeedCorrect
  image[28] = 0;         // byIntlCharSet
  image[29] = 0;         // byCodeTable
  for (int g = 0; g < 4; ++g) {
    const std::size_t base = 32 + 152 * g;
    Put(image, base + 0, 4, 0);  // logo, key code, align, buzzer
    Put(image, base + 4, 2, 0);  // sFeed
    image[base + 6] = g == 0 ? 1 : 0;
    Put(image, base + 8, 2, 50);
    Put(image, base + 10, 2, 200);
    Put(image, base + 12, 4, 0);
    std::memset(&image[base + 16], 0, 128);
  }
  image[640] = 0;
  image[641] = 0;
  for (int n = 0; n < 10; ++n) {
    const std::size_t base = 644 + 16 * n;
    const std::uint8_t group[] = {static_cast<std::uint8_t>(n), 0, 0, 3, 162, 0, 0, 0};
    std::memcpy(&image[base], group, sizeof(group));
  }
  for (int n = 0; n < 5; ++n) {
    const std::size_t base = 804 + 16 * n;
    const bool pdf417 = n == 1;
    const std::uint8_t group[] = {
        static_cast<std::uint8_t>(pdf417 ? 1 : 0),  // bySystem
        2,                                          // byModel
        0,                                          // byParam2
        static_cast<std::uint8_t>(pdf417 ? 0 : 'M'),
        0,  // byErrorLevel
        0,  // byLines
        0,  // byColumns
        static_cast<std::uint8_t>(pdf417 ? 3 : 6),
        10,  // byModuleHeight
        0,   // byRotate
        0,   // byHexInput
    };
    std::memcpy(&image[base], group, sizeof(group));
  }
  image[884] = 0;
  image[885] = 0;
  image[886] = 0;
  image[887] = 50;
  Put(image, 888, 2, 100);
  image[890] = 0;
  std::memset(&image[892], 0, 520);
}

Image Filled(std::uint8_t (*fill)(std::size_t)) {
  Image image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = fill(i);
  return image;
}

struct Fill {
  const char* name;
  std::uint8_t (*byte)(std::size_t);
};

// The defaults are written over buffers that held zeros, all-ones and a
// pattern that differs from byte to byte: every byte the defaults do not
// own must come through, and every byte they own must be exact.
TEST(PrivateSettingsDefaults, WriteExactlyTheDefaultBytesAndNothingElse) {
  const Fill fills[] = {
      {"zero", [](std::size_t) -> std::uint8_t { return 0x00; }},
      {"ones", [](std::size_t) -> std::uint8_t { return 0xFF; }},
      {"pattern", [](std::size_t i) { return static_cast<std::uint8_t>(i * 37 + 11); }},
  };
  for (const Fill& fill : fills) {
    SCOPED_TRACE(fill.name);
    const Image before = Filled(fill.byte);
    PrivateSettings settings;
    std::memcpy(&settings, before.data(), sizeof(settings));
    Defaults(&settings);

    Image expected = before;
    OverlayDefaults(expected);
    EXPECT_TRUE(SameBytes(expected, ImageOf(settings)));
  }
}

TEST(PrivateSettingsDefaults, NullRecordIsIgnored) { Defaults(nullptr); }

TEST(PrivateSettingsLayout, NamedConstantsMatchTheHeaderBytes) {
  PrivateSettings settings{};
  settings.dwSignature = kPrivateSettingsSignature;
  EXPECT_EQ(0, std::memcmp(&settings.dwSignature, "UTVK", 4));
  EXPECT_EQ(1552u, kPrivateSettingsSize);
  EXPECT_EQ(4u, kPrivateSettingsVersion);
}

// --- Model tables -----------------------------------------------------------

struct AllowedCase {
  const char* list;
  ModelEntries ModelSettingTable::*entries;
  std::uint32_t value;
  bool allowed;
};

TEST(ModelSettingTable, HoldsTheQvj27Limits) {
  const AllowedCase cases[] = {
      {"head drive", &ModelSettingTable::headDrive, 0, true},
      {"head drive", &ModelSettingTable::headDrive, 5, true},
      {"head drive", &ModelSettingTable::headDrive, 6, false},  // listed, not enabled
      {"head drive", &ModelSettingTable::headDrive, 7, false},
      {"preset", &ModelSettingTable::preset, 0, true},
      {"preset", &ModelSettingTable::preset, 6, true},
      {"preset", &ModelSettingTable::preset, 7, false},
      {"reduction", &ModelSettingTable::reduction, 0, true},
      {"reduction", &ModelSettingTable::reduction, 3, true},
      {"reduction", &ModelSettingTable::reduction, 4, false},
      {"reduction", &ModelSettingTable::reduction, 0xFFFFFFFF, false},
  };
  const ModelSettingTable& table = DefaultModelSettingTable();
  for (const AllowedCase& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " " + std::to_string(c.value));
    const ModelEntries& list = table.*c.entries;
    ASSERT_EQ(1u, list.count);
    EXPECT_EQ(std::u16string(u"KVT QV-J27"), list.pEntries[0].szModelName);
    EXPECT_EQ(c.allowed, IsAllowed(&list.pEntries[0], c.value));
  }
}

TEST(ModelSettingTable, IsAllowedNeedsAnEnabledPair) {
  const ModelValuePair pairs[] = {{1, 0}, {1, 1}, {2, 2}, {3, 0}};
  const ModelValueList list = {u"X", pairs, 4};
  EXPECT_TRUE(IsAllowed(&list, 1));   // a later enabled duplicate counts
  EXPECT_FALSE(IsAllowed(&list, 2));  // enabled means exactly 1
  EXPECT_FALSE(IsAllowed(&list, 3));
  EXPECT_FALSE(IsAllowed(&list, 4));
  EXPECT_FALSE(IsAllowed(nullptr, 0));
  const ModelValueList empty = {u"X", nullptr, 3};
  EXPECT_FALSE(IsAllowed(&empty, 0));
}

TEST(ModelSettingTable, DriverNameMatchesTheModelAtItsStartInAnyCase) {
  struct Case {
    std::u16string driver_name;
    bool matches;
  };
  const Case cases[] = {
      {u"KVT QV-J27", true},
      {u"kvt qv-j27", true},
      {u"kVt Qv-j27 Receipt", true},
      {u"KVT QV-J27X", true},
      {u"KVT QV-J2", false},  // shorter than the model name
      {u" KVT QV-J27", false},
      {u"KVT QV-J28", false},
      {u"KVT_QV-J27", false},
      {u"", false},
      {std::u16string(u"KVT QV\0J27", 10), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.driver_name));
    EXPECT_EQ(c.matches, DriverNameMatchesModel(c.driver_name, u"KVT QV-J27"));
  }
}

TEST(ModelSettingTable, SelectsTheFirstMatchingEntryElseTheFirst) {
  const ModelValueList entries[] = {
      {u"ACME TP-1", nullptr, 0},
      {u"KVT QV-J27", nullptr, 0},
      {u"kvt qv", nullptr, 0},  // would also match; the earlier entry wins
  };
  const ModelEntries list = {entries, 3};
  EXPECT_EQ(&entries[1], SelectModelEntry(list, u"kvt QV-j27 Receipt"));
  EXPECT_EQ(&entries[0], SelectModelEntry(list, u"acme tp-1"));
  EXPECT_EQ(&entries[2], SelectModelEntry(list, u"KVT QV-J1"));
  EXPECT_EQ(&entries[0], SelectModelEntry(list, u"Generic / Text Only"));
  EXPECT_EQ(&entries[0], SelectModelEntry(list, u""));
  EXPECT_EQ(nullptr, SelectModelEntry(ModelEntries{entries, 0}, u"KVT QV-J27"));
}

}  // namespace
}  // namespace kvt
