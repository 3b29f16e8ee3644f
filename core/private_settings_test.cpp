// The record as a stored format: the byte image of its defaults, what the
// defaults leave alone, and the model tables that limit three of its fields.
#include "core/private_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/model_setting_table.h"
#include "core/private_settings_ops.h"

namespace kvt {
namespace {

// The defaults by field (the header pins every offset), written over records
// that held zeros and all-ones: each field the defaults own is exact, and every
// other byte (reserved bytes, the command bytes) keeps what the record held.
TEST(PrivateSettingsDefaults, WriteTheirFieldsAndLeaveEveryOtherByte) {
  for (std::uint8_t fill : {0x00, 0xFF}) {
    SCOPED_TRACE(int{fill});
    PrivateSettings s;
    std::memset(&s, fill, sizeof s);
    Defaults(&s);
    EXPECT_EQ(s.dwSize + 0u, 1552u);
    EXPECT_EQ(std::memcmp(&s.dwSignature, "UTVK", 4), 0);
    EXPECT_EQ(s.dwVersion + 0u, 4u);
    const int general[] = {
        s.byHeadDrive, s.byPreset,      s.byInitialize,      s.bySpeed,          s.byDensity,
        s.byMargin,    s.byDirection,   s.byDirectionCopy,   s.byReduction,      s.byReductionScale,
        s.byPaperCut,  s.byFeedToCut,   s.byMarkedPaperFeed, s.sFormFeedCorrect, s.byIntlCharSet,
        s.byCodeTable, s.byBarcodeFont, s.by2DBarcodeFont};
    const int want_general[] = {0, 6, 1, 3, 100, 2, 0, 0, 0, 100, 1, 1, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(general), std::end(general), want_general));
    for (int g = 0; g < kOptionCommandGroupCount; ++g) {
      const OptionCommandGroup& o = s.optionGroups[g];
      const int group[] = {o.byLogo,   o.byLogoKeycode, o.byLogoAlign,    o.byBuzzer,      o.sFeed,
                           o.byDrawer, o.wDrawerOnTime, o.wDrawerOffTime, o.nCommandLength};
      const int want[] = {0, 0, 0, 0, 0, g == 0 ? 1 : 0, 50, 200, 0};  // print start: drawer 1
      EXPECT_TRUE(std::equal(std::begin(group), std::end(group), want)) << g;
      EXPECT_EQ(std::count(o.abyCommand, o.abyCommand + sizeof o.abyCommand, 0), 128);
      EXPECT_EQ(o.reserved7, fill);
    }
    for (int n = 0; n < kBarcodeFontCount; ++n) {
      const BarcodeFontSettings& f = s.barcodeFonts[n];
      const int font[] = {f.bySystem, f.byStartChar, f.byStopChar, f.byModuleWidth,
                          f.byHeight, f.byHri,       f.byHexInput, f.byRotate};
      const int want[] = {n, 0, 0, 3, 162, 0, 0, 0};
      EXPECT_TRUE(std::equal(std::begin(font), std::end(font), want)) << n;
    }
    for (int n = 0; n < kBarcode2DFontCount; ++n) {
      const Barcode2DFontSettings& f = s.barcode2DFonts[n];
      const bool pdf417 = n == 1;
      const int font[] = {f.bySystem,       f.byModel,  f.byParam2,  f.byMode,
                          f.byErrorLevel,   f.byLines,  f.byColumns, f.byModuleSize,
                          f.byModuleHeight, f.byRotate, f.byHexInput};
      const int want[] = {pdf417, 2, 0, pdf417 ? 0 : 'M', 0, 0, 0, pdf417 ? 3 : 6, 10, 0, 0};
      EXPECT_TRUE(std::equal(std::begin(font), std::end(font), want)) << n;
    }
    const int watermark[] = {s.byWatermark,        s.byWatermarkKeycode, s.byWatermarkPosition,
                             s.byWatermarkDensity, s.wWatermarkScale,    s.byWatermarkFitPaper};
    const int want_watermark[] = {0, 0, 0, 50, 100, 0};
    EXPECT_TRUE(std::equal(std::begin(watermark), std::end(watermark), want_watermark));
    EXPECT_EQ(std::count(s.reserved1412, s.reserved1412 + 140, fill), 140);
    EXPECT_EQ(s.reserved25 + s.reserved891, 2 * fill);
    const char16_t* file = s.szWatermarkFile;
    EXPECT_EQ(std::count(file, file + kWatermarkFileChars, u'\0'), kWatermarkFileChars);
  }
}

// --- Model tables -----------------------------------------------------------

TEST(ModelSettingTable, IsAllowedNeedsAnEnabledPair) {
  const ModelValuePair pairs[] = {{1, 0}, {1, 1}, {2, 2}, {3, 0}};
  const ModelValueList list = {u"X", pairs, 4};
  EXPECT_TRUE(IsAllowed(&list, 1));   // a later enabled duplicate counts
  EXPECT_FALSE(IsAllowed(&list, 2));  // enabled means exactly 1
}

TEST(ModelSettingTable, DriverNameMatchesTheModelAtItsStartInAnyCase) {
  struct Case {
    std::u16string driver_name;
    bool matches;
  };
  // Case and suffixes are covered through the merge; these fail differently.
  const Case cases[] = {
      {u"KVT QV-J27X", true}, {u"KVT QV-J2", false},  // shorter than the model name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.driver_name));
    EXPECT_EQ(c.matches, DriverNameMatchesModel(c.driver_name, u"KVT QV-J27"));
  }
}

}  // namespace
}  // namespace kvt
