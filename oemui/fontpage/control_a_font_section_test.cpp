// The Control A section on fake windows and a fake registry: the lists,
// who may change them, the editor's block, what a save writes and what a
// test print sends.
#include "oemui/fontpage/control_a_font_section.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "oemui/controls/fake_dialog_port.h"
#include "oemui/fontpage/font_section_test.h"
#include "oemui/page_frame.h"
#include "oemui/page_messages.h"
#include "oemui/tools/utility_library.h"
#include "resources/font_page_ids.h"

namespace kvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char16_t kGuid[] = u"{0A1B2C3D-0000-1111-2222-333344445555}";
constexpr char16_t kKey[] =
    u"Software\\KVT\\KVT QV-J27 Driver\\{0A1B2C3D-0000-1111-2222-333344445555}\\ControlA";

Bytes Ramp(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

class ControlAFontSectionTest : public FontSectionTest<ControlAFontSection> {
 protected:
  ControlAFontSectionTest() {
    printers.SetString(printer_, u"UtilityGUID", kGuid);
    spooler_.AddPrinter(printer_, {u"KVT QV-J27 Driver"});
    MakeSection({IDC_CONTROL_A_LIST, IDC_CONTROL_A_FULL_LIST, IDC_CONTROL_A_PRINT,
                 IDC_CONTROL_A_EDIT, IDC_CONTROL_A_DELETE});
  }
  void Init() { ASSERT_EQ(section_->OnInit(), 0u); }
  std::u16string Cell(int id, int row) { return port_->ListCell(id, row, 2); }
  void Select(int row) {
    C(IDC_CONTROL_A_LIST).list_selected = row;
    Notify(kLvnItemChanged);
  }
  void Notify(UINT code) {
    NotifyHeader header{C(IDC_CONTROL_A_LIST).window, IDC_CONTROL_A_LIST, code};
    windows_.Send(window_, kWmNotify, IDC_CONTROL_A_LIST, reinterpret_cast<LPARAM>(&header));
  }
  void Click(int id) { windows_.Send(window_, kWmCommand, MakeNotifyWParam(id, kBnClicked), 0); }
  void Apply() { windows_.Send(window_, kDsmStore, 0, 0); }
  void Stored(const char16_t* name, Bytes bytes) {
    config.user_keys[kKey][name] = ConfigValue{kValueBinary, std::move(bytes)};
  }
  const FakeConfigSource::Values& Values() { return config.user_keys[kKey]; }
  bool Enabled(int id) { return port_->IsEnabled(id); }

  static constexpr UINT kNmDblClk = static_cast<UINT>(0u - 3u);
  static constexpr UINT kLvnItemChanged = static_cast<UINT>(0u - 101u);
};

TEST_F(ControlAFontSectionTest, KeyPathFromDriverNameAndGuidWithFallbacks) {
  const struct {
    Spooler::DriverNameStatus status;
    const char16_t* guid;  // null: no value
    std::u16string path;
  } cases[] = {
      {Spooler::DriverNameStatus::kOk, kGuid, kKey},
      {Spooler::DriverNameStatus::kReadFailed, kGuid,
       std::u16string(u"Software\\KVT\\KVT QV-J27\\") + kGuid + u"\\ControlA"},
      {Spooler::DriverNameStatus::kOk, nullptr, u"Software\\KVT\\KVT QV-J27 Driver\\\\ControlA"},
  };
  for (const auto& c : cases) {
    spooler_.AddPrinter(printer_, {u"KVT QV-J27 Driver", c.status, 5});
    if (c.guid != nullptr) {
      printers.SetString(printer_, u"UtilityGUID", c.guid);
    } else {
      printers.Remove(printer_, u"UtilityGUID");
    }
    EXPECT_EQ(ControlAKeyPath(printer_), c.path);
  }
  // Stored without a terminator and far too long: at most 259 characters.
  const std::u16string longest(400, u'G');
  Bytes raw;
  for (char16_t ch : longest) raw.insert(raw.end(), {static_cast<std::uint8_t>(ch), 0});
  printers.SetBytes(printer_, u"UtilityGUID", raw);
  EXPECT_EQ(ControlAKeyPath(printer_),
            u"Software\\KVT\\KVT QV-J27 Driver\\" + std::u16string(259, u'G') + u"\\ControlA");
}

TEST_F(ControlAFontSectionTest, ListsHaveTheRowsAndColumnsWithoutAKey) {
  port_->dpi = 144;
  C(IDC_CONTROL_A_LIST).rect = DialogRect{0, 0, 400, 200};
  Init();
  for (int id : {IDC_CONTROL_A_LIST, IDC_CONTROL_A_FULL_LIST}) {
    const FakeControl& list = C(id);
    EXPECT_TRUE(list.list_full_row);
    ASSERT_EQ(list.list_rows.size(), 96u);
    EXPECT_EQ(list.list_rows[0][0] + list.list_rows[95][0] + list.list_rows[95][1], u" []7F");
    EXPECT_EQ(Cell(id, 95), u"");
    ASSERT_EQ(list.list_columns.size(), 3u);
    // No string table here: the fallbacks.
    EXPECT_EQ(list.list_columns[0].first + list.list_columns[1].first + list.list_columns[2].first,
              u"xxCharxxHexxxCommand");
  }
  const auto& columns = C(IDC_CONTROL_A_LIST).list_columns;
  EXPECT_EQ(columns[1].second, 82);
  EXPECT_EQ(columns[2].second, 400 - 60 - 82 - 30);
  EXPECT_EQ(C(IDC_CONTROL_A_LIST).list_selected, 0);
  EXPECT_EQ(config.user_keys.count(kKey), 0u);  // looking does not make the key
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_PRINT));
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_DELETE));
  EXPECT_TRUE(Enabled(IDC_CONTROL_A_EDIT));
}

TEST_F(ControlAFontSectionTest, LoadShowsStoredCommandsCutAndClosesItsReadOnlyKey) {
  Stored(u"F20", {0x1B, 0x40});
  Stored(u"F41", Ramp(100));
  Stored(u"F7F", Ramp(400));  // written by something else
  Init();
  EXPECT_EQ(config.open_keys, 0);
  EXPECT_TRUE(config.user_keys.count(kKey));
  EXPECT_EQ(Cell(IDC_CONTROL_A_LIST, 0), u"1B 40 ");
  const std::u16string hundred = Cell(IDC_CONTROL_A_FULL_LIST, 0x21);
  ASSERT_EQ(hundred.size(), 300u);
  EXPECT_EQ(hundred.substr(0, 9), u"00 01 02 ");
  EXPECT_EQ(Cell(IDC_CONTROL_A_LIST, 0x21), hundred.substr(0, 255) + u" ...");
  EXPECT_EQ(ControlAShownText(std::u16string(260, u'A')).size(), 260u);
  EXPECT_EQ(Cell(IDC_CONTROL_A_FULL_LIST, 95).size(), 256u * 3);
  EXPECT_TRUE(Enabled(IDC_CONTROL_A_PRINT));
  EXPECT_TRUE(Enabled(IDC_CONTROL_A_DELETE));
  Select(1);
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_PRINT));
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_DELETE));

  // Offered to the editor and printed cut to 256 bytes.
  OfferEditor();
  g_editor.result = 1;
  Select(95);
  Click(IDC_CONTROL_A_EDIT);
  EXPECT_EQ(g_editor.offered, Ramp(256));
  Click(IDC_CONTROL_A_PRINT);
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].data, Ramp(256));
}

TEST_F(ControlAFontSectionTest, EditApplyDeleteApply) {
  OfferEditor();
  Stored(u"F42", {0x01});
  Init();
  Select(0x21);
  g_editor.write = {0x1B, 0x40};
  g_editor.count = 2;
  Notify(kNmDblClk);
  ASSERT_EQ(g_editor.calls, 1);
  EXPECT_EQ(g_editor.seen.hOwner, window_);
  EXPECT_EQ(g_editor.seen.dwCapacity, 256u);
  EXPECT_EQ(libraries_.freed.size(), 1u);
  EXPECT_EQ(Cell(IDC_CONTROL_A_FULL_LIST, 0x21), u"1B 40 ");
  EXPECT_TRUE(Enabled(IDC_CONTROL_A_DELETE));
  EXPECT_EQ(windows_.MessagesTo(sheet_, kPsmChanged).size(), 1u);
  Apply();
  EXPECT_EQ(Values().at(u"F41").data, (Bytes{0x1B, 0x40}));
  EXPECT_EQ(Values().size(), 2u);

  // A count above the capacity is held to it.
  g_editor.write = Ramp(300);
  g_editor.count = 1000;
  Click(IDC_CONTROL_A_EDIT);
  EXPECT_EQ(Cell(IDC_CONTROL_A_FULL_LIST, 0x21).size(), 256u * 3);

  windows_.ClearMessages();
  Click(IDC_CONTROL_A_DELETE);
  EXPECT_EQ(Cell(IDC_CONTROL_A_LIST, 0x21), u"");
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_DELETE));
  EXPECT_EQ(windows_.focus(), C(IDC_CONTROL_A_EDIT).window);
  const auto style = windows_.MessagesTo(C(IDC_CONTROL_A_EDIT).window, 0x00F4);  // BM_SETSTYLE
  ASSERT_EQ(style.size(), 1u);
  EXPECT_EQ(style[0].wparam, 1u);  // BS_DEFPUSHBUTTON
  EXPECT_EQ(windows_.MessagesTo(sheet_, kPsmChanged).size(), 1u);
  Apply();
  EXPECT_EQ(Values().count(u"F41") * 10 + Values().count(u"F42"), 1u);
}

TEST_F(ControlAFontSectionTest, DocumentPreferencesMayPrintButNotChange) {
  OfferEditor();
  Stored(u"F41", {0x1B, 0x40});
  context_.bNotUserDefault = 1;
  Init();
  Select(0x21);
  EXPECT_FALSE(Enabled(IDC_CONTROL_A_EDIT) || Enabled(IDC_CONTROL_A_DELETE));
  EXPECT_TRUE(Enabled(IDC_CONTROL_A_PRINT));
  Notify(kNmDblClk);
  Click(IDC_CONTROL_A_EDIT);
  Click(IDC_CONTROL_A_DELETE);
  EXPECT_EQ(g_editor.calls, 0);
  EXPECT_EQ(Cell(IDC_CONTROL_A_FULL_LIST, 0x21), u"1B 40 ");
  Click(IDC_CONTROL_A_PRINT);
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].name + spooler_.documents[0].datatype,
            u"KVT ControlA Font Test PrintRAW");
  EXPECT_EQ(spooler_.documents[0].data, (Bytes{0x1B, 0x40}));
  EXPECT_EQ(boxes_.boxes.size(), 0u);
}

TEST_F(ControlAFontSectionTest, FailedWriteStopsTheSaveAfterTheEarlierRows) {
  Stored(u"F21", {0x02});
  Stored(u"F23", {0x03});
  Init();
  Stored(u"F21", {0x09});
  Stored(u"F23", {0x09});
  config.fail_value = u"F22";
  config.fail_error = 5;
  EXPECT_EQ(section_->Save(), 5u);
  EXPECT_EQ(Values().at(u"F21").data, Bytes{0x02});  // written again
  EXPECT_EQ(Values().at(u"F23").data, Bytes{0x09});  // never reached
  EXPECT_EQ(config.open_keys, 0);
}

TEST_F(ControlAFontSectionTest, FailedTestPrintsAreReported) {
  Stored(u"F20", {0x1B});
  Init();
  spooler_.fail = "Write";
  spooler_.fail_error = 5;
  Click(IDC_CONTROL_A_PRINT);
  EXPECT_EQ(boxes_.boxes.size(), 1u);
  spooler_.fail.clear();
  Click(IDC_CONTROL_A_PRINT);
  EXPECT_EQ(boxes_.boxes.size(), 1u);
}

}  // namespace
}  // namespace kvt
