// The spin binding and its value texts, on the fake dialogs.
#include "oemui/controls/fake_dialog_port.h"

#include <gtest/gtest.h>

#include "oemui/controls/my_rad_btn.h"
#include "oemui/controls/spin_binding.h"

namespace kvt {
namespace {

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
