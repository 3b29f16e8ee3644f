// The fake dialogs that page tests stand on: message routing between a
// sheet, a page and a section, and the control behaviour pages rely on.
#include "oemui/controls/fake_dialog_port.h"

#include <gtest/gtest.h>

#include "oemui/controls/my_rad_btn.h"
#include "oemui/controls/spin_binding.h"

namespace kvt {
namespace {

constexpr UINT kDsmStore = 2024;
constexpr UINT kDsmUserPreset = 2026;

TEST(FakeDialogPortTest, SectionTalksToItsPageAndTheSheetHearsOfTheChange) {
  FakeWindows windows;
  std::vector<UINT> page_heard;
  HWND sheet = windows.NewWindow(nullptr);
  HWND page = windows.NewWindow(sheet, [&](UINT message, WPARAM, LPARAM) {
    page_heard.push_back(message);
    return LRESULT{0};
  });
  HWND section = windows.NewWindow(page);
  FakeDialogPort page_port(windows, page);
  FakeDialogPort section_port(windows, section);
  section_port.Control(1260);
  section_port.AttachCustom(1260, CustomControl::kEdit);
  // The section's handler: a typed change switches the preset and tells
  // the sheet, naming the page.
  windows.SetHandler(section, [&](UINT message, WPARAM wparam, LPARAM) {
    if (message == kMsgEditNotify && NotifyCode(wparam) == kEditCodeChanged) {
      section_port.SendToParent(kDsmUserPreset, 0, 0);
      section_port.NotifyChanged(page_port.Parent(), section_port.Parent());
    }
    return LRESULT{0};
  });

  EXPECT_EQ(section_port.Sheet(), sheet);
  EXPECT_EQ(page_port.Sheet(), sheet);
  windows.Type(section, 1260, u"5");
  EXPECT_EQ(page_heard, std::vector<UINT>{kDsmUserPreset});
  auto changed = windows.MessagesTo(sheet, kPsmChanged);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].wparam, reinterpret_cast<WPARAM>(page));

  page_port.PressCancel(sheet);
  auto cancel = windows.MessagesTo(sheet, kPsmPressButton);
  ASSERT_EQ(cancel.size(), 1u);
  EXPECT_TRUE(cancel[0].posted);
  EXPECT_EQ(cancel[0].wparam, kPsbtnCancel);
  // Messages to a window that does not exist are not posted.
  EXPECT_FALSE(page_port.Post(reinterpret_cast<HWND>(0x1), kDsmStore, 0, 0));
}

TEST(FakeDialogPortTest, PageReachesStaticsAndSectionsByHandleAndRunsTimers) {
  FakeWindows windows;
  std::vector<WPARAM> ticks;
  HWND page = windows.NewWindow(nullptr, [&](UINT message, WPARAM wparam, LPARAM) {
    if (message == 0x0113) ticks.push_back(wparam);  // WM_TIMER
    return LRESULT{0};
  });
  HWND section = windows.NewWindow(page);
  FakeDialogPort port(windows, page);
  // Two static texts share the id -1: only their handles tell them apart.
  HWND first = windows.AddControl(page, -1, {0, 0, 10, 10}).window;
  port.Control(1058);
  std::vector<HWND> children = port.Children();
  EXPECT_EQ(children.size(), 3u);  // the first static, the combo, the section
  ASSERT_TRUE(port.MoveChild(section, {6, 36, 206, 236}));
  EXPECT_EQ(windows.PlacedRect(section), (DialogRect{6, 36, 206, 236}));
  EXPECT_TRUE(port.ShowChild(section, false));
  EXPECT_FALSE(windows.IsShown(section));
  EXPECT_TRUE(port.EnableChild(first, false));
  EXPECT_FALSE(port.IsEnabled(-1));
  EXPECT_FALSE(port.MoveChild(windows.NewWindow(nullptr), {}));  // not a child of the page

  port.StartTimer(200, 100);
  EXPECT_TRUE(windows.FireTimer(page, 200));
  port.StopTimer(200);
  EXPECT_FALSE(windows.FireTimer(page, 200));
  EXPECT_EQ(ticks, std::vector<WPARAM>{200});
}

TEST(FakeDialogPortTest, CustomComboShowsItemsOnlyAfterRebuildAndSelectsByData) {
  FakeWindows windows;
  HWND page = windows.NewWindow(nullptr);
  FakeDialogPort port(windows, page);
  port.Control(1058);
  ASSERT_EQ(port.AttachCustom(1058, CustomControl::kComboBox), 0u);
  for (int row = 0; row < 3; ++row) {
    EXPECT_TRUE(
        port.ComboAddItem(1058, row, ComboItem{u"row", 10 * row, ComboIconKind::kBitmap, 250u}));
  }
  // As CMyComboBox does: a hole is refused, a row it has is replaced.
  EXPECT_FALSE(port.ComboAddItem(1058, 4, ComboItem{u"hole", 99}));
  EXPECT_TRUE(port.ComboAddItem(1058, 2, ComboItem{u"row", 20, ComboIconKind::kBitmap, 250u}));
  EXPECT_EQ(port.ComboCount(1058), 0);
  port.ComboRebuild(1058);
  EXPECT_EQ(port.ComboCount(1058), 3);

  EXPECT_EQ(port.ComboSelectByData(1058, 20), 2);
  EXPECT_EQ(port.ComboSelectByData(1058, 7), -1);
  EXPECT_EQ(port.ComboSelectedIndex(1058), 0);

  // A user's pick changes the selection but not what was selected last.
  port.ComboSelectByData(1058, 10);
  windows.PickComboRow(page, 1058, 2);
  EXPECT_EQ(port.ComboSelectedData(1058), 20);
  EXPECT_EQ(port.ComboLastSelectedData(1058), 10);
  EXPECT_EQ(windows.MessagesTo(page, kWmCommand).size(), 1u);
}

TEST(FakeDialogPortTest, SpinBindingShowsWhatTheUpDownHolds) {
  FakeWindows windows;
  HWND section = windows.NewWindow(nullptr);
  FakeDialogPort port(windows, section);
  port.Control(1260);
  port.Control(1032);
  {
    SpinBinding spin(port, 1260, 1032);
    ASSERT_EQ(spin.Bind(), 0u);
    EXPECT_EQ(port.Control(1032).spin_buddy, 1260);
    spin.SetLimit(4);
    spin.SetRange(-74, 255);
    spin.SetPos(-12);
    EXPECT_EQ(port.GetText(1260), u"-12");
    spin.SetPos(300);
    EXPECT_EQ(spin.Pos(), 255);
    EXPECT_EQ(port.GetText(1260), u"255");
    EXPECT_EQ(port.Control(1260).limit, 4u);
  }
  EXPECT_EQ(port.Control(1032).spin_buddy, 0);  // released with the binding

  SpinBinding missing(port, 1260, 9999);
  EXPECT_EQ(missing.Bind(), 221u);
}

TEST(FakeDialogPortTest, SpinValueFormats) {
  struct Case {
    int value;
    int divisor;
    SpinFormat format;
    std::u16string text;
  };
  const Case cases[] = {
      {-7, 1, SpinFormat::kInteger, u"-7"},
      {129, 10, SpinFormat::kInteger, u"12"},
      {129, 10, SpinFormat::kRounded, u"13"},
      {-129, 10, SpinFormat::kRounded, u"-13"},
      {5, 0, SpinFormat::kInteger, u"5"},
      {-2147483647 - 1, -1, SpinFormat::kInteger, u"2147483648"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatSpinValue(c.value, c.divisor, c.format), c.text) << c.value << "/" << c.divisor;
  }
}

TEST(FakeDialogPortTest, RadioButtonsReportArrowKeys) {
  FakeWindows windows;
  HWND page = windows.NewWindow(nullptr);
  FakeDialogPort port(windows, page);
  port.Control(1319);
  port.AttachCustom(1319, CustomControl::kRadioButton);
  const std::pair<std::uint32_t, UINT> keys[] = {{kVkUp, kMsgRadioUp},
                                                 {kVkDown, kMsgRadioDown},
                                                 {kVkLeft, kMsgRadioLeft},
                                                 {kVkRight, kMsgRadioRight}};
  for (const auto& [key, message] : keys) {
    windows.PressKey(page, 1319, key);
    auto heard = windows.MessagesTo(page, message);
    ASSERT_EQ(heard.size(), 1u) << message;
    EXPECT_EQ(heard[0].wparam, 1319u);
  }
  EXPECT_EQ(RadioArrowMessage(kVkTab), std::nullopt);
}

TEST(FakeDialogPortTest, TreeRefusesItemsItDoesNotHold) {
  FakeWindows windows;
  HWND page = windows.NewWindow(nullptr);
  FakeDialogPort port(windows, page);
  port.Control(1050);
  EXPECT_EQ(port.TreeAddItem(1050, {}), 107u);  // not a tree yet
  port.AttachCustom(1050, CustomControl::kTreeView);
  TreeItemRecord header{TreeItemKind::kHeader, 1, 0, u"General Settings", 2, true, true};
  EXPECT_EQ(port.TreeAddItem(1050, header), 0u);
  EXPECT_EQ(port.TreeAddItem(1050, header), 107u);  // the same id twice
  EXPECT_EQ(port.TreeAddItem(1050, {TreeItemKind::kRow, 2, 99, u"x", -1, false, false}), 107u);
  EXPECT_EQ(port.TreeSetItemText(1050, 1, u"General", kTreeTextChanged), 0u);
  EXPECT_EQ(port.Control(1050).tree.Find(1)->colour, kTreeTextChanged);
  for (std::uint32_t item : {0u, 2u, 48u}) {
    EXPECT_EQ(port.TreeSetItemText(1050, item, u"x", 0), 107u);
    EXPECT_EQ(port.TreeShowItem(1050, item, false), 107u);
    EXPECT_EQ(port.TreeSelect(1050, item), 107u);
  }
}

}  // namespace
}  // namespace kvt
