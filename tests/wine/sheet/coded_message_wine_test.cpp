// The coded message box on the real system: ShowCodedMessage built into
// this program finds the message library KvtQvj2Res2.dll beside it and
// shows a real MessageBoxW, which the test answers from a thread timer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "oemui/tools/coded_message.h"
#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/window_automation.h"

namespace {

using kvt::tools::MessageBoxAnswerer;

// What the box adds to a short text so that it keeps a readable width.
const std::wstring kWidening = L"\r\n" + std::wstring(75, L' ');

class CodedMessage : public ::testing::Test {
 protected:
  // A box nobody finds would block the test for good: end it instead.
  kvt::tools::ProcessWatchdog watchdog_{20000, "a message box was left open"};

  void SetUp() override {
    library_ =
        kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L"KvtQvj2Res2.dll"));
    ASSERT_NE(library_, nullptr);
    parent_ = CreateWindowExW(0, L"STATIC", L"KVT QV-J27 Receipt Printing Preferences",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
    owner_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent_,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    if (parent_ != nullptr) DestroyWindow(parent_);
    if (library_ != nullptr) FreeLibrary(library_);
  }

  // The text of |id| in the language the UI selects, as the box shows it.
  std::wstring Expected(UINT id) {
    return kvt::testbed::TableString(library_, id, kvt::testbed::UiTableLanguage()) + kWidening;
  }

  HMODULE library_ = nullptr;
  HWND parent_ = nullptr;
  HWND owner_ = nullptr;
};

// An error (code 202, text 533) and a question (code 1020, text 153)
// answered: the text in the UI's language, titled by the owner's
// parent, the button pressed answered, the owner enabled again.
TEST_F(CodedMessage, ShowsItsTextTitledByTheOwnersParentAndAnswersTheButton) {
  const struct {
    int code;
    UINT style;
    int button;
    UINT text;
  } cases[] = {{202, MB_ICONERROR, IDOK, 533}, {1020, MB_OKCANCEL, IDCANCEL, 153}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    MessageBoxAnswerer answerer(c.button);
    EXPECT_EQ(kvt::ShowCodedMessage(__LINE__, owner_, c.code, c.style), c.button);
    ASSERT_EQ(answerer.seen().size(), 1u);
    const auto& box = answerer.seen()[0];
    EXPECT_EQ(box.text, Expected(c.text));
    EXPECT_EQ(box.title, L"KVT QV-J27 Receipt Printing Preferences");
    EXPECT_EQ(box.owner, parent_);
    EXPECT_TRUE(IsWindowEnabled(owner_));
  }
}

// Wine 8's MessageBoxW does not make the box topmost for MB_TOPMOST (it
// does for MB_SYSTEMMODAL).
TEST(WineMessageBox, IgnoresTopmost) {
  kvt::tools::ProcessWatchdog watchdog(20000, "a message box was left open");
  for (const UINT style : {static_cast<UINT>(MB_TOPMOST), static_cast<UINT>(MB_SYSTEMMODAL)}) {
    MessageBoxAnswerer answerer(IDOK);
    MessageBoxW(nullptr, L"pinned", L"pinned", style);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].topmost, style == MB_SYSTEMMODAL) << style;
  }
}

}  // namespace
