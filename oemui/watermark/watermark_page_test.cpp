// The Watermark page on fake windows: the sheet and the page exchange
// their messages as under the dialog manager; pictures, strings, the
// spooler, the message box and the logs are fakes.
#include "oemui/watermark/watermark_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "oemui/page_test.h"
#include "oemui/watermark/nv_watermark_test_print.h"
#include "oemui/watermark/tiff_builder_testing.h"
#include "resources/resource_ids.h"
#include "resources/watermark_page_ids.h"

namespace kvt {
namespace {

constexpr int kCombo = IDC_WATERMARK_IMAGE_COMBO;
constexpr int kKeycode = IDC_WATERMARK_KEYCODE_EDIT;
// The sample's colour (blue, green, red) and the background's white.
constexpr std::uint8_t kSample[3] = {0x10, 0x20, 0x30};

BitmapPixels Solid(int width, int height, const std::uint8_t bgr[3]) {
  BitmapPixels bitmap{width, height, std::vector<std::uint8_t>(DibStride(width, 24) * height)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::memcpy(&bitmap.rows[DibStride(width, 24) * y + 3 * x], bgr, 3);
    }
  }
  return bitmap;
}

// A text picture, all transparent but its top-left pixel, opaque black.
std::vector<std::uint8_t> TextPicture(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> pixels(width * height * 4, 0);
  pixels[3] = 255;
  return testing::TiffBuilder::Picture(false, width, height, 4, pixels).Build();
}

class WatermarkPageTest : public PageTest {
 protected:
  WatermarkPageTest() {
    const std::uint8_t white[3] = {0xFF, 0xFF, 0xFF};
    pictures_.bitmaps[{ModuleInstance(), 189}] = Solid(146, 169, white);
    pictures_.bitmaps[{ModuleInstance(), 245}] = Solid(72, 33, kSample);
    pictures_.AddData(ModuleInstance(), 196, TextPicture(85, 75));
    pictures_.AddData(ModuleInstance(), 197, TextPicture(75, 85));
    pictures_.AddData(ModuleInstance(), 198, TextPicture(85, 75));
    pictures_.AddData(ModuleInstance(), 199, TextPicture(75, 85));
    const std::pair<std::uint32_t, const char16_t*> texts[] = {
        {11, u"None"},        {12, u"NV Image"},      {14, u"Watermark Settings"},
        {18, u"Top Left"},    {19, u"Top Center"},    {75, u"Top Right"},
        {76, u"Left"},        {77, u"Center"},        {78, u"Right"},
        {79, u"Bottom Left"}, {80, u"Bottom Center"}, {81, u"Bottom Right"},
        {82, u"Keycode"},     {680, u"Image"},        {681, u"Position"},
        {682, u"Lightness"},  {683, u"Fit Paper"},    {684, u"Resize"},
        {685, u"Width"},      {686, u"Height"},       {614, u"ON"},
        {615, u"OFF"},        {620, u"%d%%"},         {621, u"%d dot"}};
    for (const auto& [id, text] : texts) strings_.Add(ModuleInstance(), id, text);
    context_.WorkingSettings.byPreset = 0;
    context_.AppliedSettings = context_.WorkingSettings;
    for (int id = IDC_WATERMARK_IMAGE_LABEL; id <= IDC_WATERMARK_PRINT; ++id) {
      windows_.AddControl(page_window_, id);
    }
    windows_.AddControl(page_window_, IDC_WATERMARK_POSITION_PICTURE);
    page_object_ = std::make_unique<WatermarkPage>(*port_, &context_);
    Route(page_object_.get());
  }

  std::uint32_t Init() {
    const std::uint32_t code = page_object_->OnInit();
    windows_.Pump();
    windows_.ClearMessages();
    return code;
  }
  FakeControl& C(int id) { return Page(id); }
  PrivateSettings& working() { return context_.WorkingSettings; }
  int Changes() { return static_cast<int>(Count(sheet_, kPsmChanged)); }
  std::u16string ListText(std::uint32_t item) {
    const TreeModel& tree = C(kSettingsListId).tree;
    for (const auto& node : tree.items()) {
      if (node.id == item) return node.visible ? node.text : u"(hidden)";
    }
    return u"(missing)";
  }
  const std::uint8_t* Pixel(int x, int y) { return C(kPreviewId).preview->RowPointer(y) + 3 * x; }
  bool IsSample(int x, int y) { return std::memcmp(Pixel(x, y), kSample, 3) == 0; }
  bool Is(int x, int y, std::uint8_t v) { return Pixel(x, y)[0] == v && Pixel(x, y)[2] == v; }

  std::unique_ptr<WatermarkPage> page_object_;
};

TEST_F(WatermarkPageTest, ChoosingNvImageAsksFirstAndCancelCollectsNothing) {
  ASSERT_EQ(Init(), 0u);
  EXPECT_FALSE(C(kKeycode).visible);
  EXPECT_EQ(ListText(3), u"(hidden)");
  boxes_.answer = 2;  // Cancel
  windows_.PickComboRow(page_window_, kCombo, 1);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(C(kCombo).combo_selected, 0);
  EXPECT_EQ(working().byWatermark + Changes(), 0);

  boxes_.answer = 1;  // OK
  windows_.PickComboRow(page_window_, kCombo, 1);
  EXPECT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(working().byWatermark, 1);
  EXPECT_EQ(working().byPreset, 6);
  EXPECT_EQ(ui_.bIpdFontUsable, 0u);
  EXPECT_EQ(Changes(), 1);
  EXPECT_TRUE(C(kKeycode).visible && C(IDC_WATERMARK_PRINT).enabled);
  EXPECT_FALSE(C(IDC_WATERMARK_FILE_EDIT).visible);
  EXPECT_EQ(ListText(2), u"Image: NV Image");
}

TEST_F(WatermarkPageTest, ArrowKeysWalkTheGridWithWrapAround) {
  working().byWatermark = 1;
  ASSERT_EQ(Init(), 0u);
  struct Case {
    int from;
    UINT key;
    int to;
  };
  const Case cases[] = {{0, kMsgRadioUp, 8},   {8, kMsgRadioRight, 0}, {1, kMsgRadioUp, 6},
                        {8, kMsgRadioDown, 0}, {0, kMsgRadioLeft, 8},  {5, kMsgRadioDown, 8}};
  for (const Case& c : cases) {
    windows_.Post(page_window_, c.key, static_cast<WPARAM>(1315 + c.from), 0);
    windows_.Pump();
    EXPECT_EQ(working().byWatermarkPosition, c.to) << c.from << " " << c.key;
    EXPECT_EQ(windows_.focus(), C(1315 + c.to).window);
    EXPECT_TRUE(C(1315 + c.to).checked && !C(1315 + c.from).checked);
  }
}

TEST_F(WatermarkPageTest, ApplyLogsItsLineAndReportsOk) {
  TurnDriverLogOn();
  working().byWatermarkKeycode = 5;
  working().byWatermarkPosition = 4;
  ASSERT_EQ(Init(), 0u);
  working().byWatermarkDensity = 77;
  Notify(kPsnApply);
  EXPECT_EQ(context_.AppliedSettings.byWatermarkDensity, 77);
  EXPECT_EQ(SheetResults(), std::vector<LPARAM>{kFontPageHandle});
  const std::string log = files.Content(kLogPath);
  EXPECT_NE(log.find("(Water mark) WaterMark Apply [mode:0/Id:5/Pos:4]"), std::string::npos) << log;
}

TEST_F(WatermarkPageTest, PreviewPlacesSampleAndTextByPositionAndOrientation) {
  struct Case {
    std::uint8_t mode;
    std::uint8_t position;
    std::uint8_t direction;
    bool landscape;
    int sample_x, sample_y;  // the sample's top left, or -1 for none
    int text_x, text_y;      // the text picture's opaque top-left pixel
  };
  const Case cases[] = {{1, 0, 0, false, 6, 20, 30, 47},
                        {1, 4, 2, false, 36, 68, 30, 47},
                        {1, 8, 0, true, 67, 117, 35, 42},
                        {0, 0, 0, false, -1, -1, 30, 47}};
  working().byWatermark = 1;
  ASSERT_EQ(Init(), 0u);
  for (const Case& c : cases) {
    working().byWatermark = c.mode;
    working().byWatermarkPosition = c.position;
    working().byDirection = c.direction;
    ui_.bLandscape = c.landscape ? 1 : 0;
    Notify(kPsnSetActive);
    SCOPED_TRACE(::testing::Message()
                 << int{c.position} << " " << int{c.direction} << " " << c.landscape);
    EXPECT_TRUE(Is(c.text_x, c.text_y, 0));
    EXPECT_FALSE(Is(c.text_x - 1, c.text_y, 0));
    if (c.sample_x < 0) {
      EXPECT_TRUE(Is(6, 20, 0xFF));
      continue;
    }
    EXPECT_TRUE(IsSample(c.sample_x, c.sample_y) && IsSample(c.sample_x + 71, c.sample_y + 32));
    EXPECT_TRUE(Is(c.sample_x - 1, c.sample_y, 0xFF) && Is(c.sample_x + 72, c.sample_y + 32, 0xFF));
  }
}

TEST_F(WatermarkPageTest, FailedTestPrintIsShownAndKeepsTheSheetOpen) {
  working().byWatermark = 1;
  working().byWatermarkKeycode = 42;
  ASSERT_EQ(Init(), 0u);
  windows_.ClickButton(page_window_, IDC_WATERMARK_PRINT);
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].data, BuildNvTestBlock(42, false));
  EXPECT_TRUE(boxes_.boxes.empty());

  spooler_.fail = "StartDoc";
  const PrivateSettings before = working();
  windows_.ClickButton(page_window_, IDC_WATERMARK_PRINT);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_TRUE(windows_.MessagesTo(sheet_, kPsmPressButton).empty());
  EXPECT_EQ(std::memcmp(&before, &working(), sizeof(PrivateSettings)), 0);
}

TEST_F(WatermarkPageTest, FileNameWithoutTerminatorIsReadWithinItsField) {
  working().byWatermark = 1;
  for (char16_t& c : working().szWatermarkFile) c = u'a';
  const PrivateSettings before = working();
  ASSERT_EQ(Init(), 0u);
  EXPECT_EQ(C(IDC_WATERMARK_FILE_EDIT).text.size(), 259u);
  windows_.ClickButton(page_window_, IDC_WATERMARK_INFO_ON, true);
  EXPECT_EQ(Changes(), 0);
  EXPECT_EQ(std::memcmp(&before, &working(), sizeof before), 0);
  C(IDC_WATERMARK_FILE_EDIT).text = std::u16string(300, u'b');
  windows_.ClickButton(page_window_, IDC_WATERMARK_INFO_OFF, true);
  EXPECT_EQ(std::u16string(working().szWatermarkFile, 259), std::u16string(259, u'b'));
  EXPECT_EQ(working().szWatermarkFile[259], u'\0');
}

}  // namespace
}  // namespace kvt
