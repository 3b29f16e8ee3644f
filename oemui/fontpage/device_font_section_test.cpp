// The device-font lists and their section on fake windows: the rows'
// texts and command bytes, what a choice stores and tells the sheet.
#include "oemui/fontpage/device_font_section.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/private_settings_ops.h"
#include "oemui/controls/fake_dialog_port.h"
#include "oemui/fontpage/device_font_tables.h"
#include "oemui/page_messages.h"
#include "platform/fake/fake_system_info.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

struct Row {
  const char16_t* english;
  const char16_t* japanese;
  std::uint8_t n;
};

void ExpectTable(const DeviceFontTable& table, std::uint8_t command, const std::vector<Row>& rows) {
  ASSERT_EQ(table.count, rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const DeviceFontRow& row = table.pRows[i];
    EXPECT_EQ(std::u16string(DeviceFontRowText(row, 0x409)), rows[i].english);
    EXPECT_EQ(std::u16string(DeviceFontRowText(row, 0x411)), rows[i].japanese);
    EXPECT_EQ(row.byLength, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(row.abyCommand, row.abyCommand + row.byLength),
              (std::vector<std::uint8_t>{0x1B, command, rows[i].n}));
    EXPECT_EQ(row.byValue, rows[i].n);
  }
}

TEST(DeviceFontTables, CharacterSetsAreEscRWithTheirTexts) {
  ExpectTable(IntlCharSetTable(), 0x52,
              {{u"USA", u"アメリカ (USA)", 0},
               {u"France", u"フランス (France)", 1},
               {u"Germany", u"ドイツ (Germany)", 2},
               {u"United Kingdom", u"イギリス (United Kingdom)", 3},
               {u"Denmark I", u"デンマークⅠ (Denmark Ⅰ)", 4},
               {u"Sweden", u"スウェーデン (Sweden)", 5},
               {u"Italy", u"イタリア (Italy)", 6},
               {u"Spain I", u"スペインⅠ (Spain Ⅰ)", 7},
               {u"Japan", u"日本 (Japan)", 8},
               {u"Norway", u"ノルウェー (Norway)", 9},
               {u"Denmark II", u"デンマークⅡ (Denmark II)", 10},
               {u"Spain II", u"スペインⅡ (Spain II)", 11},
               {u"Latin America", u"ラテンアメリカ (Latin America)", 12},
               {u"Arabia", u"アラビア (Arabia)", 17}});
}

// Only the user page has a Japanese text of its own.
Row Same(const char16_t* text, std::uint8_t n) { return {text, text, n}; }

TEST(DeviceFontTables, CodeTablesAreEscTWithTheirTexts) {
  ExpectTable(CodeTableTable(), 0x74,
              {Same(u"USA, Standard Europe (Code Page437)", 0),
               Same(u"Katakana", 1),
               Same(u"Multilingual (Code Page850)", 2),
               Same(u"Portuguese (Code Page860)", 3),
               Same(u"Canadian-French (Code Page863)", 4),
               Same(u"Nordic (Code Page865)", 5),
               Same(u"Latin (Code Page1252)", 16),
               Same(u"Eastern Europe (Code Page852)", 18),
               Same(u"Euro (Code Page858)", 19),
               Same(u"Arabic (Code Page864)", 37),
               Same(u"Central European (Code Page1250)", 45),
               Same(u"Cyrillic (Code Page1251)", 46),
               Same(u"Greek (Code Page1253)", 47),
               Same(u"Turkish (Code Page1254)", 48),
               {u"User Page", u"ユーザーページ", 255}});
}

class DeviceFontSectionTest : public ::testing::Test {
 protected:
  DeviceFontSectionTest() {
    Defaults(&context_.WorkingSettings);
    context_.bCanChange = 1;
    sheet_ = windows_.NewWindow(nullptr);
    page_ = windows_.NewWindow(sheet_);
    window_ = windows_.NewWindow(page_);
    windows_.Font(window_).height = -11;
    for (int id : {IDC_INTL_CHARSET_COMBO, IDC_CODE_TABLE_COMBO}) windows_.AddControl(window_, id);
    port_ = std::make_unique<FakeDialogPort>(windows_, window_);
    section_ = std::make_unique<DeviceFontSection>(*port_, &context_);
    windows_.SetHandler(window_, [this](UINT m, WPARAM w, LPARAM l) -> LRESULT {
      bool handled = false;
      return section_->Dispatch(m, w, l, &handled);
    });
  }
  FakeControl& C(int id) { return *windows_.Control(window_, id); }
  std::u16string SelectedText(int id) { return C(id).combo_items[C(id).combo_selected].text; }

  FakeSystemInfo system_;
  ScopedService<SystemInfo> use_system_{system_};
  PageContext context_ = {};
  FakeWindows windows_;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<FakeDialogPort> port_;
  std::unique_ptr<DeviceFontSection> section_;
};

TEST_F(DeviceFontSectionTest, ShowsTheRecordsRowsInTheUiLanguageAndKeepsThemWhenStored) {
  context_.WorkingSettings.byIntlCharSet = 13;
  context_.WorkingSettings.byCodeTable = 14;
  ASSERT_EQ(section_->OnInit(), 0u);
  EXPECT_EQ(C(IDC_INTL_CHARSET_COMBO).combo_items.size(), 14u);
  EXPECT_EQ(C(IDC_CODE_TABLE_COMBO).combo_items.size(), 15u);
  EXPECT_EQ(C(IDC_INTL_CHARSET_COMBO).combo_items[13].data, 13);
  EXPECT_EQ(SelectedText(IDC_INTL_CHARSET_COMBO), u"Arabia");
  EXPECT_EQ(SelectedText(IDC_CODE_TABLE_COMBO), u"User Page");
  EXPECT_EQ(C(IDC_INTL_CHARSET_COMBO).combo_field_height, 15);  // |lfHeight| + 4
  EXPECT_EQ(C(IDC_CODE_TABLE_COMBO).combo_field_height, 15);
  windows_.Send(window_, kDsmStore, 0, 0);
  EXPECT_EQ(context_.WorkingSettings.byIntlCharSet, 13);  // the row, not the command's 17
  EXPECT_EQ(context_.WorkingSettings.byCodeTable, 14);    // the row, not 255

  system_.ui_language = 0x411;
  DeviceFontSection japanese(*port_, &context_);
  ASSERT_EQ(japanese.OnInit(), 0u);
  EXPECT_EQ(SelectedText(IDC_INTL_CHARSET_COMBO), u"アラビア (Arabia)");
  system_.ui_language = 0;
  DeviceFontSection unknown(*port_, &context_);
  EXPECT_EQ(unknown.OnInit(), 107u);
}

TEST_F(DeviceFontSectionTest, OnlyARealChangeIsStoredAndMarksTheSheetChanged) {
  ASSERT_EQ(section_->OnInit(), 0u);
  windows_.ClearMessages();
  windows_.PickComboRow(window_, IDC_INTL_CHARSET_COMBO, 0);  // the row shown already
  EXPECT_TRUE(windows_.MessagesTo(sheet_, kPsmChanged).empty());
  context_.WorkingSettings.byCodeTable = 9;  // a store would overwrite it
  windows_.PickComboRow(window_, IDC_INTL_CHARSET_COMBO, 0);
  EXPECT_EQ(context_.WorkingSettings.byCodeTable, 9);

  windows_.PickComboRow(window_, IDC_INTL_CHARSET_COMBO, 8);
  EXPECT_EQ(context_.WorkingSettings.byIntlCharSet, 8);
  EXPECT_EQ(context_.WorkingSettings.byCodeTable, 0);  // both combos are stored
  windows_.PickComboRow(window_, IDC_CODE_TABLE_COMBO, 6);
  EXPECT_EQ(context_.WorkingSettings.byCodeTable, 6);
  const auto changed = windows_.MessagesTo(sheet_, kPsmChanged);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].wparam, reinterpret_cast<WPARAM>(page_));  // the Font page's window
}

TEST_F(DeviceFontSectionTest, AnEmptyListStoresNothing) {
  system_.ui_language = 0;
  EXPECT_EQ(section_->OnInit(), 107u);
  context_.WorkingSettings.byIntlCharSet = 5;
  windows_.Send(window_, kDsmStore, 0, 0);
  EXPECT_EQ(context_.WorkingSettings.byIntlCharSet, 5);
}

}  // namespace
}  // namespace kvt
