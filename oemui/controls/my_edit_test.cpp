// CMyEdit's behaviour, driven through the fake dialog as a user would.
#include "oemui/controls/my_edit.h"

#include <gtest/gtest.h>

#include "oemui/controls/fake_dialog_port.h"

namespace kvt {
namespace {

constexpr int kEdit = 1260;

class MyEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = windows_.NewWindow(nullptr, [this](UINT message, WPARAM wparam, LPARAM) {
      if (message == kMsgEditNotify) codes_.push_back(NotifyCode(wparam));
      if (message == kWmCommand && NotifyCode(wparam) == kEnChange) ++en_changes_;
      if (message == kMsgEditNotify && on_code_) on_code_(NotifyCode(wparam));
      return LRESULT{0};
    });
    port_ = std::make_unique<FakeDialogPort>(windows_, page_);
    port_->Control(kEdit);
    port_->Control(1);  // somewhere for the focus to go
    ASSERT_EQ(port_->AttachCustom(kEdit, CustomControl::kEdit), 0u);
  }

  FakeControl& edit() { return port_->Control(kEdit); }

  FakeWindows windows_;
  HWND page_ = nullptr;
  std::unique_ptr<FakeDialogPort> port_;
  std::vector<std::uint16_t> codes_;
  int en_changes_ = 0;
  std::function<void(std::uint16_t)> on_code_;
};

TEST_F(MyEditTest, TypingKeepsAcceptedCharactersAndPostsCodeTwoForEach) {
  port_->SetInputMode(kEdit, EditMode::kDigits);
  windows_.Type(page_, kEdit, u"7a5");
  EXPECT_EQ(edit().text, u"75");
  EXPECT_EQ(codes_, (std::vector<std::uint16_t>{kEditCodeChanged, kEditCodeChanged}));
  // The notification is posted: it reaches the page after the edit changed.
  auto posted = windows_.MessagesTo(page_, kMsgEditNotify);
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_TRUE(posted[0].posted);
  EXPECT_EQ(NotifyId(posted[0].wparam), kEdit);
  EXPECT_EQ(posted[0].lparam, reinterpret_cast<LPARAM>(edit().window));
}

TEST_F(MyEditTest, KeysThatChangeTheTextCountAsChanges) {
  port_->SetInputMode(kEdit, EditMode::kDigits);
  windows_.Type(page_, kEdit, u"123\b");  // three digits, Backspace
  port_->SetSelection(kEdit, 0, 0);
  windows_.PressKey(page_, kEdit, kVkDelete);
  EXPECT_EQ(edit().text, u"2");
  EXPECT_EQ(codes_.size(), 5u);
  port_->SetSelection(kEdit, 0, 1);
  windows_.Type(page_, kEdit, u"\x03\x18");  // Ctrl+C changes nothing, Ctrl+X cuts
  EXPECT_EQ(edit().text, u"");
  EXPECT_EQ(codes_.size(), 6u);

  // A read-only edit changes nothing and reports nothing.
  port_->SetReadOnly(kEdit, true);
  windows_.Type(page_, kEdit, u"4\b");
  windows_.PressKey(page_, kEdit, kVkDelete);
  EXPECT_EQ(codes_.size(), 6u);
}

TEST_F(MyEditTest, PasteFiltersByModeWithinTheLimitReplacingTheSelectionAndNotifies) {
  port_->SetInputMode(kEdit, EditMode::kSignedInteger);
  port_->SetTextLimit(kEdit, 4);
  port_->SetText(kEdit, u"12");
  port_->SetSelection(kEdit, 2, 2);
  en_changes_ = 0;
  windows_.Paste(page_, kEdit, u"3.45678");
  EXPECT_EQ(edit().text, u"1234");
  EXPECT_EQ(codes_, std::vector<std::uint16_t>{kEditCodeChanged});
  EXPECT_EQ(en_changes_, 1);

  port_->SetSelection(kEdit, 1, 3);  // "23" replaced
  windows_.Paste(page_, kEdit, u"-99999");
  EXPECT_EQ(edit().text, u"1-94");

  // Read-only: nothing changes, nothing is reported.
  port_->SetReadOnly(kEdit, true);
  codes_.clear();
  windows_.Paste(page_, kEdit, u"7");
  EXPECT_EQ(edit().text, u"1-94");
  EXPECT_TRUE(codes_.empty());
}

TEST_F(MyEditTest, EnterSendsOneThenFourOnceEvenWhenTheParentPressesEnterAgain) {
  int nested = 0;
  on_code_ = [&](std::uint16_t code) {
    // A parent that reacts to code 1 by pumping messages may feed the edit
    // a second Enter while the first is still being reported.
    if (code == kEditCodeEnter && nested++ == 0) windows_.PressKey(page_, kEdit, kVkReturn);
  };
  windows_.PressKey(page_, kEdit, kVkReturn);
  EXPECT_EQ(codes_, (std::vector<std::uint16_t>{kEditCodeEnter, kEditCodeEnterDone}));
  EXPECT_FALSE(windows_.MessagesTo(page_, kMsgEditNotify)[0].posted);

  windows_.PressKey(page_, kEdit, kVkReturn);  // the guard is released afterwards
  EXPECT_EQ(codes_.size(), 4u);
}

TEST_F(MyEditTest, TabAndEscapeGoToTheParent) {
  windows_.PressKey(page_, kEdit, kVkTab, /*shift=*/true);
  windows_.PressKey(page_, kEdit, kVkEscape);
  auto next = windows_.MessagesTo(page_, kWmNextDlgCtl);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].wparam, 1u);  // backwards
  auto escape = windows_.MessagesTo(page_, kWmKeyDown);
  ASSERT_EQ(escape.size(), 1u);
  EXPECT_EQ(escape[0].wparam, kVkEscape);
  EXPECT_TRUE(codes_.empty());
}

TEST_F(MyEditTest, HexEditUpperCasesOnLeavingThenSendsSixteen) {
  port_->SetInputMode(kEdit, EditMode::kHex);
  windows_.Type(page_, kEdit, u"ff");
  port_->SetSelection(kEdit, 1, 2);
  std::u16string text_at_sixteen;
  on_code_ = [&](std::uint16_t code) {
    if (code == kEditCodeFocusLost) text_at_sixteen = edit().text;
  };
  windows_.LeaveFocus();
  EXPECT_EQ(edit().text, u"FF");
  EXPECT_EQ(text_at_sixteen, u"FF");
  EXPECT_EQ(codes_.back(), kEditCodeFocusLost);
  EXPECT_EQ(edit().selection_start, 1u);
  EXPECT_EQ(edit().selection_end, 2u);
}

TEST_F(MyEditTest, ClickThatTakesTheFocusSelectsAll) {
  port_->SetText(kEdit, u"1234");
  windows_.ClickInto(page_, kEdit);
  EXPECT_EQ(windows_.focus(), edit().window);
  EXPECT_EQ(edit().selection_start, 0u);
  EXPECT_EQ(edit().selection_end, 4u);
  // A click into the focused edit is the standard edit's (caret placing).
  port_->SetSelection(kEdit, 2, 2);
  windows_.ClickInto(page_, kEdit);
  EXPECT_EQ(edit().selection_end, 2u);
}

TEST_F(MyEditTest, SetEditTextOnlyNotifiesForADifferentText) {
  port_->SetEditText(kEdit, u"10");
  EXPECT_EQ(en_changes_, 1);
  port_->SetEditText(kEdit, u"10");
  port_->SetNumber(kEdit, 10);
  EXPECT_EQ(en_changes_, 1);
  port_->SetNumber(kEdit, 4294967295u);
  EXPECT_EQ(edit().text, u"4294967295");
}

TEST_F(MyEditTest, NumberAndCheckedTextGoThroughTheCheck) {
  port_->SetInputMode(kEdit, EditMode::kSignedInteger);
  port_->SetText(kEdit, u" -74 ");
  EXPECT_EQ(port_->GetNumber(kEdit), -74);
  EXPECT_EQ(port_->GetCheckedText(kEdit), u"-74");
  port_->SetText(kEdit, u"-");
  EXPECT_EQ(port_->GetNumber(kEdit), std::nullopt);
  EXPECT_EQ(port_->GetCheckedText(kEdit), std::nullopt);
  port_->SetText(kEdit, u"99999999999");
  EXPECT_EQ(port_->GetNumber(kEdit), std::nullopt);
}

}  // namespace
}  // namespace kvt
