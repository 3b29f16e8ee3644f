// The device-font lists and their section on fake windows: the rows'
// texts and command bytes, what a choice stores and tells the sheet.
#include "oemui/fontpage/device_font_section.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "oemui/fontpage/device_font_tables.h"
#include "oemui/fontpage/font_section_test.h"
#include "platform/fake/fake_system_info.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

struct Row {
  const char16_t* english;
  const char16_t* japanese;
  std::uint8_t n;
};

// The table's size, and the rows given (by index) with their texts and
// their command: ESC |command| n, n also the stored value.
void ExpectTable(const DeviceFontTable& table, std::uint8_t command, std::size_t count,
                 const std::vector<std::pair<std::size_t, Row>>& rows) {
  ASSERT_EQ(table.count, count);
  for (const auto& [index, expected] : rows) {
    SCOPED_TRACE(index);
    const DeviceFontRow& row = table.pRows[index];
    EXPECT_EQ(std::u16string(DeviceFontRowText(row, 0x409)), expected.english);
    EXPECT_EQ(std::u16string(DeviceFontRowText(row, 0x411)), expected.japanese);
    EXPECT_EQ(std::vector<std::uint8_t>(row.abyCommand, row.abyCommand + row.byLength),
              (std::vector<std::uint8_t>{0x1B, command, expected.n}));
    EXPECT_EQ(row.byValue, expected.n);
  }
}

TEST(DeviceFontTables, CharacterSetsAreEscRCodeTablesEscT) {
  ExpectTable(IntlCharSetTable(), 0x52, 14,
              {{0, {u"USA", u"アメリカ (USA)", 0}},
               {4, {u"Denmark I", u"デンマークⅠ (Denmark Ⅰ)", 4}},
               {10, {u"Denmark II", u"デンマークⅡ (Denmark II)", 10}},
               {13, {u"Arabia", u"アラビア (Arabia)", 17}}});
  // Only the user page has a Japanese text of its own.
  ExpectTable(
      CodeTableTable(), 0x74, 15,
      {{0, {u"USA, Standard Europe (Code Page437)", u"USA, Standard Europe (Code Page437)", 0}},
       {6, {u"Latin (Code Page1252)", u"Latin (Code Page1252)", 16}},
       {14, {u"User Page", u"ユーザーページ", 255}}});
}

class DeviceFontSectionTest : public FontSectionTest<DeviceFontSection> {
 protected:
  DeviceFontSectionTest() {
    MakeSection({IDC_INTL_CHARSET_COMBO, IDC_CODE_TABLE_COMBO});
    windows_.Font(window_).height = -11;
  }
  std::u16string SelectedText(int id) { return C(id).combo_items[C(id).combo_selected].text; }

  FakeSystemInfo system_;
  ScopedService<SystemInfo> use_system_{system_};
};

TEST_F(DeviceFontSectionTest, ShowsTheRecordsRowsInTheUiLanguageAndKeepsThemWhenStored) {
  context_.WorkingSettings.byIntlCharSet = 13;
  context_.WorkingSettings.byCodeTable = 14;
  ASSERT_EQ(section_->OnInit(), 0u);
  EXPECT_EQ(C(IDC_INTL_CHARSET_COMBO).combo_items.size(), 14u);
  EXPECT_EQ(C(IDC_INTL_CHARSET_COMBO).combo_items[13].data, 13);
  EXPECT_EQ(SelectedText(IDC_INTL_CHARSET_COMBO) + SelectedText(IDC_CODE_TABLE_COMBO),
            u"ArabiaUser Page");
  EXPECT_EQ(C(IDC_CODE_TABLE_COMBO).combo_field_height, 15);  // |lfHeight| + 4
  windows_.Send(window_, kDsmStore, 0, 0);
  // The rows, not the commands' 17 and 255.
  EXPECT_EQ(context_.WorkingSettings.byIntlCharSet * 100 + context_.WorkingSettings.byCodeTable,
            1314);

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

  windows_.PickComboRow(window_, IDC_INTL_CHARSET_COMBO, 8);  // both combos are stored
  EXPECT_EQ(context_.WorkingSettings.byIntlCharSet * 100 + context_.WorkingSettings.byCodeTable,
            800);
  windows_.PickComboRow(window_, IDC_CODE_TABLE_COMBO, 6);
  EXPECT_EQ(context_.WorkingSettings.byCodeTable, 6);
  const auto changed = windows_.MessagesTo(sheet_, kPsmChanged);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].wparam, reinterpret_cast<WPARAM>(page_window_));  // the Font page's window
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
