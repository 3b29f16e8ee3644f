// CMyEdit and CMyRadBtn on real windows: characters sent
// as WM_CHAR, a paste through the real clipboard, the 1624 notifications
// with their codes, and the arrow messages of the radio buttons.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "oemui/controls/win32/dialog_port_win32.h"
#include "tests/wine/controls/test_dialog.h"

namespace kvt {
namespace {

using wine_test::ControlSpec;
using wine_test::Heard;
using wine_test::TestDialog;

constexpr int kDigitsEdit = 101;
constexpr int kRadioFirst = 105;
constexpr int kRadioSecond = 106;
constexpr int kButton = 107;
constexpr int kTrackbar = 109;
constexpr int kList = 110;

std::vector<ControlSpec> Controls() {
  return {
      {L"Edit", L"", kDigitsEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 7, 80, 12},
      {L"Button", L"Top left", kRadioFirst, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 7, 57, 60,
       10},
      {L"Button", L"Top right", kRadioSecond, BS_AUTORADIOBUTTON, 70, 57, 60, 10},
      {L"Button", L"Other", kButton, BS_PUSHBUTTON | WS_TABSTOP, 7, 73, 50, 14},
      {L"msctls_trackbar32", L"", kTrackbar, TBS_AUTOTICKS | WS_TABSTOP, 140, 23, 90, 16},
      {L"SysListView32", L"", kList, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER,
       140, 43, 90, 50},
  };
}

class EditControlsWineTest : public ::testing::Test {
 protected:
  // One dialog for the suite, its controls reset for each test.
  static void SetUpTestSuite() { dialog_ = new TestDialog(L"Edit controls", 240, 100, Controls()); }
  static void TearDownTestSuite() {
    delete dialog_;
    dialog_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(dialog_->window(), nullptr);
    port_ = std::make_unique<Win32DialogPort>(dialog_->window());
    ASSERT_EQ(port_->AttachCustom(kDigitsEdit, CustomControl::kEdit), 0u);
    port_->SetTextLimit(kDigitsEdit, 0);
    port_->SetText(kDigitsEdit, u"");
    for (int id : {kRadioFirst, kRadioSecond}) {
      ASSERT_EQ(port_->AttachCustom(id, CustomControl::kRadioButton), 0u) << id;
    }
    port_->SetInputMode(kDigitsEdit, EditMode::kDigits);
    SetFocus(dialog_->Item(kButton));
    dialog_->PumpPending();
    dialog_->ClearHeard();
  }

  void TearDown() override { port_.reset(); }

  void TypeInto(int id, const std::wstring& keys) {
    for (wchar_t ch : keys) SendMessageW(dialog_->Item(id), WM_CHAR, ch, 1);
  }

  // The codes of the 1624 notifications from |id|, in order.
  std::vector<int> EditCodes(int id) const {
    std::vector<int> codes;
    for (const Heard& heard : dialog_->HeardOf(kMsgEditNotify)) {
      if (NotifyId(heard.wparam) == id) codes.push_back(NotifyCode(heard.wparam));
    }
    return codes;
  }

  int EnChanges(int id) const {
    int count = 0;
    for (const Heard& heard : dialog_->HeardOf(WM_COMMAND)) {
      if (NotifyId(heard.wparam) == id && NotifyCode(heard.wparam) == EN_CHANGE) ++count;
    }
    return count;
  }

  static TestDialog* dialog_;
  std::unique_ptr<Win32DialogPort> port_;
};

TestDialog* EditControlsWineTest::dialog_ = nullptr;

// The filter and the 1624 notifications on the real edit: keys as WM_CHAR,
// a paste through the real clipboard, Ctrl+V as the character 0x16.
TEST_F(EditControlsWineTest, TypedAndPastedTextIsFilteredAndPostsCodeTwo) {
  HWND edit = dialog_->Item(kDigitsEdit);
  SetFocus(edit);
  TypeInto(kDigitsEdit, L"7a");
  EXPECT_EQ(port_->GetText(kDigitsEdit), u"7");
  // Posted: nothing has arrived before the queue is pumped.
  EXPECT_TRUE(EditCodes(kDigitsEdit).empty());
  ASSERT_TRUE(wine_test::SetClipboardText(dialog_->window(), L"1-2.5"));
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(port_->GetText(kDigitsEdit), u"7125");
  EXPECT_TRUE(dialog_->PumpUntil([&] { return EditCodes(kDigitsEdit).size() >= 2; }));
  EXPECT_EQ(EditCodes(kDigitsEdit), (std::vector<int>{kEditCodeChanged, kEditCodeChanged}));
  EXPECT_EQ(dialog_->HeardOf(kMsgEditNotify)[0].lparam, reinterpret_cast<LPARAM>(edit));
  EXPECT_GE(EnChanges(kDigitsEdit), 1);

  port_->SetTextLimit(kDigitsEdit, 6);
  SendMessageW(edit, EM_SETSEL, 4, 4);
  ASSERT_TRUE(wine_test::SetClipboardText(dialog_->window(), L"4567890"));
  SendMessageW(edit, WM_CHAR, 0x16, 1);
  EXPECT_EQ(port_->GetText(kDigitsEdit), u"712545");
}

TEST_F(EditControlsWineTest, RadioButtonsPostTheirArrowMessages) {
  HWND radio = dialog_->Item(kRadioFirst);
  EXPECT_NE(SendMessageW(radio, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
  const std::pair<WPARAM, UINT> keys[] = {{VK_UP, kMsgRadioUp},
                                          {VK_DOWN, kMsgRadioDown},
                                          {VK_LEFT, kMsgRadioLeft},
                                          {VK_RIGHT, kMsgRadioRight}};
  for (const auto& [key, message] : keys) {
    SendMessageW(radio, WM_KEYDOWN, key, 1);
    EXPECT_TRUE(dialog_->PumpUntil([&] { return !dialog_->HeardOf(message).empty(); })) << message;
    auto heard = dialog_->HeardOf(message);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].wparam, static_cast<WPARAM>(kRadioFirst));
    EXPECT_EQ(heard[0].lparam, reinterpret_cast<LPARAM>(radio));
  }
}

// The port on the standard controls the pages use: what the page logic
// relies on and only the real controls can answer.
TEST_F(EditControlsWineTest, PortDrivesTheStandardControls) {
  // A trackbar keeps its position inside the range it was given.
  port_->TrackSetRange(kTrackbar, 70, 130);
  port_->TrackSetPos(kTrackbar, 200);
  EXPECT_EQ(port_->TrackPos(kTrackbar), 130);

  // A report list: a cell longer than the first read buffer.
  port_->ListAddColumn(kList, 0, u"Char", 40);
  port_->ListAddColumn(kList, 1, u"Command", 90);
  for (int row = 0; row < 2; ++row) ASSERT_TRUE(port_->ListInsertRow(kList, row, u"A"));
  const std::u16string long_command(700, u'F');
  ASSERT_TRUE(port_->ListSetCell(kList, 1, 1, long_command));
  EXPECT_EQ(port_->ListCell(kList, 1, 1), long_command);
  EXPECT_TRUE(port_->ListSelectRow(kList, 1));
  EXPECT_EQ(port_->ListSelectedRow(kList), 1);

  // What is not there, or not that kind of control, is refused.
  EXPECT_EQ(port_->AttachCustom(999, CustomControl::kEdit), 107u);
  EXPECT_EQ(port_->AttachCustom(kDigitsEdit, CustomControl::kRadioButton), 221u);
  EXPECT_EQ(port_->TreeAddItem(kList, TreeItemRecord{}), 107u);
  EXPECT_FALSE(port_->SetInputMode(kButton, EditMode::kDigits));
}

// Without a window manager under Xvfb wine waits two seconds for the X
// server to withdraw each visible top-level window it hides, unless the
// bed's "Managed" = "N" (HKCU\Software\Wine\X11 Driver) leaves every
// window unmanaged: then a hide is immediate.
TEST(WineWindowTest, HidingAVisibleTopLevelWindowIsImmediateWhenUnmanaged) {
  HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const DWORD start = GetTickCount();
  ShowWindow(window, SW_HIDE);
  const DWORD hide_ms = GetTickCount() - start;
  DestroyWindow(window);
  EXPECT_LT(hide_ms, 1000u);
}

}  // namespace
}  // namespace kvt
