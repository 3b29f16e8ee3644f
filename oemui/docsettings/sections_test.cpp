// The General and Paper Cut sections on fake windows under a fake page:
// what reaches the record, what the page hears and in which order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/option_items.h"
#include "oemui/docsettings/section_fakes.h"
#include "oemui/page_test.h"
#include "platform/fake/fake_clock.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

class SectionsTest : public PageTest {
 protected:
  SectionsTest() {
    forms_.Add(u"A4", 210000, 297000);
    forms_.Add(u"Roll Paper 80 x 297 mm", 80000, 297000);
    forms_.Add(u"Roll Paper 58 x 297 mm", 58000, 297000);
    forms_.Add(u"No Width", 0, 297000);
    for (int i = 0; i < 5; ++i) {
      form_params_[i].pData = reinterpret_cast<LPTSTR>(form_names_[i].data());
    }
    form_type_.Count = 5;
    form_type_.pOptParam = form_params_;
    form_item_.DMPubID = kDmPubFormName;
    form_item_.pOptType = &form_type_;
    cuip_.pDrvOptItems = &form_item_;
    cuip_.cDrvOptItems = 1;
    // User Setting: a preset message only reloads the controls.
    context_.WorkingSettings.byPreset = 6;
    windows_.SetHandler(page_window_, [this](UINT message, WPARAM, LPARAM) -> LRESULT {
      // The page's switch to User Setting must see the record as it was.
      if (message == kDsmUserPreset) at_user_preset_.push_back(context_.WorkingSettings);
      return 0;
    });
  }

  void MakeGeneral() {
    window_ = MakeSection({}, &general_);
    AddGeneralControls(windows_, window_);
    ASSERT_EQ(general_->OnInit(), 0u);
    windows_.ClearMessages();
  }
  void MakePaperCut() {
    window_ = MakeSection({}, &cut_);
    AddPaperCutControls(windows_, window_);
    ASSERT_EQ(cut_->OnInit(), 0u);
    windows_.ClearMessages();
  }

  FakeControl& C(int id) { return *windows_.Control(window_, id); }
  PrivateSettings& s() { return context_.WorkingSettings; }
  // The user drags a slider to |position|; the trackbar reports |code|.
  void Drag(int id, int position, int code) {
    C(id).track_pos = position;
    windows_.Send(window_, kWmHScroll, static_cast<WPARAM>(code),
                  reinterpret_cast<LPARAM>(C(id).window));
  }
  void Pick(int id, int row) { windows_.PickComboRow(window_, id, row); }
  int Count(UINT message) { return PageTest::Count(page_window_, message); }
  void EditTo(const std::u16string& text) {
    C(IDC_CUT_CORRECT_EDIT).text = text;
    C(IDC_CUT_CORRECT_EDIT).selection_start = C(IDC_CUT_CORRECT_EDIT).selection_end = text.size();
    windows_.Send(window_, kMsgEditNotify, MakeNotifyWParam(IDC_CUT_CORRECT_EDIT, kEditCodeChanged),
                  0);
  }

  FakeClock clock_;
  ScopedService<Clock> use_clock_{clock_};
  std::u16string form_names_[5] = {u"A4", u"Roll Paper 80 x 297 mm", u"Roll Paper 58 x 297 mm",
                                   u"No Width", u"Unknown"};
  OPTPARAM form_params_[5] = {};
  OPTTYPE form_type_ = {};
  OPTITEM form_item_ = {};
  std::vector<PrivateSettings> at_user_preset_;

  HWND window_ = nullptr;
  std::unique_ptr<GeneralSection> general_;
  std::unique_ptr<PaperCutSection> cut_;
};

TEST_F(SectionsTest, DensitySnapsByScrollCode) {
  struct Case {
    int dropped, code, stored;
  };
  const Case cases[] = {
      {101, kTbThumbPosition, 105},
      {104, kTbThumbPosition, 100},
      {102, kTbThumbPosition, 102},
      {102, 8, 100},
      {103, 0, 105},
      {111, 8, 110},  // the record's own value: nothing stored
  };
  MakeGeneral();
  for (const Case& c : cases) {
    s().byDensity = 110;
    windows_.ClearMessages();
    Drag(IDC_GENERAL_DENSITY_SLIDER, c.dropped, c.code);
    EXPECT_EQ(s().byDensity, c.stored) << c.dropped << " code " << c.code;
    EXPECT_EQ(C(IDC_GENERAL_DENSITY_SLIDER).track_pos, c.stored);
    EXPECT_EQ(Count(kDsmRedrawPreview), c.stored == 110 ? 0 : 1);
  }
}

TEST_F(SectionsTest, ReductionScaleFromTheFormWidth) {
  struct Case {
    LONG form;
    int row;  // Fit 80mm, Fit 58mm
    int scale;
  };
  // 58 mm on 80 mm paper: 124, clamped; a form without width, and one the
  // spooler does not know: nothing divided, nothing changed.
  const Case cases[] = {{1, 1, 90}, {2, 2, 93}, {2, 1, 100}, {3, 1, 50}, {4, 2, 50}};
  MakeGeneral();
  for (const Case& c : cases) {
    form_item_.Sel = c.form;
    s().byReduction = 3;  // from Scale: no question
    s().byReductionScale = 50;
    s().byDensity = 100;
    windows_.Send(window_, kDsmApplyPreset, 0, 0);  // reloads the record
    Pick(IDC_GENERAL_REDUCTION_COMBO, c.row);
    EXPECT_EQ(s().byReductionScale, c.scale) << c.form << "/" << c.row;
    const bool failed = c.form >= 3;
    // A Fit mode that cannot be worked out is taken back.
    EXPECT_EQ(s().byReduction * 10 + C(IDC_GENERAL_REDUCTION_COMBO).combo_selected,
              failed ? 33 : c.row * 11);
    // The scale box and slider follow the record; the slider only in Scale.
    EXPECT_EQ(C(IDC_GENERAL_REDUCTION_SLIDER).track_pos, c.scale);
    EXPECT_EQ(C(IDC_GENERAL_REDUCTION_BOX).text, Utf8ToUtf16(std::to_string(c.scale)));
    EXPECT_EQ(C(IDC_GENERAL_REDUCTION_SLIDER).enabled, failed);
  }
}

TEST_F(SectionsTest, LeavingFrontToBackOrNoneAsksAndCancelStoresNothing) {
  MakeGeneral();
  const PrivateSettings before = s();
  boxes_.answer = kIdCancel;
  Pick(IDC_GENERAL_DIRECTION_COMBO, 1);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(C(IDC_GENERAL_DIRECTION_COMBO).combo_selected, 0);
  EXPECT_EQ(std::memcmp(&before, &s(), sizeof before), 0);
  EXPECT_EQ(Count(kDsmUserPreset) + Count(kDsmRedrawPreview), 0);

  boxes_.answer = kIdOk;
  Pick(IDC_GENERAL_DIRECTION_COMBO, 1);
  EXPECT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(s().byDirection * 10 + s().byDirectionCopy, 22);
  EXPECT_EQ(ui_.bIpdFontUsable, 0u);
  // Device fonts are off now: Reduction no longer asks.
  Pick(IDC_GENERAL_REDUCTION_COMBO, 3);
  EXPECT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(s().byReduction, 3);
}

TEST_F(SectionsTest, ArrowRepeatsWhileHeldAfterTheFirstWait) {
  MakeGeneral();
  s().byDensity = 70;
  windows_.Send(window_, kDsmApplyPreset, 0, 0);
  const std::uint32_t start = clock_.ticks;
  windows_.cursor_over = C(IDC_GENERAL_DENSITY_RIGHT).window;
  windows_.left_button_down = true;
  windows_.Send(window_, kWmMouseActivate, 0, static_cast<LPARAM>(kWmLButtonDown) << 16);
  ASSERT_TRUE(windows_.IsTimerRunning(window_, kArrowRepeatTimer));
  EXPECT_EQ(windows_.capture, window_);
  struct Tick {
    std::uint32_t at;  // since the press
    bool over;
    int density;
  };
  const Tick ticks[] = {
      {800, true, 70},   {801, true, 75},  // the first wait: more than 800 ms
      {901, true, 75},   {902, true, 80},  // then more than 100 ms
      {1003, false, 80}, {1004, true, 80}  // off the button: no step, the time runs on
  };
  for (const Tick& t : ticks) {
    clock_.ticks = start + t.at;
    windows_.cursor_over = t.over ? C(IDC_GENERAL_DENSITY_RIGHT).window : nullptr;
    windows_.FireTimer(window_, kArrowRepeatTimer);
    EXPECT_EQ(s().byDensity, t.density) << t.at;
  }
  windows_.left_button_down = false;
  clock_.ticks += 500;
  windows_.FireTimer(window_, kArrowRepeatTimer);
  EXPECT_FALSE(windows_.IsTimerRunning(window_, kArrowRepeatTimer));
  EXPECT_EQ(windows_.capture, nullptr);
}

TEST_F(SectionsTest, CorrectionEditIsPutRightBeforeItIsStored) {
  struct Case {
    std::u16string typed, shown;
    int stored;  // -1000: nothing stored
  };
  const Case cases[] = {{u"5-", u"5", -1000},
                        {u"-80", u"-74", -74},
                        {u"300", u"255", 255},
                        {u"", u"0", 0},
                        {u"-", u"-", 0}};
  s().byMarkedPaperFeed = 1;
  s().sFormFeedCorrect = 7;
  MakePaperCut();
  EXPECT_EQ(C(IDC_CUT_CORRECT_EDIT).text, u"7");
  for (const Case& c : cases) {
    s().sFormFeedCorrect = 7;
    windows_.ClearMessages();
    EditTo(c.typed);
    EXPECT_EQ(C(IDC_CUT_CORRECT_EDIT).text, c.shown);
    EXPECT_EQ(s().sFormFeedCorrect, c.stored == -1000 ? 7 : c.stored);
    EXPECT_EQ(Count(kDsmRedrawPreview), c.stored == -1000 ? 0 : 1);
  }
}

}  // namespace
}  // namespace kvt
