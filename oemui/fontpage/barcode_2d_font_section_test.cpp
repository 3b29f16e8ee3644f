// The 2D barcode font section on fake windows: the lists per system, what
// every store writes, and what its test print sends.
#include "oemui/fontpage/barcode_2d_font_section.h"

#include <gtest/gtest.h>

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

class Barcode2DFontSectionTest : public FontSectionTest<Barcode2DFontSection> {
 protected:
  Barcode2DFontSectionTest() {
    TurnDriverLogOn();
    MakeSection(Barcode2DSectionControls());
    windows_.Font(window_).height = -11;
  }
  void Init() {
    ASSERT_EQ(section_->OnInit(), 0u);
    windows_.ClearMessages();
  }
  Barcode2DFontSettings& Group(int i) { return context_.WorkingSettings.barcode2DFonts[i]; }
  std::vector<std::u16string> Rows(int id) {
    std::vector<std::u16string> rows;
    for (const ComboItem& item : C(id).combo_items) rows.push_back(item.text);
    return rows;
  }
  std::u16string Selected(int id) { return C(id).combo_items[C(id).combo_selected].text; }
  void Click(int id) {
    C(id).checked = true;
    windows_.Send(window_, kWmCommand, MakeNotifyWParam(id, kBnClicked), 0);
  }
};

TEST(Barcode2DSizeRow, StoredSizeToTheRowShown) {
  const struct {
    std::uint8_t system;
    std::uint8_t size;
    int row;
  } cases[] = {{0, 2, 0}, {0, 11, 9}, {0, 12, -1}, {0, 1, -1},  {1, 2, 0},
               {1, 4, 2}, {1, 5, 1},  {1, 6, 1},   {1, 255, 1}, {1, 0, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(Barcode2DSizeRow(c.system, c.size), c.row) << int{c.system} << " " << int{c.size};
  }
}

TEST_F(Barcode2DFontSectionTest, SystemAndFontSwitchesRefillTheListsAndStoreTheFixedFields) {
  Group(0) = {};
  Group(0).bySystem = 0;
  Group(0).byModuleSize = 8;
  Group(0).byErrorLevel = 3;
  Group(0).byModuleHeight = 40;
  Group(1) = {};
  Group(1).bySystem = 1;
  Group(1).byModuleSize = 6;  // above PDF417's 4: shown as "3"
  Group(1).byModuleHeight = 127;
  Group(1).byErrorLevel = 8;
  Group(1).byRotate = 3;
  Group(1).byHexInput = 1;
  Group(1).byMode = 9;
  Init();
  EXPECT_EQ(Rows(IDC_BARCODE_2D_SIZE_COMBO).size(), 10u);
  EXPECT_EQ(Rows(IDC_BARCODE_2D_ECL_COMBO), (std::vector<std::u16string>{u"L", u"M", u"Q", u"H"}));
  EXPECT_EQ(Selected(IDC_BARCODE_2D_SIZE_COMBO), u"8");
  EXPECT_EQ(Selected(IDC_BARCODE_2D_ECL_COMBO), u"H");
  EXPECT_FALSE(C(IDC_BARCODE_2D_HEIGHT_COMBO).visible);
  EXPECT_EQ(C(IDC_BARCODE_2D_DATA_EDIT).text, u"ABC0123456789");

  Pick(IDC_BARCODE_2D_FONT_COMBO, 1);
  EXPECT_EQ(Group(0).byModel * 100 + Group(0).byMode, 277);  // the old group stored first
  EXPECT_EQ(Rows(IDC_BARCODE_2D_SIZE_COMBO), (std::vector<std::u16string>{u"2", u"3", u"4"}));
  EXPECT_EQ(Rows(IDC_BARCODE_2D_ECL_COMBO).size(), 9u);
  EXPECT_EQ(Selected(IDC_BARCODE_2D_SIZE_COMBO) + Selected(IDC_BARCODE_2D_HEIGHT_COMBO) +
                Selected(IDC_BARCODE_2D_ECL_COMBO),
            u"31278");
  EXPECT_TRUE(C(IDC_BARCODE_2D_HEX_ENABLED).checked);
  for (int id :
       {IDC_BARCODE_2D_HEIGHT_LABEL, IDC_BARCODE_2D_HEIGHT_COMBO, IDC_BARCODE_2D_HEIGHT_UNIT}) {
    EXPECT_TRUE(C(id).visible && C(id).enabled) << id;
  }
  windows_.Send(window_, kDsmStore, 0, 0);
  const Barcode2DFontSettings& g = Group(1);
  EXPECT_EQ((std::vector<int>{g.byModuleSize, g.byModuleHeight, g.byErrorLevel, g.byRotate,
                              g.byModel, g.byMode}),
            (std::vector<int>{3, 127, 8, 3, 2, 0}));

  // PDF417 to QR Code: the QR lists, Module Height hidden, QR's data.
  C(IDC_BARCODE_2D_DATA_EDIT).text = u"x";
  Pick(IDC_BARCODE_2D_SYSTEM_COMBO, 0);
  EXPECT_EQ(Group(1).bySystem, 0);
  EXPECT_FALSE(C(IDC_BARCODE_2D_HEIGHT_COMBO).visible);
  EXPECT_EQ(C(IDC_BARCODE_2D_DATA_EDIT).text, u"ABC0123456789");
  windows_.Send(window_, kDsmStore, 0, 0);
  EXPECT_EQ(Group(1).byMode, 77);

  Pick(IDC_BARCODE_2D_FONT_COMBO, 0);
  EXPECT_EQ(Selected(IDC_BARCODE_2D_SIZE_COMBO), u"8");
  EXPECT_EQ(Group(0).byModuleHeight, 40);
  EXPECT_EQ(windows_.MessagesTo(sheet_, kPsmChanged).size(), 3u);
}

TEST_F(Barcode2DFontSectionTest, QrTestPrintWithInfo) {
  Group(0) = {};
  Group(0).bySystem = 0;
  Group(0).byModuleSize = 4;
  Group(0).byErrorLevel = 1;
  Init();
  Click(IDC_BARCODE_2D_RIGHT);
  Click(IDC_BARCODE_2D_INFO_ON);
  Click(IDC_BARCODE_2D_PRINT);
  ASSERT_TRUE(boxes_.boxes.empty());
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].name, u"KVT 2D-BarCode Font Test Print");
  const std::string info =
      "FontName\t:IPD 2D-Barcode1\nSystem  \t:QR Code Model-2\nSize    \t:4\nECL     \t:M\n"
      "Rotate  \t:None\nHex Input\t:Disabled\nPosition\t:Right\n\n";
  Bytes expected = {0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x02, 0x1B, 0x21, 0x00};
  expected.insert(expected.end(), info.begin(), info.end());
  Barcode2DFontSettings group = Group(0);
  Bytes command;
  ASSERT_TRUE(GetBarcodeCommand(nullptr, reinterpret_cast<std::uint8_t*>(&group), u"ABC0123456789",
                                13, &command));
  // Model 2, level M and mode 'M', written by the store.
  const Bytes model = {0x1D, 0x70, 0x01, 0x02, 0x4D, 0x00, 0x4D};  // level M
  EXPECT_NE(std::search(command.begin(), command.end(), model.begin(), model.end()), command.end());
  expected.insert(expected.end(), command.begin(), command.end());
  expected.insert(expected.end(), {0x1B, 0x4A, 0xA8});
  EXPECT_EQ(spooler_.documents[0].data, expected);
  EXPECT_NE(files.Content(u"C:\\Logs\\driver.log").find("(2D Barcode) Output 2D Barcode"),
            std::string::npos);
}

}  // namespace
}  // namespace kvt
