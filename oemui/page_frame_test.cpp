#include "oemui/page_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/fake/fake_window_port.h"

namespace kvt {
namespace {

struct SheetCall {
  HANDLE sheet;
  UINT function;
  LPARAM arg1;
  LPARAM arg2;
};
std::vector<SheetCall> g_calls;

LONG_PTR RecordingSheet(HANDLE sheet, UINT function, LPARAM arg1, LPARAM arg2) {
  g_calls.push_back({sheet, function, arg1, arg2});
  return 1;
}

class PageFrameTest : public ::testing::Test {
 protected:
  PageFrameTest() {
    g_calls.clear();
    std::memset(&context_, 0, sizeof context_);
    context_.hComPropSheet = reinterpret_cast<HANDLE>(0x51);
    context_.pfnComPropSheet = RecordingSheet;
    context_.hFontPage = reinterpret_cast<HANDLE>(0x2002);
    context_.WorkingSettings.byDensity = 130;
    context_.AppliedSettings.byDensity = 100;
  }

  INT_PTR Apply(HWND page) {
    NotifyHeader header = {page, 0, kPsnApply};
    return PageFrameMessage(page, kWmNotify, reinterpret_cast<LPARAM>(&header));
  }

  FakeWindowPort windows_;
  ScopedService<WindowPort> use_windows_{windows_};
  PageContext context_;
};

// The frame keeps the context handed in the page description and, on
// PSN_APPLY, applies the working copy and tells the sheet OK with the Font
// page's handle, so the framework asks for the result.
TEST_F(PageFrameTest, ApplyReportsOkThroughTheSheetWithTheFontPage) {
  const HWND page = reinterpret_cast<HWND>(0x700);
  PropertySheetPageW description = {};
  description.lParam = reinterpret_cast<LPARAM>(&context_);
  EXPECT_EQ(PageFrameMessage(page, kWmInitDialog, reinterpret_cast<LPARAM>(&description)), 1);

  EXPECT_EQ(Apply(page), 0);
  EXPECT_EQ(context_.AppliedSettings.byDensity, 130);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].sheet, context_.hComPropSheet);
  EXPECT_EQ((std::vector<LPARAM>{g_calls[0].function, g_calls[0].arg1, g_calls[0].arg2}),
            (std::vector<LPARAM>{CPSFUNC_SET_RESULT, reinterpret_cast<LPARAM>(context_.hFontPage),
                                 CPSUI_OK}));
}

TEST_F(PageFrameTest, NothingHappensWithoutAContextOrOtherNotifications) {
  const HWND page = reinterpret_cast<HWND>(0x701);
  EXPECT_EQ(Apply(page), 0);  // never initialised: no context
  PropertySheetPageW description = {};
  description.lParam = reinterpret_cast<LPARAM>(&context_);
  PageFrameMessage(page, kWmInitDialog, reinterpret_cast<LPARAM>(&description));
  NotifyHeader other = {page, 0, kPsnApply + 1};
  EXPECT_EQ(PageFrameMessage(page, kWmNotify, reinterpret_cast<LPARAM>(&other)), 0);
  EXPECT_EQ(PageFrameMessage(page, kWmNotify, 0), 0);
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(context_.AppliedSettings.byDensity, 100);

  context_.pfnComPropSheet = nullptr;
  ApplyDocumentPages(&context_);  // no callback: applies, reports nothing
  EXPECT_EQ(context_.AppliedSettings.byDensity, 130);
  ApplyDocumentPages(nullptr);
  EXPECT_TRUE(g_calls.empty());
}

}  // namespace
}  // namespace kvt
