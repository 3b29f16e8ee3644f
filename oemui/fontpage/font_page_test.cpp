// The Font page with its sections and panel on fake windows: which section
// or panel shows and which picture, for the settings of the other pages;
// what leaving the page and applying store; the failures.
#include "oemui/fontpage/font_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "oemui/fontpage/barcode_2d_font_section.h"
#include "oemui/fontpage/barcode_font_section.h"
#include "oemui/fontpage/barcode_section_controls.h"
#include "oemui/fontpage/control_a_font_section.h"
#include "oemui/fontpage/device_font_section.h"
#include "oemui/fontpage/font_unavailable_panel.h"
#include "oemui/page_test.h"
#include "resources/font_page_ids.h"
#include "resources/pictures/picture_ids.h"
#include "resources/settings_list_ids.h"

namespace kvt {
namespace {

constexpr char16_t kPanelTemplateText[] = u"IPD font is not available at the present setting.";
constexpr UINT kWmPaint = 0x000F;
// The two pictures are told apart by their width.
constexpr int kUsableWidth = 30;
constexpr int kBlockedWidth = 40;

template <typename Section>
std::shared_ptr<Section> Made(HWND, DialogPort& port, PageContext* context) {
  auto section = std::make_shared<Section>(port, context);
  EXPECT_EQ(section->OnInit(), 0u);
  return section;
}

class FontPageTest : public PageTest {
 protected:
  FontPageTest() {
    const ModuleHandle module = ModuleInstance();
    strings_.Add(module, IDS_DEVICE_FONT_SETTINGS, u"Device Font Settings");
    strings_.Add(module, IDS_BARCODE_FONT_SETTINGS, u"Barcode Font Settings");
    strings_.Add(module, IDS_BARCODE_2D_FONT_SETTINGS, u"2D-Barcode Font Settings");
    strings_.Add(module, IDS_CONTROL_A_FONT_SETTINGS, u"ControlA Font Settings");
    strings_.Add(module, IDS_FONT_UNAVAILABLE, u"Heading.");
    strings_.Add(module, IDS_FONT_UNAVAILABLE_DIRECTION, u"[Direction]\n\n");
    strings_.Add(module, IDS_FONT_UNAVAILABLE_REDUCTION, u"[Reduction]\n\n");
    strings_.Add(module, IDS_FONT_UNAVAILABLE_WATERMARK, u"[Watermark]\n\n");
    strings_.Add(module, IDS_FONT_UNAVAILABLE_LANDSCAPE, u"[Landscape]\n\n");
    for (auto [id, width] :
         {std::pair{IDB_FONTS_USABLE, kUsableWidth}, {IDB_FONTS_BLOCKED, kBlockedWidth}}) {
      pictures_.bitmaps[{module, id}] = BitmapPixels{width, 20, {}};
      pictures_.bitmaps[{module, id}].rows.assign(DibStride(width, 24) * 20, 0x80);
    }
    windows_.AddControl(page_window_, kFontSectionGroupId, {260, 10, 530, 410});
    // The sections and the panel are the real ones over their templates.
    AddSection(IDD_DEVICE_FONT_SECTION, {IDC_INTL_CHARSET_COMBO, IDC_CODE_TABLE_COMBO},
               &section_width_, 200, &Made<DeviceFontSection>);
    AddSection(IDD_BARCODE_FONT_SECTION, BarcodeSectionControls(), &section_width_, 200,
               &Made<BarcodeFontSection>);
    AddSection(IDD_BARCODE_2D_FONT_SECTION, Barcode2DSectionControls(), &section_width_, 200,
               &Made<Barcode2DFontSection>);
    AddSection(IDD_CONTROL_A_FONT_SECTION, {1}, &section_width_, 200, &Made<ControlAFontSection>);
    AddSection(IDD_FONT_UNAVAILABLE_PANEL, {IDC_FONT_UNAVAILABLE_TEXT}, &section_width_, 200,
               [this](HWND window, DialogPort& port, PageContext* context) {
                 windows_.Control(window, IDC_FONT_UNAVAILABLE_TEXT)->text = kPanelTemplateText;
                 auto panel = std::make_shared<FontUnavailablePanel>(port, context);
                 EXPECT_EQ(panel->OnInit(), 0u);
                 return panel;
               });
    page_ = std::make_unique<FontPage>(*port_, &context_, FontSectionProcedures{});
    Route(page_.get());
  }

  std::uint32_t Init() {
    const std::uint32_t code = page_->OnInit();
    windows_.Pump();
    windows_.ClearMessages();
    return code;
  }
  HWND Shown() {
    HWND shown = nullptr;
    for (int i = 0; i <= kFontUnavailablePanel; ++i) {
      if (windows_.IsShown(page_->section(i))) {
        EXPECT_EQ(shown, nullptr) << "two sections shown";
        shown = page_->section(i);
      }
    }
    return shown;
  }
  std::u16string PanelText() {
    return windows_.Control(page_->section(kFontUnavailablePanel), IDC_FONT_UNAVAILABLE_TEXT)->text;
  }
  int PictureWidth() { return Page(kPreviewId).preview->width(); }
  int StoresHeard(int section) {
    const std::vector<UINT>& heard = heard_[page_->section(section)];
    return static_cast<int>(std::count(heard.begin(), heard.end(), kDsmStore));
  }

  int section_width_ = 240;
  std::unique_ptr<FontPage> page_;
};

TEST_F(FontPageTest, InitialisationPlacesTheSectionsBuildsTheListAndShowsTheFirstEntry) {
  section_width_ = 300;  // wider than the group: the sections shrink, the panel does not
  ASSERT_EQ(Init(), 0u);
  // 270 / (300 + 12) = 0.865.
  for (int i = 0; i < kFontEntryCount; ++i) {
    EXPECT_EQ(heard_[page_->section(i)].front(), kDsmScaleLayout) << i;
    EXPECT_EQ(windows_.PlacedRect(page_->section(i)), (DialogRect{266, 46, 266 + 259, 46 + 173}));
  }
  const HWND panel = page_->section(kFontUnavailablePanel);
  EXPECT_EQ(std::count(heard_[panel].begin(), heard_[panel].end(), kDsmScaleLayout), 0);
  EXPECT_EQ(windows_.PlacedRect(panel), (DialogRect{266, 46, 266 + 300, 46 + 200}));

  const FakeControl* list = windows_.Control(page_window_, 1050);
  EXPECT_EQ(list->tree_icons, (std::vector<std::uint32_t>{206, 209, 210, 211}));
  ASSERT_EQ(list->tree.items().size(), 4u);
  EXPECT_EQ(list->tree.items()[3].id, std::uint32_t{u'3'});
  EXPECT_EQ(list->tree.current(), std::uint32_t{u'0'});
  EXPECT_EQ(Shown(), page_->section(kDeviceFontSection));
  EXPECT_EQ(Page(kFontSectionGroupId).text, u"Device Font Settings");
  EXPECT_EQ(PictureWidth(), kUsableWidth);
  EXPECT_EQ(port_->restores, port_->waits);

  // The list chooses by key; anything but '0' to '3' is ignored.
  windows_.Send(page_window_, kDsmShowSection, u'2', 0);
  EXPECT_EQ(Shown(), page_->section(kBarcode2DFontSection));
  EXPECT_EQ(Page(kFontSectionGroupId).text, u"2D-Barcode Font Settings");
  for (WPARAM other : {WPARAM{2}, WPARAM{u'4'}, WPARAM{u'/'}}) {
    EXPECT_EQ(windows_.Send(page_window_, kDsmShowSection, other, 0), 0);
  }
  EXPECT_EQ(page_->current_entry(), 2);
  EXPECT_TRUE(boxes_.boxes.empty());
}

// The device-font rule decides, on each activation, the panel, its text
// and the picture; the text lists the orientation before the direction.
TEST_F(FontPageTest, TheRuleDecidesPanelTextAndPictureOnEveryActivation) {
  struct Case {
    std::uint8_t direction, reduction, watermark;
    std::uint32_t landscape;
    bool panel;
    std::u16string text;
  };
  const std::u16string heading = u"Heading.\n\n\n";
  const Case cases[] = {
      {0, 0, 0, 0, false, kPanelTemplateText},  // the template's text, never shown
      {2, 0, 0, 1, true, heading + u"[Landscape]\n\n[Direction]\n\n"},
      {0, 3, 0, 0, true, heading + u"[Reduction]\n\n"},
      {0, 0, 1, 0, true, heading + u"[Watermark]\n\n"},
      {0, 0, 0, 1, true, heading + u"[Landscape]\n\n"},
      {2, 1, 1, 1, true, heading + u"[Landscape]\n\n[Direction]\n\n[Reduction]\n\n[Watermark]\n\n"},
      {0, 0, 0, 2, false,
       heading + u"[Landscape]\n\n[Direction]\n\n[Reduction]\n\n[Watermark]\n\n"},
  };
  ASSERT_EQ(Init(), 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << int{c.direction} << int{c.reduction} << int{c.watermark} << c.landscape);
    context_.WorkingSettings.byDirection = c.direction;
    context_.WorkingSettings.byReduction = c.reduction;
    context_.WorkingSettings.byWatermark = c.watermark;
    ui_.bLandscape = c.landscape;
    for (int entry = 0; entry < kFontEntryCount; ++entry) {
      windows_.Send(page_window_, kDsmShowSection, FontEntryKey(entry), 0);
      Notify(kPsnSetActive);
      windows_.Send(page_->section(kFontUnavailablePanel), kWmPaint, 0, 0);
      EXPECT_EQ(Shown(), page_->section(c.panel ? kFontUnavailablePanel : entry));
      EXPECT_EQ(PictureWidth(), c.panel ? kBlockedWidth : kUsableWidth);
      EXPECT_EQ(PanelText(), c.text);
    }
  }
}

TEST_F(FontPageTest, LeavingStoresThreeSectionsApplyStoresAllFourLogsAndReportsOk) {
  TurnDriverLogOn();
  ASSERT_EQ(Init(), 0u);
  Notify(kPsnKillActive);
  for (int i = 0; i < kFontEntryCount; ++i) EXPECT_EQ(StoresHeard(i), i < 3 ? 1 : 0) << i;
  EXPECT_TRUE(SheetResults().empty());

  // A group the section does not show: the store leaves it alone.
  context_.WorkingSettings.barcodeFonts[1].bySystem = 0xA5;
  context_.WorkingSettings.barcode2DFonts[4].byHexInput = 0x5A;
  Notify(kPsnApply);
  for (int i = 0; i < kFontEntryCount; ++i) EXPECT_EQ(StoresHeard(i), i < 3 ? 2 : 1) << i;
  EXPECT_EQ(SheetResults(), std::vector<LPARAM>{kFontPageHandle});
  const std::string log = files.Content(kLogPath);
  const std::size_t barcode = log.find("(Font manager) Barcode Apply [Barcode]");
  ASSERT_NE(barcode, std::string::npos) << log;
  EXPECT_NE(log.find("(Font manager) Barcode Apply [2D Barcode]", barcode), std::string::npos);
  EXPECT_NE(log.find("Output data dump. (160 byte)"), std::string::npos);
  EXPECT_TRUE(log.find("A5 ") != std::string::npos && log.find("5A") != std::string::npos);
}

TEST_F(FontPageTest, TheButtonsOfTheLaterSectionsReachTheirSections) {
  ASSERT_EQ(Init(), 0u);
  const struct {
    int id;
    int section;
  } routes[] = {{1265, kBarcodeFontSection},
                {1266, kBarcode2DFontSection},
                {1083, kControlAFontSection},
                {1245, kControlAFontSection},
                {1247, kControlAFontSection}};
  for (const auto& route : routes) {
    windows_.ClearMessages();
    windows_.Send(page_window_, kWmCommand, MakeNotifyWParam(route.id, kBnClicked), 0);
    const auto heard = windows_.MessagesTo(page_->section(route.section), kWmCommand);
    ASSERT_EQ(heard.size(), 1u) << route.id;
    EXPECT_EQ(NotifyId(heard[0].wparam), route.id);
  }
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(FontPageTest, WithoutPermissionSectionsAndGroupAreDisabledButEntriesStillChoose) {
  context_.bCanChange = 0;
  ASSERT_EQ(Init(), 0u);
  EXPECT_FALSE(Page(kFontSectionGroupId).enabled);
  EXPECT_FALSE(windows_.Control(page_->section(kDeviceFontSection), IDC_CODE_TABLE_COMBO)->enabled);
  for (int i = kBarcodeFontSection; i <= kControlAFontSection; ++i) {
    EXPECT_FALSE(windows_.Control(page_->section(i), 1)->enabled) << i;
  }
  EXPECT_TRUE(
      windows_.Control(page_->section(kFontUnavailablePanel), IDC_FONT_UNAVAILABLE_TEXT)->enabled);
  windows_.Send(page_window_, kDsmShowSection, u'3', 0);
  EXPECT_EQ(Shown(), page_->section(kControlAFontSection));
  EXPECT_EQ(Page(kSettingsListId).tree.current(), std::uint32_t{u'3'});
}

TEST_F(FontPageTest, AnUnreadablePrinterIsLoggedShownAndCancelsTheSheet) {
  TurnDriverLogOn();
  ExpectUnreadablePrinterCancelsTheSheet(*page_);
  // Level 1, area "Utility", no text.
  const std::string log = files.Content(kLogPath);
  const std::size_t line = log.find("[ERR] DRV UI\t: (Utility)  [");
  ASSERT_NE(line, std::string::npos) << log;
  EXPECT_NE(log.find(" / e:5]\r\n", line), std::string::npos) << log;
  EXPECT_EQ(page_->section(kDeviceFontSection), nullptr);  // nothing was made
}

}  // namespace
}  // namespace kvt
