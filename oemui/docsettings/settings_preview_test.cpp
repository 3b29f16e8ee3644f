#include "oemui/docsettings/settings_preview.h"

#include <gtest/gtest.h>

#include <map>

#include "core/private_settings_ops.h"
#include "platform/fake/fake_module_resources.h"

namespace kvt {
namespace {

ModuleHandle const kModule = reinterpret_cast<ModuleHandle>(0x5000);

// Each picture is one grey level, so a probed pixel tells which picture
// landed there. The outlines are white. Masks and images of the cut marks
// split a byte: a mask ANDed onto white leaves its high nibble, the image
// ORed onto that adds its low one, so a mark reads 0x11 for mask 216 with
// image 215, and a mark drawn in the wrong order or pair reads otherwise.
struct Synthetic {
  int width, height;
  std::uint8_t grey;
};
const std::map<std::uint32_t, Synthetic> kPictures = {
    {223, {187, 136, 0xFF}}, {224, {187, 166, 0xFF}}, {225, {188, 202, 0xFF}},
    {229, {54, 28, 0x50}},   {230, {46, 34, 0x60}},   {231, {54, 28, 0x70}},
    {232, {46, 34, 0x80}},   {215, {110, 13, 0x01}},  {216, {110, 13, 0x10}},
    {217, {110, 13, 0x02}},  {218, {110, 13, 0x20}},  {219, {110, 13, 0x03}},
    {220, {110, 13, 0x30}},  {221, {110, 13, 0x04}},  {222, {110, 13, 0x40}},
    {246, {22, 16, 0x99}},
};
constexpr std::uint8_t kWhite = 0xFF;
constexpr std::uint8_t kPartial = 0x11, kPartialFeed = 0x22, kFull = 0x33, kFullFeed = 0x44;

class SettingsPreviewTest : public ::testing::Test {
 protected:
  SettingsPreviewTest() {
    for (const auto& [id, p] : kPictures) {
      BitmapPixels bitmap{p.width, p.height, {}};
      bitmap.rows.assign(DibStride(p.width, 24) * p.height, p.grey);
      resources_.bitmaps[{kModule, id}] = bitmap;
    }
    Defaults(&settings_);
  }

  std::uint8_t At(int x, int y) const { return out_.RowPointer(y)[x * 3]; }
  // A picture's top-left pixel and the outline's white left of it and above.
  std::vector<int> Corner(int x, int y) const { return {At(x, y), At(x - 1, y), At(x, y - 1)}; }
  std::uint32_t Compose(bool landscape = false) {
    return preview_.Compose(settings_, landscape, &out_);
  }

  FakeModuleResources resources_;
  ScopedService<ModuleResources> use_resources_{resources_};
  SettingsPreview preview_{kModule};
  PrivateSettings settings_{};
  CMyDibSection2 out_;
};

TEST_F(SettingsPreviewTest, PlacesEverythingByMargin) {
  struct Case {
    int width, height;
    int page_y[2], cut_y[2], drawer_y;
  };
  const Case cases[] = {
      {187, 136, {13, 62}, {43, 92}, 119},
      {187, 166, {13, 77}, {58, 122}, 149},
      {187, 166, {28, 92}, {58, 122}, 149},
      {188, 202, {29, 111}, {76, 158}, 185},
  };
  settings_.byPaperCut = 3;  // full cuts between the pages and at the end
  settings_.byFeedToCut = 0;
  settings_.optionGroups[kPrintEnd].byDrawer = 2;
  for (int margin = 0; margin < 4; ++margin) {
    SCOPED_TRACE(margin);
    const Case& c = cases[margin];
    settings_.byMargin = static_cast<std::uint8_t>(margin);
    ASSERT_EQ(Compose(), 0u);
    EXPECT_EQ(out_.width() * 1000 + out_.height(), c.width * 1000 + c.height);
    for (int page = 0; page < 2; ++page) {
      EXPECT_EQ(Corner(68, c.page_y[page]), (std::vector<int>{0x50, kWhite, kWhite}));
      EXPECT_EQ(Corner(44, c.cut_y[page]), (std::vector<int>{kFull, kWhite, kWhite}));
    }
    EXPECT_EQ(At(24, 0) * 1000 + At(23, 0), 0x99 * 1000 + kWhite);
    EXPECT_EQ(Corner(147, c.drawer_y), (std::vector<int>{0x99, kWhite, kWhite}));
  }
}

TEST_F(SettingsPreviewTest, ContentByDirectionAndOrientation) {
  settings_.byMargin = 2;
  // No drawer: the page start group has none of its own to show.
  settings_.optionGroups[kPrintStart].byDrawer = 0;
  settings_.optionGroups[kPageStart].byDrawer = 1;
  // Each quarter turn, of the direction or the page, takes the next picture.
  for (int turns = 0; turns < 8; ++turns) {
    const int direction = turns / 2, landscape = turns % 2, next = (direction + landscape) % 4;
    SCOPED_TRACE(turns);
    settings_.byDirection = static_cast<std::uint8_t>(direction);
    ASSERT_EQ(Compose(landscape == 1), 0u);
    const bool sideways = next % 2 == 1;
    const int x = sideways ? 72 : 68;
    for (int y : {sideways ? 21 : 28, sideways ? 85 : 92}) {
      EXPECT_EQ(Corner(x, y), (std::vector<int>{0x50 + 0x10 * next, kWhite, kWhite}));
    }
    EXPECT_EQ(At(24, 0) + At(147, 149), 2 * kWhite);
  }
}

TEST_F(SettingsPreviewTest, DensityScalesTheInk) {
  // 0x50 is 175 below white: 70% of that is 122, 130% is 227.
  // The same density twice reuses the inked picture; back at 100 it is the original.
  const std::pair<int, std::uint8_t> cases[] = {
      {70, 255 - 122}, {130, 255 - 227}, {130, 255 - 227}, {250, 0}, {100, 0x50}};
  for (const auto& [density, grey] : cases) {
    SCOPED_TRACE(density);
    settings_.byDensity = static_cast<std::uint8_t>(density);
    ASSERT_EQ(Compose(), 0u);
    EXPECT_EQ(At(68, 28) * 1000 + At(68, 92), grey * 1001);
  }
}

TEST_F(SettingsPreviewTest, CutMarksByModeAndFeedToCut) {
  struct Case {
    std::uint8_t cut;
    std::uint8_t between, end, between_feed, end_feed;
  };
  const Case cases[] = {
      {0, kWhite, kWhite, kWhite, kWhite},
      {1, kWhite, kFull, kWhite, kFullFeed},
      {2, kWhite, kPartial, kWhite, kPartialFeed},
      {3, kFull, kFull, kFullFeed, kFullFeed},
      {4, kPartial, kPartial, kPartialFeed, kPartialFeed},
      {5, kPartial, kFull, kPartialFeed, kFullFeed},
      {6, kWhite, kWhite, kWhite, kWhite},
  };
  settings_.byMargin = 1;
  for (const Case& c : cases) {
    for (std::uint8_t feed : {0, 1}) {
      SCOPED_TRACE(testing::Message() << int{c.cut} << " feed " << int{feed});
      settings_.byPaperCut = c.cut;
      settings_.byFeedToCut = feed;
      ASSERT_EQ(Compose(), 0u);
      EXPECT_EQ(At(44, 58), feed == 1 ? c.between_feed : c.between);
      EXPECT_EQ(At(44, 122), feed == 1 ? c.end_feed : c.end);
    }
  }
}

TEST_F(SettingsPreviewTest, FailureKeepsThePreviousPicture) {
  ASSERT_EQ(Compose(), 0u);
  const std::vector<std::uint8_t> before = out_.pixels();
  struct Case {
    const char* name;
    std::uint8_t margin, direction;
    std::uint32_t missing;  // a picture the module lacks, 0 for none
  };
  const Case cases[] = {
      {"margin 4", 4, 0, 0},
      {"direction 4", 2, 4, 0},
      {"no drawer picture", 2, 0, 246},
      {"no cut mask", 2, 0, 222},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsPreview cold(kModule);
    auto saved = resources_.bitmaps;
    resources_.bitmaps.erase({kModule, c.missing});
    PrivateSettings settings = settings_;
    settings.byMargin = c.margin;
    settings.byDirection = c.direction;
    settings.byDensity = 130;
    EXPECT_EQ(cold.Compose(settings, false, &out_), 107u);
    EXPECT_EQ(out_.pixels(), before);
    resources_.bitmaps = saved;
  }
}

}  // namespace
}  // namespace kvt
