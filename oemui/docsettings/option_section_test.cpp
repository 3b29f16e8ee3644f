// The Option section on fake windows under a fake page: each event's group
// in the controls, the drawer question, the number edits put right, the
// presets, the command's hex text stored within its 128 bytes, and the
// utility library's editor.
#include "oemui/docsettings/option_section.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "oemui/docsettings/general_section.h"
#include "oemui/page_test.h"
#include "oemui/tools/utility_library.h"
#include "resources/option_section_ids.h"

namespace kvt {
namespace {

constexpr int kEventButtons[4] = {IDC_OPTION_PRINT_START, IDC_OPTION_PAGE_START,
                                  IDC_OPTION_PAGE_END, IDC_OPTION_PRINT_END};

std::u16string Hex(std::size_t count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
  return CommandHexText(bytes.data(), bytes.size());
}

class OptionSectionTest : public PageTest {
 protected:
  OptionSectionTest() {
    context_.WorkingSettings.byPreset = 6;
    windows_.SetHandler(page_window_, [this](UINT message, WPARAM, LPARAM) -> LRESULT {
      // The page's switch to User Setting must see the record as it was.
      if (message == kDsmUserPreset) at_user_preset_.push_back(context_.WorkingSettings);
      return 0;
    });
  }

  void Make() {
    std::vector<int> controls;
    for (int id = 1000; id < 2200; ++id) {
      if (id == 1146 || (id >= 1031 && id <= 1045) || (id >= 1070 && id <= 1072) || id == 1111 ||
          id == 1113 || id == 1174 || id == 1175 || id == 1222 || (id >= 1236 && id <= 1241) ||
          id == 1278 || id == 2126 || (id >= 1801 && id <= 1807)) {
        controls.push_back(id);
      }
    }
    window_ = MakeSection(controls, &section_);
    for (int e = 0; e < 4; ++e) C(kEventButtons[e]).rect = {e * 60, 20, e * 60 + 58, 41};
    C(IDC_OPTION_FRAME).rect = {0, 50, 240, 280};
    ASSERT_EQ(section_->OnInit(), 0u);
    told_at_init_ = Count(kDsmEventSelected);
    windows_.ClearMessages();
  }

  FakeControl& C(int id) { return *windows_.Control(window_, id); }
  OptionCommandGroup& G(int event) { return context_.WorkingSettings.optionGroups[event]; }
  int Count(UINT message) { return PageTest::Count(page_window_, message); }
  void Select(int event) { windows_.Send(window_, kDsmSelectEvent, event, 0); }
  void EditTo(int id, const std::u16string& text) {
    C(id).text = text;
    C(id).selection_start = C(id).selection_end = text.size();
    windows_.Send(window_, kMsgEditNotify, MakeNotifyWParam(id, kEditCodeChanged), 0);
  }
  void ClickEdit() { windows_.ClickButton(window_, IDC_OPTION_EDIT_COMMAND); }

  std::vector<PrivateSettings> at_user_preset_;
  HWND window_ = nullptr;
  std::unique_ptr<OptionSection> section_;
  int told_at_init_ = 0;
};

TEST_F(OptionSectionTest, EachEventShowsItsOwnGroupAndDrawersOnlyAtTheEnds) {
  struct Case {
    std::uint8_t logo, keycode, align, drawer, buzzer;
    std::uint16_t on, off;
    std::int16_t feed;
    const char16_t *keycode_text, *on_text, *feed_text;
  };
  const Case cases[4] = {
      {1, 7, 0, 1, 1, 100, 300, -5, u"07", u"100", u"-5"},
      {0, 42, 1, 0, 0, 60, 220, 12, u"42", u"60", u"12"},
      {1, 99, 2, 2, 1, 2, 510, 255, u"99", u"2", u"255"},
      {1, 0, 1, 2, 0, 510, 2, -74, u"00", u"510", u"-74"},
  };
  for (int e = 0; e < 4; ++e) {
    const Case& c = cases[e];
    G(e) = OptionCommandGroup{c.logo, c.keycode, c.align, c.buzzer, c.feed, c.drawer,
                              0,      c.on,      c.off,   e + 1,    {},     {}};
    for (int i = 0; i <= e; ++i) G(e).abyCommand[i] = static_cast<std::uint8_t>(0xA0 + e + i);
  }
  Make();
  EXPECT_TRUE(C(IDC_OPTION_PRINT_START).checked);
  // Made in the middle of a preset, the section must not move the page's
  // list (and with it the section shown) to an event.
  EXPECT_EQ(told_at_init_, 0);
  EXPECT_FALSE(C(IDC_OPTION_FRAME).visible);
  for (int e : {2, 0, 3, 1}) {
    const Case& c = cases[e];
    windows_.ClearMessages();
    windows_.ClickButton(window_, kEventButtons[e], true);
    SCOPED_TRACE(e);
    EXPECT_TRUE(C(kEventButtons[e]).checked && !C(kEventButtons[(e + 1) % 4]).checked);
    EXPECT_EQ(C(IDC_OPTION_KEYCODE_EDIT).text + C(IDC_OPTION_ON_TIME_EDIT).text +
                  C(IDC_OPTION_FEED_EDIT).text + C(IDC_OPTION_COMMAND_EDIT).text,
              std::u16string(c.keycode_text) + c.on_text + c.feed_text +
                  Hex(e + 1, static_cast<std::uint8_t>(0xA0 + e)));
    EXPECT_TRUE(C(IDC_OPTION_ALIGN_LEFT + c.align).checked);
    EXPECT_EQ((std::vector<int>{
                  C(IDC_OPTION_LOGO_COMBO).combo_selected, C(IDC_OPTION_KEYCODE_EDIT).visible,
                  C(IDC_OPTION_DRAWER_COMBO).combo_selected, C(IDC_OPTION_BUZZER_ON).checked}),
              (std::vector<int>{c.logo, c.logo == 1, c.drawer, c.buzzer == 1}));
    const bool end = e == 0 || e == 3;
    EXPECT_EQ(C(IDC_OPTION_DRAWER_COMBO).visible && C(IDC_OPTION_DRAWER_LABEL).enabled, end);
    EXPECT_EQ(C(IDC_OPTION_ON_TIME_EDIT).visible, end && c.drawer != 0);
    // The page follows; the notch's strip is repainted.
    const auto told = windows_.MessagesTo(page_window_, kDsmEventSelected);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].wparam, static_cast<WPARAM>(e));
    EXPECT_EQ(section_port_->invalidated.back(), (DialogRect{0, 43, 240, 52}));
    EXPECT_EQ(Count(kDsmUserPreset), 0);
  }
  EXPECT_EQ(windows_.Send(window_, kDsmSelectEvent, 4, 0), 107);
  EXPECT_TRUE(C(IDC_OPTION_PAGE_START).checked);

  // A damaged length shows no more than the command's 128 bytes, and none
  // below zero.
  G(2).nCommandLength = 100000;
  G(3).nCommandLength = -4;
  Select(2);
  EXPECT_EQ(C(IDC_OPTION_COMMAND_EDIT).text.size(), 128u * 3);
  Select(3);
  EXPECT_EQ(C(IDC_OPTION_COMMAND_EDIT).text, u"");
}

TEST_F(OptionSectionTest, ADrawerAtOneEndAsksAndOkClearsTheOtherEnd) {
  struct Case {
    int event;
    int answer;
    std::uint8_t here, other;  // the drawers afterwards
  };
  const Case cases[] = {
      {3, kIdCancel, 0, 1},
      {3, kIdOk, 1, 0},
      {0, kIdOk, 1, 0},
  };
  for (const Case& c : cases) {
    const int other = c.event == 0 ? 3 : 0;
    G(other).byDrawer = 1;
    G(c.event).byDrawer = 0;
    Make();
    Select(c.event);
    windows_.ClearMessages();
    boxes_.boxes.clear();
    boxes_.answer = c.answer;
    windows_.PickComboRow(window_, IDC_OPTION_DRAWER_COMBO, 1);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].style & 0xF, static_cast<UINT>(kMbOkCancel));
    EXPECT_EQ(G(c.event).byDrawer * 10 + G(other).byDrawer, c.here * 10 + c.other) << c.event;
    EXPECT_EQ(C(IDC_OPTION_DRAWER_COMBO).combo_selected, c.here);
    EXPECT_EQ(C(IDC_OPTION_ON_TIME_EDIT).visible, c.here != 0);
    EXPECT_EQ(Count(kDsmUserPreset), c.here);
    // A second drawer at the same end asks nothing.
    if (c.here != 0) {
      windows_.PickComboRow(window_, IDC_OPTION_DRAWER_COMBO, 2);
      EXPECT_EQ(boxes_.boxes.size(), 1u);
      EXPECT_EQ(G(c.event).byDrawer, 2);
    }
  }
}

TEST_F(OptionSectionTest, NumberEditsArePutRightBeforeTheyAreStored) {
  struct Case {
    int edit;
    std::u16string typed, shown;
    int stored;  // -1000: nothing stored
  };
  const Case cases[] = {
      {IDC_OPTION_ON_TIME_EDIT, u"", u"2", 2},      {IDC_OPTION_ON_TIME_EDIT, u"600", u"510", 510},
      {IDC_OPTION_OFF_TIME_EDIT, u"1", u"2", 2},    {IDC_OPTION_KEYCODE_EDIT, u"", u"00", 0},
      {IDC_OPTION_KEYCODE_EDIT, u"7", u"07", 7},    {IDC_OPTION_KEYCODE_EDIT, u"075", u"75", 75},
      {IDC_OPTION_FEED_EDIT, u"", u"0", 0},         {IDC_OPTION_FEED_EDIT, u"-80", u"-74", -74},
      {IDC_OPTION_FEED_EDIT, u"12-", u"12", -1000},
  };
  G(0).byLogo = 1;
  G(0).byDrawer = 1;
  Make();
  for (const Case& c : cases) {
    G(0).wDrawerOnTime = G(0).wDrawerOffTime = 50;
    G(0).byLogoKeycode = 50;
    G(0).sFeed = 50;
    windows_.ClearMessages();
    EditTo(c.edit, c.typed);
    EXPECT_EQ(C(c.edit).text, c.shown)
        << c.edit << " '" << std::string(c.typed.begin(), c.typed.end()) << "'";
    const int stored = c.edit == IDC_OPTION_ON_TIME_EDIT    ? G(0).wDrawerOnTime
                       : c.edit == IDC_OPTION_OFF_TIME_EDIT ? G(0).wDrawerOffTime
                       : c.edit == IDC_OPTION_KEYCODE_EDIT  ? G(0).byLogoKeycode
                                                            : G(0).sFeed;
    EXPECT_EQ(stored, c.stored == -1000 ? 50 : c.stored) << c.edit;
    EXPECT_EQ(windows_.MessagesTo(sheet_, kPsmChanged).size(), c.stored == -1000 ? 0u : 1u);
  }
  // The up-down control moved: its buddy's value goes into the record.
  EditTo(IDC_OPTION_KEYCODE_EDIT, std::u16string(1, u'8'));
  windows_.Send(window_, kWmVScroll, 0,
                reinterpret_cast<LPARAM>(C(IDC_OPTION_KEYCODE_UPDOWN).window));
  EXPECT_EQ(C(IDC_OPTION_KEYCODE_EDIT).text, u"08");
  EXPECT_EQ(G(0).byLogoKeycode, 8);
  windows_.Send(window_, kWmDestroy, 0, 0);
  EXPECT_EQ(C(IDC_OPTION_FEED_UPDOWN).spin_buddy, 0);
}

TEST_F(OptionSectionTest, CommandTextIsStoredAsCompletePairsWithinItsBytes) {
  std::u16string long_text;
  while (long_text.size() + 3 <= 511) long_text += u"AB ";  // 170 pairs
  long_text += u"C";
  struct Case {
    std::u16string text;
    std::size_t length;
    std::uint8_t first, last;
  };
  const Case cases[] = {
      {Hex(20), 20, 0x00, 0x13},
      {u"1b4", 1, 0x1B, 0x1B},
      {u"1B 4 0A", 2, 0x1B, 0x0A},  // "4 " is no pair and is dropped
      {long_text, 128, 0xAB, 0xAB},
  };
  Make();
  G(1).byLogo = 0x77;  // the next group must stay as it is
  for (const Case& c : cases) {
    C(IDC_OPTION_COMMAND_EDIT).text = c.text;
    windows_.ClearMessages();
    EXPECT_EQ(windows_.Send(window_, kDsmStore, 0, 0), 0);
    EXPECT_EQ(G(0).nCommandLength, static_cast<std::int32_t>(c.length));
    EXPECT_EQ(G(0).abyCommand[0], c.first);
    EXPECT_EQ(G(0).abyCommand[c.length - 1], c.last);
    EXPECT_EQ(G(0).abyCommand[c.length % 128], c.length == 128 ? c.first : 0);
    EXPECT_EQ(G(1).byLogo, 0x77);
    // The command is the editor's to report.
    EXPECT_EQ(Count(kDsmUserPreset) * 10 + Count(kDsmRefreshList), 1);
  }
}

TEST_F(OptionSectionTest, EditorResultsReachTheCommand) {
  struct Case {
    bool offered;
    std::uint32_t result, count;
    std::vector<std::uint8_t> write;
    std::int32_t length;  // afterwards
    int user_presets;
  };
  const std::vector<std::uint8_t> same = {0x1B, 0x40};
  const Case cases[] = {
      {false, 0, 3, {1, 2, 3}, 2, 0},                                // no library: nothing happens
      {true, 1, 3, {1, 2, 3}, 2, 0},                                 // cancelled
      {true, 0, 2, same, 2, 0},                                      // the same bytes back
      {true, 0, 3, {0x1B, 0x40, 0x0A}, 3, 1},                        // new bytes
      {true, 0, 300, std::vector<std::uint8_t>(256, 0x55), 128, 1},  // past the capacity
  };
  for (const Case& c : cases) {
    G(0).nCommandLength = 2;
    std::memcpy(G(0).abyCommand, same.data(), 2);
    libraries_.loadable.clear();
    libraries_.entries.clear();
    if (c.offered) OfferEditor();
    Make();
    g_editor.result = c.result;
    g_editor.count = c.count;
    g_editor.write = c.write;
    at_user_preset_.clear();
    ClickEdit();
    EXPECT_EQ(G(0).nCommandLength, c.length) << c.count;
    EXPECT_EQ(static_cast<int>(at_user_preset_.size()), c.user_presets) << c.count;
    EXPECT_TRUE(boxes_.boxes.empty());
    if (c.length == 2) {
      EXPECT_EQ(C(IDC_OPTION_COMMAND_EDIT).text, u"1B 40 ");
    }
  }
  EXPECT_EQ(G(0).abyCommand[127], 0x55);
  EXPECT_EQ(g_editor.seen.dwCapacity * 10 + g_editor.seen.dwCount, 1282u);
  EXPECT_EQ(g_editor.seen.hOwner, window_);
  EXPECT_EQ(g_editor.seen.nAnchorRight, C(IDC_OPTION_COMMAND_EDIT).rect.right);
}

TEST_F(OptionSectionTest, ScalingGivesTextThatWouldNotFitTheSecondFont) {
  Make();
  C(IDC_OPTION_KEYCODE_LABEL).text = u"Keycodes";  // 40 pixels in the first font
  C(IDC_OPTION_DRAWER_LABEL).text = u"Drawer";     // 30
  C(IDC_OPTION_KEYCODE_LABEL).rect = C(IDC_OPTION_DRAWER_LABEL).rect = {10, 20, 50, 30};
  DialogFont font;
  font.height = -11;
  windows_.Send(window_, kDsmScaleLayout, 900, reinterpret_cast<LPARAM>(&font));
  // The first font one unit smaller at 900, the second three more.
  EXPECT_EQ(C(IDC_OPTION_KEYCODE_LABEL).font->height, -7);
  EXPECT_EQ(C(IDC_OPTION_DRAWER_LABEL).font->height, -10);
  EXPECT_EQ(C(IDC_OPTION_KEYCODE_LABEL).rect, (DialogRect{9, 18, 45, 27}));
}

TEST(OptionFrame, NotchPointsAtTheButtonUnlessTooNearACorner) {
  const DialogRect frame{0, 50, 241, 281};
  const OptionFrameShape notch = OptionFrameGeometry(frame, {60, 22, 118, 43});
  EXPECT_TRUE(notch.notch);
  EXPECT_FLOAT_EQ(notch.apex_x, 89.0f);
  EXPECT_FLOAT_EQ(notch.apex_y, 38.0f);  // 4/7 of 21 above the top
  EXPECT_FLOAT_EQ(notch.half_width, 7.2f);
  EXPECT_FLOAT_EQ(notch.right + notch.bottom, 520.0f);
  EXPECT_FALSE(OptionFrameGeometry(frame, {0, 22, 24, 43}).notch);     // centre 12 inside
  EXPECT_FALSE(OptionFrameGeometry(frame, {218, 22, 240, 43}).notch);  // 11 from the right
  EXPECT_TRUE(OptionFrameGeometry(frame, {0, 22, 26, 43}).notch);
  // 192/256 of the way from face to shadow, channel by channel.
  EXPECT_EQ(OptionFrameColour(0xF0F0F0, 0xA0A0A0), 0xB4B4B4u);
  EXPECT_EQ(OptionFrameColour(0x00FF00, 0xFF0000), 0xBF4000u);
}

}  // namespace
}  // namespace kvt
