// CMyComboBox, CMyPreview and CMySpriter on real windows: keys and clicks
// sent to them, what their parent hears, and what they paint.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "oemui/controls/layout_splitter.h"
#include "oemui/controls/my_preview.h"
#include "oemui/controls/tree_model.h"
#include "oemui/controls/win32/dialog_port_win32.h"
#include "oemui/controls/win32/list_controls_win32.h"
#include "oemui/watermark/dib_section.h"
#include "tests/wine/controls/test_dialog.h"

namespace kvt {
namespace {

using wine_test::ControlSpec;
using wine_test::Heard;
using wine_test::TestDialog;

constexpr int kCombo = 201;
constexpr int kButton = 202;
constexpr int kPreview = kSplitterUpperId;
constexpr int kSplitter = 1287;
constexpr int kTree = kSplitterLowerId;

std::vector<ControlSpec> Controls() {
  return {
      {L"ComboBox", L"", kCombo, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7, 7, 100, 60},
      {L"Button", L"Other", kButton, BS_PUSHBUTTON | WS_TABSTOP, 115, 6, 50, 14},
      {L"Static", L"", kPreview, SS_ETCHEDFRAME, 7, 25, 160, 80},
      {L"Static", L"", kSplitter, SS_ETCHEDHORZ, 7, 106, 160, 4},
      {L"Static", L"", kTree, SS_ETCHEDFRAME | WS_TABSTOP, 7, 111, 160, 90},
  };
}

// The colour the window shows at (x, y) of its client area, after it has
// painted what was pending.
COLORREF PixelOf(HWND window, int x, int y) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// The child's rectangle in its dialog's client coordinates.
RECT RectInParent(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class ListControlsWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No registration first: the factories register their classes.
    dialog_ = std::make_unique<TestDialog>(L"List controls", 175, 210, Controls());
    ASSERT_NE(dialog_->window(), nullptr);
    port_ = std::make_unique<Win32DialogPort>(dialog_->window());
    ASSERT_EQ(port_->AttachCustom(kCombo, CustomControl::kComboBox), 0u);
    ASSERT_EQ(port_->AttachCustom(kPreview, CustomControl::kPreview), 0u);
    ASSERT_EQ(port_->AttachCustom(kSplitter, CustomControl::kSplitter), 0u);
    ASSERT_EQ(port_->AttachCustom(kTree, CustomControl::kTreeView), 0u);
    dialog_->PumpPending();
    dialog_->ClearHeard();
  }

  void TearDown() override {
    port_.reset();
    dialog_.reset();
  }

  void FillCombo() {
    port_->ComboAddItem(kCombo, 0, {u"Low", 10});
    port_->ComboAddItem(kCombo, 1, {u"Middle", 20});
    port_->ComboAddItem(kCombo, 2, {u"High", 30});
    port_->ComboRebuild(kCombo);
  }

  std::vector<int> ComboCodes() const {
    std::vector<int> codes;
    for (const Heard& heard : dialog_->HeardOf(kMsgComboNotify)) {
      EXPECT_EQ(NotifyId(heard.wparam), kCombo);
      codes.push_back(NotifyCode(heard.wparam));
    }
    return codes;
  }

  std::unique_ptr<TestDialog> dialog_;
  std::unique_ptr<Win32DialogPort> port_;
};

TEST_F(ListControlsWineTest, ComboNotificationsBecome1129) {
  FillCombo();
  ASSERT_EQ(port_->ComboSelectByData(kCombo, 20), 1);
  HWND combo = dialog_->Item(kCombo);
  SetFocus(combo);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  dialog_->PumpPending();
  // Nothing chosen in the open list, then Enter: the page's row comes back
  // before the parent hears of the confirmation.
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  dialog_->ClearHeard();
  SendMessageW(combo, WM_KEYDOWN, VK_RETURN, 1);
  dialog_->PumpUntil([&] { return !ComboCodes().empty(); });
  const std::vector<int> codes = ComboCodes();
  ASSERT_FALSE(codes.empty());
  EXPECT_NE(std::find(codes.begin(), codes.end(), kComboCodeSelEndOk), codes.end());
  EXPECT_EQ(port_->ComboSelectedIndex(kCombo), 1);
  for (const Heard& heard : dialog_->HeardOf(WM_COMMAND)) {
    EXPECT_NE(NotifyCode(heard.wparam), CBN_SELENDOK) << "the original reached the parent";
  }

  dialog_->ClearHeard();
  SetFocus(dialog_->Item(kButton));
  dialog_->PumpUntil([&] { return !ComboCodes().empty(); });
  // The combo box also says the choice was dropped (10) before it says it
  // lost the focus, as Windows' own does.
  ASSERT_FALSE(ComboCodes().empty());
  EXPECT_EQ(ComboCodes().back(), kComboCodeKillFocus);
}

TEST_F(ListControlsWineTest, ComboFieldColoursFollowFocusAndOwnColours) {
  FillCombo();
  HWND combo = dialog_->Item(kCombo);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  // Right of the text and clear of the focus rectangle along the edges.
  const int x = info.rcItem.right - 6;
  const int y = (info.rcItem.top + info.rcItem.bottom) / 2;

  port_->ComboSelectIndex(kCombo, 1);
  SetFocus(combo);
  InvalidateRect(combo, nullptr, TRUE);
  EXPECT_EQ(PixelOf(combo, x, y), GetSysColor(COLOR_HIGHLIGHT));

  // Own colours: the closed control keeps its background even when focused.
  port_->ComboSelectIndex(kCombo, 1);
  ASSERT_TRUE(port_->ComboSetColours(kCombo, RGB(0, 0, 128), RGB(255, 255, 0)));
  InvalidateRect(combo, nullptr, TRUE);
  EXPECT_EQ(PixelOf(combo, x, y), RGB(255, 255, 0));
}

TEST_F(ListControlsWineTest, SplitterDragPosts1632AndTheLayoutFollows) {
  HWND splitter = dialog_->Item(kSplitter);
  const RECT before = RectInParent(splitter);
  const int height = before.bottom - before.top;

  SendMessageW(splitter, WM_SETCURSOR, reinterpret_cast<WPARAM>(splitter),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));

  SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 1));
  SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 31));
  dialog_->PumpUntil([&] { return !dialog_->HeardOf(kMsgSplitterMoved).empty(); });
  const std::vector<Heard> moved = dialog_->HeardOf(kMsgSplitterMoved);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].lparam, 0);
  const int x = static_cast<short>(LOWORD(moved[0].wparam));
  const int y = static_cast<short>(HIWORD(moved[0].wparam));
  EXPECT_EQ(x, before.left);
  EXPECT_EQ(y, before.top + 30);

  ASSERT_EQ(LayoutSplitter(*port_, kSplitter, y), 0u);
  EXPECT_EQ(RectInParent(dialog_->Item(kPreview)).bottom, y);
  EXPECT_EQ(RectInParent(splitter).top, y);
  EXPECT_EQ(RectInParent(dialog_->Item(kTree)).top, y + height);

  // Released: moving the mouse posts nothing more.
  SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(50, 1));
  dialog_->ClearHeard();
  SendMessageW(splitter, WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
  dialog_->PumpPending();
  EXPECT_TRUE(dialog_->HeardOf(kMsgSplitterMoved).empty());

  // A drag whose capture is taken away (a message box, a window switch)
  // ends there, although no button-up comes.
  SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 1));
  ReleaseCapture();
  SetCapture(splitter);  // even if the splitter gets the capture back
  SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 20));
  dialog_->PumpPending();
  ReleaseCapture();
  EXPECT_TRUE(dialog_->HeardOf(kMsgSplitterMoved).empty());
}

TEST_F(ListControlsWineTest, PreviewCentresItsPictureOnWhite) {
  HWND preview = dialog_->Item(kPreview);
  RECT client = {};
  GetClientRect(preview, &client);
  // The first picture: 128 x 128 light grey.
  PreviewOrigin origin = PreviewPlacement(client.right, client.bottom, 128, 128);
  EXPECT_EQ(PixelOf(preview, origin.x + 64, origin.y + 10), RGB(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(PixelOf(preview, 1, 1), RGB(255, 255, 255));

  CMyDibSection2 picture;
  ASSERT_EQ(picture.Create(40, 20, 24), kImageOk);
  picture.Fill(0x0000FF);  // red
  ASSERT_EQ(port_->PreviewSetImage(kPreview, picture), 0u);
  origin = PreviewPlacement(client.right, client.bottom, 40, 20);
  EXPECT_EQ(PixelOf(preview, origin.x, origin.y), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(preview, origin.x + 39, origin.y + 19), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(preview, origin.x - 1, origin.y), RGB(255, 255, 255));
}

TEST_F(ListControlsWineTest, ClassesGoWithTheModuleAndComeBackOnTheNextAttach) {
  // What the plug-in does before it is unloaded: its windows are gone, then
  // its classes, so a later load at another address registers afresh.
  TearDown();
  UnregisterListControls();
  WNDCLASSEXW info = {};
  info.cbSize = sizeof info;
  for (const wchar_t* name : {kPreviewClass, kSplitterClass, kTreeViewClass}) {
    EXPECT_FALSE(GetClassInfoExW(OwnModule(), name, &info)) << name;
  }
  SetUp();
  for (const wchar_t* name : {kPreviewClass, kSplitterClass, kTreeViewClass}) {
    EXPECT_TRUE(GetClassInfoExW(OwnModule(), name, &info)) << name;
  }
}

}  // namespace

}  // namespace kvt
