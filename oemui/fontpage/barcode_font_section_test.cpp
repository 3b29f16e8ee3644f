// The barcode font section on fake windows: what reaches the record when
// fonts switch and edits are typed into, and what its test print sends.
#include "oemui/fontpage/barcode_font_section.h"

#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "barcode/barcode_command.h"
#include "core/private_settings_ops.h"
#include "oemui/controls/fake_dialog_port.h"
#include "oemui/fontpage/font_section_test.h"
#include "oemui/fontpage/barcode_section_controls.h"
#include "oemui/page_messages.h"
#include "oemui/tools/coded_message.h"

namespace kvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

class BarcodeFontSectionTest : public FontSectionTest<BarcodeFontSection> {
 protected:
  BarcodeFontSectionTest() {
    TurnDriverLogOn();
    MakeSection(BarcodeSectionControls());
    windows_.Font(window_).height = -11;
  }
  void Init() {
    ASSERT_EQ(section_->OnInit(), 0u);
    windows_.ClearMessages();
  }
  BarcodeFontSettings& Group(int i) { return context_.WorkingSettings.barcodeFonts[i]; }
  int Changes() { return Count(sheet_, kPsmChanged); }
  void Type(int id, const std::u16string& text, std::size_t caret) {
    C(id).text = text;
    C(id).selection_start = C(id).selection_end = caret;
    windows_.Send(window_, kMsgEditNotify, MakeNotifyWParam(id, kEditCodeChanged), 0);
  }
  void Click(int id) {
    C(id).checked = true;
    windows_.Send(window_, kWmCommand, MakeNotifyWParam(id, kBnClicked), 0);
  }
  // The builder's command for |group| and |text|, as the print makes it.
  static Bytes Command(BarcodeFontSettings group, const std::u16string& text) {
    Bytes command;
    EXPECT_TRUE(GetBarcodeCommand(reinterpret_cast<std::uint8_t*>(&group), nullptr, text.data(),
                                  static_cast<std::uint32_t>(text.size()), &command));
    return command;
  }
};

TEST_F(BarcodeFontSectionTest, SwitchingFontsStoresTheOldGroupAndLoadsTheNew) {
  Group(0) = {};
  Group(0).bySystem = 4;  // Code39
  Group(0).byModuleWidth = 2;
  Group(0).byHeight = 50;
  Group(0).byNWRatio = 3;
  Group(1) = {};
  Group(1).bySystem = 6;  // CODABAR
  Group(1).byStartChar = 2;
  Group(1).byStopChar = 3;
  Group(1).byModuleWidth = 5;
  Group(1).byHeight = 200;
  Group(1).byHri = 4;
  Group(1).byHexInput = 1;
  Group(1).byRotate = 2;
  context_.WorkingSettings.byBarcodeFont = 0;
  BarcodeFontSettings second = Group(1);
  second.byNWRatio = 1;  // the section stores its one ratio
  Init();
  EXPECT_EQ(C(IDC_BARCODE_DATA_EDIT).text, u"ABC012");
  EXPECT_FALSE(C(IDC_BARCODE_START_COMBO).visible);
  Type(IDC_BARCODE_HEIGHT_EDIT, u"77", 2);

  Pick(IDC_BARCODE_FONT_COMBO, 1);
  EXPECT_EQ(context_.WorkingSettings.byBarcodeFont, 1);
  EXPECT_EQ(Group(0).byHeight, 77);  // stored before the switch
  EXPECT_EQ(Group(0).byNWRatio, 1);
  EXPECT_EQ(C(IDC_BARCODE_WIDTH_EDIT).text + C(IDC_BARCODE_HEIGHT_EDIT).text +
                C(IDC_BARCODE_DATA_EDIT).text,
            u"5200012345");
  EXPECT_TRUE(C(IDC_BARCODE_HEX_ENABLED).checked);
  for (int id : {IDC_BARCODE_START_STOP_LABEL, IDC_BARCODE_START_COMBO, IDC_BARCODE_STOP_COMBO}) {
    EXPECT_TRUE(C(id).visible && C(id).enabled) << id;
  }

  Pick(IDC_BARCODE_FONT_COMBO, 0);
  EXPECT_EQ(std::memcmp(&Group(1), &second, sizeof second), 0);
  EXPECT_EQ(C(IDC_BARCODE_HEIGHT_EDIT).text, u"77");
  EXPECT_EQ(Changes(), 3);  // the height typed and the two switches

  // The same font again changes nothing.
  Pick(IDC_BARCODE_FONT_COMBO, 0);
  EXPECT_EQ(Changes(), 3);
  // A system change is written at once and proposes its data.
  Pick(IDC_BARCODE_SYSTEM_COMBO, 9);
  EXPECT_EQ(Group(0).bySystem, 9);
  EXPECT_EQ(C(IDC_BARCODE_DATA_EDIT).text, u"490123456789401");
  // Without test data there is nothing to print.
  Type(IDC_BARCODE_DATA_EDIT, u"", 0);
  EXPECT_FALSE(C(IDC_BARCODE_PRINT).enabled);
}

TEST_F(BarcodeFontSectionTest, WidthAndHeightAreClampedWhileTypingWithTheCaretKept) {
  Init();
  const struct {
    int edit;
    std::u16string typed;
    std::size_t caret;
    std::u16string shown;
    std::uint8_t BarcodeFontSettings::*field;
    std::uint8_t stored;
  } cases[] = {
      {IDC_BARCODE_WIDTH_EDIT, u"9", 1, u"6", &BarcodeFontSettings::byModuleWidth, 6},
      {IDC_BARCODE_WIDTH_EDIT, u"1", 1, u"2", &BarcodeFontSettings::byModuleWidth, 2},
      {IDC_BARCODE_WIDTH_EDIT, u"0000000005", 3, u"0000000005", &BarcodeFontSettings::byModuleWidth,
       5},
      {IDC_BARCODE_HEIGHT_EDIT, u"", 0, u"1", &BarcodeFontSettings::byHeight, 1},
      {IDC_BARCODE_HEIGHT_EDIT, u"2560", 2, u"255", &BarcodeFontSettings::byHeight, 255},
      {IDC_BARCODE_HEIGHT_EDIT, u"99999999999999999999", 5, u"255", &BarcodeFontSettings::byHeight,
       255},
  };
  for (const auto& c : cases) {
    const int before = Changes();
    Type(c.edit, c.typed, c.caret);
    EXPECT_EQ(C(c.edit).text, c.shown);
    // Kept where it was, within the new text.
    EXPECT_EQ(C(c.edit).selection_start, std::min(c.caret, c.shown.size()));
    EXPECT_EQ(Changes(), before + 1);
    windows_.Send(window_, kDsmStore, 0, 0);
    EXPECT_EQ(Group(0).*c.field, c.stored);
  }
}

TEST_F(BarcodeFontSectionTest, TestPrintSendsHeadInfoCommandAndFeed) {
  Group(0) = {};
  Group(0).bySystem = 6;  // CODABAR
  Group(0).byStartChar = 0;
  Group(0).byStopChar = 1;
  Group(0).byModuleWidth = 3;
  Group(0).byHeight = 100;
  Group(0).byHri = 2;
  Group(0).byRotate = 1;
  Init();
  // Digits the edit takes but no byte holds: the stored number is printed.
  Type(IDC_BARCODE_WIDTH_EDIT, u"0000000005", 10);
  Click(IDC_BARCODE_CENTER);
  Click(IDC_BARCODE_INFO_ON);
  Click(IDC_BARCODE_PRINT);
  ASSERT_TRUE(boxes_.boxes.empty());
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].name, u"KVT BarCode Font Test Print");
  const std::string info =
      "FontName\t:IPD Barcode1\nSystem  \t:CODABAR\nStartBit\t:A\nStopBit \t:B\n"
      "Width   \t:5\nHeight  \t:100\nHRI     \t:Under (Font A)\nHex Input\t:Disabled\n"
      "Rotate  \t:90 Degrees to Right\nPosition\t:Center\n\n";
  Bytes expected = {0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x01, 0x1B, 0x21, 0x00};
  expected.insert(expected.end(), info.begin(), info.end());
  const Bytes command = Command(Group(0), u"012345");
  expected.insert(expected.end(), command.begin(), command.end());
  expected.insert(expected.end(), {0x1B, 0x4A, 0xA8});
  EXPECT_EQ(spooler_.documents[0].data, expected);
  EXPECT_NE(files.Content(u"C:\\Logs\\driver.log").find("(Barcode) Output Barcode"),
            std::string::npos);
}

TEST_F(BarcodeFontSectionTest, RefusedTestPrintShowsItsCodeAndStartsNoJob) {
  Group(0).bySystem = 0;
  Init();
  Type(IDC_BARCODE_DATA_EDIT, u"0123456789", 10);
  Click(IDC_BARCODE_PRINT);
  EXPECT_TRUE(spooler_.calls.empty());
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].style & kMbIconError, kMbIconError);
  EXPECT_NE(files.Content(u"C:\\Logs\\driver.log").find("(Barcode) UPC Bad data length. [10]"),
            std::string::npos);
}

TEST_F(BarcodeFontSectionTest, ScalingGivesTextTooWideForItsControlTheSecondFont) {
  Init();
  // Text that fits (4 characters, 40 wide) and text that does not (40
  // characters); the fake measures half the font's height per character.
  windows_.Control(window_, IDC_BARCODE_FONT_COMBO)->rect = {0, 0, 100, 20};
  windows_.Control(window_, IDC_BARCODE_FONT_COMBO)->text = u"abcd";
  windows_.Control(window_, IDC_BARCODE_HRI_COMBO)->rect = {0, 0, 100, 20};
  windows_.Control(window_, IDC_BARCODE_HRI_COMBO)->text = std::u16string(40, u'x');
  const struct {
    int factor;
    int first;   // height added for the fitting text
    int second;  // height added for the text too wide
  } cases[] = {{1000, 3, 3}, {999, 1, 3}, {950, 1, 3}, {949, 1, 4},
               {900, 1, 4},  {899, 2, 6}, {800, 2, 6}, {799, 3, 7}};
  for (const auto& c : cases) {
    DialogFont font;
    font.height = -20;
    windows_.Send(window_, kDsmScaleLayout, static_cast<WPARAM>(c.factor),
                  reinterpret_cast<LPARAM>(&font));
    EXPECT_EQ(C(IDC_BARCODE_FONT_COMBO).font->height, -20 + c.first) << c.factor;
    EXPECT_EQ(C(IDC_BARCODE_HRI_COMBO).font->height, -20 + c.second) << c.factor;
    windows_.Control(window_, IDC_BARCODE_FONT_COMBO)->rect = {0, 0, 100, 20};
    windows_.Control(window_, IDC_BARCODE_HRI_COMBO)->rect = {0, 0, 100, 20};
  }
}

}  // namespace
}  // namespace kvt
