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

}  // namespace
}  // namespace kvt
