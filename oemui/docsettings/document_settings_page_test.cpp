// The Document Settings page with its three sections on fake windows: the
// sheet, the page and the sections exchange their messages as under the
// dialog manager, and the framework's items, the spooler, the resource
// library, the message box and the logs are fakes.
#include "oemui/docsettings/document_settings_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/option_items.h"
#include "oemui/docsettings/preset_sections.h"
#include "oemui/docsettings/section_fakes.h"
#include "oemui/page_test.h"

namespace kvt {
namespace {

// What the framework offers on its form item, and the driver's calls.
struct DriverItems {
  std::u16string forms[3] = {u"Roll Paper 80 x 297 mm", u"A4", u"Roll Paper 58 x 297 mm"};
  OPTPARAM form_params[3] = {};
  OPTPARAM orientation_params[2] = {};
  OPTTYPE form_type = {};
  OPTTYPE orientation_type = {};
  OPTITEM items[2] = {};
  DriverItems() {
    for (int i = 0; i < 3; ++i) form_params[i].pData = reinterpret_cast<LPTSTR>(forms[i].data());
    form_type.Count = 3;
    form_type.pOptParam = form_params;
    orientation_type.Count = 2;
    orientation_type.pOptParam = orientation_params;
    items[0].DMPubID = kDmPubOrientation;
    items[0].pOptType = &orientation_type;
    items[1].DMPubID = kDmPubFormName;
    items[1].pOptType = &form_type;
  }
  OPTITEM& orientation() { return items[0]; }
  OPTITEM& form() { return items[1]; }
};

std::vector<const void*> g_updates;
BOOL APIENTRY RecordUpdate(PVOID, PVOID item, DWORD previous, DWORD mode) {
  EXPECT_EQ(previous, 0u);
  EXPECT_EQ(mode, abi::OEMCUIP_DOCPROP);
  g_updates.push_back(item);
  return 1;
}

// The module's own texts all read "%d" (a label or a number format alike);
// the resource library's come from the fake.
class ModuleTexts final : public StringTable {
 public:
  explicit ModuleTexts(FakeStringTable& library) : library_(library) {}
  bool Load(ModuleHandle module, std::uint32_t id, std::size_t capacity,
            std::u16string* text) override {
    if (module != ModuleInstance()) return library_.Load(module, id, capacity, text);
    *text = u"%d";
    return true;
  }

 private:
  FakeStringTable& library_;
};

class DocumentSettingsPageTest : public PageTest {
 protected:
  DocumentSettingsPageTest() {
    g_updates.clear();
    forms_.Add(u"Roll Paper 80 x 297 mm", 80000, 297000);
    forms_.Add(u"Roll Paper 58 x 297 mm", 58000, 297000);
    forms_.Add(u"A4", 210000, 297000);
    ModuleHandle resources = libraries_.AddLibrary(libraries_.own_folder + u"\\KvtQvj2Res.dll");
    strings_.Add(resources, 10000, u"Roll Paper 80 x 297 mm");
    strings_.Add(resources, 10001, u"Roll Paper 58 x 297 mm");
    strings_.Add(resources, 10012, u"A4");
    for (std::uint32_t id : {223u, 224u, 225u, 229u, 230u, 231u, 232u, 215u, 216u, 217u, 218u, 219u,
                             220u, 221u, 222u, 246u}) {
      pictures_.bitmaps[{ModuleInstance(), id}] = BitmapPixels{200, 210, {}};
      pictures_.bitmaps[{ModuleInstance(), id}].rows.assign(DibStride(200, 24) * 210, 0xFF);
    }
    context_.WorkingSettings.byPreset = 6;
    context_.AppliedSettings = context_.WorkingSettings;
    procs_.DrvUpdateUISetting = &RecordUpdate;
    ui_object_.pOemUIProcs = &procs_;
    cuip_.poemuiobj = &ui_object_;
    cuip_.pDrvOptItems = driver_.items;
    cuip_.cDrvOptItems = 2;
    driver_.form().Sel = 1;  // A4

    windows_.AddControl(page_window_, 1058, {260, 10, 530, 34});
    windows_.AddControl(page_window_, 1061, {260, 40, 530, 410});
    // The General and Paper Cut sections are the real ones with their
    // controls; the Option section is the preset-only one.
    AddSection(105, {1}, &section_width_, 300,
               [this](HWND window, DialogPort& port, PageContext* c) {
                 AddGeneralControls(windows_, window);
                 auto section = std::make_shared<GeneralSection>(port, c);
                 EXPECT_EQ(section->OnInit(), 0u);
                 return section;
               });
    AddSection(103, {1}, &section_width_, 300,
               [this](HWND window, DialogPort& port, PageContext* c) {
                 AddPaperCutControls(windows_, window);
                 auto section = std::make_shared<PaperCutSection>(port, c);
                 EXPECT_EQ(section->OnInit(), 0u);
                 return section;
               });
    AddSection(104, {1}, &section_width_, 300, [](HWND, DialogPort& port, PageContext* c) {
      return std::make_shared<PresetSection>(port, c, SectionKind::kOption);
    });
    page_ = std::make_unique<DocumentSettingsPage>(*port_, &context_, SectionProcedures{});
    Route(page_.get());
  }

  std::uint32_t Init() {
    std::uint32_t code = page_->OnInit();
    if (code == 0 && windows_.IsTimerRunning(page_window_, kFinishInitTimer)) {
      bool handled = false;
      code = page_->Dispatch(kWmTimer, kFinishInitTimer, 0, &handled);
    }
    windows_.Pump();
    windows_.ClearMessages();
    return code;
  }
  void Pick(int row) { windows_.PickComboRow(page_window_, 1058, row); }

  ModuleTexts texts_{strings_};
  ScopedService<StringTable> use_texts_{texts_};
  DriverItems driver_;
  OEMUIPROCS procs_ = {};
  OEMUIOBJ ui_object_ = {};
  int section_width_ = 240;
  std::unique_ptr<DocumentSettingsPage> page_;
};

TEST_F(DocumentSettingsPageTest, WithoutPermissionEverythingButListAndPictureIsDisabled) {
  context_.bCanChange = 0;
  ASSERT_EQ(Init(), 0u);
  EXPECT_FALSE(Page(1058).enabled || Page(1061).enabled);
  // Sections made later are disabled as they are made.
  windows_.Send(page_window_, kDsmShowSection, 13, 0);
  windows_.Send(page_window_, kDsmShowSection, 8, 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(windows_.Control(page_->section(i), 1)->enabled) << i;
  }
  EXPECT_TRUE(Page(1050).enabled);
}

TEST_F(DocumentSettingsPageTest, UnreadablePrinterShowsItsCodeAndCancelsTheSheet) {
  ExpectUnreadablePrinterCancelsTheSheet(*page_);
}

// A preset choice: the question for the reductions, the driver's form and
// orientation, the sections' fields.
TEST_F(DocumentSettingsPageTest, PresetChoices) {
  struct Case {
    int row;
    int answer;  // 0: no question expected
    std::uint8_t preset;
    LONG form;  // the form item's selection afterwards
    std::uint8_t paper_cut, feed_to_cut, marked, reduction, scale, start_drawer;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 1, 1, 0, 0, 100, 1},  // the form at the first position
      {1, 0, 1, 2, 1, 1, 0, 0, 100, 1},    {2, 0, 2, 0, 3, 0, 1, 0, 100, 0},
      {4, kIdOk, 4, 1, 3, 1, 0, 1, 34, 0},  // A4 under 72 mm: 34%
      {5, kIdOk, 5, 1, 3, 1, 0, 2, 25, 0},
  };
  ASSERT_EQ(Init(), 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    windows_.Send(page_window_, kDsmUserPreset, 0, 0);
    PrivateSettings& working = context_.WorkingSettings;
    working.byWatermark = c.answer != 0 ? 0 : 1;  // the question needs it off
    working.byReduction = 0;
    working.optionGroups[kPageEnd].nCommandLength = 3;
    driver_.form().Sel = 1;
    driver_.orientation().Sel = 1;
    ui_.bLandscape = 0;
    ui_.bIpdFontUsable = 1;
    boxes_.boxes.clear();
    g_updates.clear();
    windows_.ClearMessages();
    Pick(c.row);
    const PrivateSettings& s = context_.WorkingSettings;
    EXPECT_EQ(boxes_.boxes.size(), c.answer != 0 ? 1u : 0u);
    EXPECT_EQ(driver_.form().Sel * 10 + driver_.orientation().Sel, c.form * 10);
    std::vector<const void*> updates = {&driver_.orientation()};
    if (c.form != 1) updates.insert(updates.begin(), &driver_.form());
    EXPECT_EQ(g_updates, updates);
    EXPECT_EQ(
        (std::vector<int>{
            s.byPreset, s.byWatermark, s.byPaperCut, s.byFeedToCut, s.byMarkedPaperFeed,
            s.byReduction, s.byReductionScale, s.optionGroups[kPrintStart].byDrawer,
            s.optionGroups[kPageEnd].nCommandLength, s.optionGroups[kPrintEnd].wDrawerOffTime}),
        (std::vector<int>{c.preset, 0, c.paper_cut, c.feed_to_cut, c.marked, c.reduction, c.scale,
                          c.start_drawer, 0, 200}));
    EXPECT_EQ(Count(sheet_, kPsmChanged), 1);
    // The sections hear the preset in order: general, paper cut, option.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Count(page_->section(i), kDsmApplyPreset), 1);
  }
}

TEST_F(DocumentSettingsPageTest, CancelledReductionAndTheSameRowChangeNothing) {
  context_.WorkingSettings.byPreset = 1;
  ASSERT_EQ(Init(), 0u);
  const PrivateSettings before = context_.WorkingSettings;
  boxes_.answer = kIdCancel;
  Pick(4);
  EXPECT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(std::memcmp(&before, &context_.WorkingSettings, sizeof before), 0);
  EXPECT_TRUE(g_updates.empty());

  windows_.ClearMessages();
  Pick(1);
  for (const FakeMessage& m : windows_.Messages()) {
    EXPECT_TRUE(m.target == page_window_) << "the same row sent " << m.message;
  }
  EXPECT_EQ(std::memcmp(&before, &context_.WorkingSettings, sizeof before), 0);
}

TEST_F(DocumentSettingsPageTest, ActivationAfterThePaperChangedSwitchesToUserSetting) {
  context_.WorkingSettings.byPreset = 4;
  context_.WorkingSettings.byReduction = 1;
  driver_.form().Sel = 1;  // A4, the preset's own form
  ASSERT_EQ(Init(), 0u);
  Notify(kPsnSetActive);
  EXPECT_EQ(context_.WorkingSettings.byPreset, 4);
  EXPECT_EQ(context_.WorkingSettings.byReductionScale, 34);  // always recomputed

  driver_.form().Sel = 0;  // 80 mm roll chosen on the driver's page
  Notify(kPsnSetActive);
  EXPECT_EQ(Page(1058).combo_selected, 6);
  EXPECT_EQ(context_.WorkingSettings.byReductionScale, 90);

  context_.WorkingSettings.byPreset = 0;
  driver_.form().Sel = 0;
  ui_.bChangedOutside = 1;
  Notify(kPsnSetActive);
  EXPECT_EQ(context_.WorkingSettings.byPreset, 6);
  EXPECT_EQ(ui_.bChangedOutside, 0u);
}

TEST_F(DocumentSettingsPageTest, SectionsAndEventsFollowTheListAndRefuseUnknownIds) {
  ASSERT_EQ(Init(), 0u);
  windows_.Send(page_window_, kDsmShowSection, 24, 0);
  EXPECT_TRUE(windows_.IsShown(page_->section(kOptionSection)));
  ASSERT_EQ(windows_.MessagesTo(page_->section(kOptionSection), kDsmSelectEvent).size(), 1u);
  EXPECT_EQ(windows_.MessagesTo(page_->section(kOptionSection), kDsmSelectEvent)[0].wparam, 1u);
  windows_.Send(page_window_, kDsmEventSelected, 3, 0);
  EXPECT_EQ(Page(1050).tree.current(), 38u);

  // An event past the four is refused before it is kept; so is an item
  // that opens no section.
  EXPECT_EQ(windows_.Send(page_window_, kDsmEventSelected, 4, 0), 107);
  EXPECT_EQ(page_->current_event(), 3u);
  EXPECT_EQ(windows_.Send(page_window_, kDsmShowSection, 2, 0), 107);
  EXPECT_EQ(page_->current_item(), 38u);
  EXPECT_EQ(boxes_.boxes.size(), 2u);
}

TEST_F(DocumentSettingsPageTest, ApplyLogsFiveDumpsAndReportsOkOnce) {
  TurnDriverLogOn();
  ASSERT_EQ(Init(), 0u);
  context_.WorkingSettings.byDensity = 130;
  Notify(kPsnApply);
  EXPECT_EQ(context_.AppliedSettings.byDensity, 130);
  EXPECT_EQ(SheetResults(), std::vector<LPARAM>{kFontPageHandle});
  const std::string log = files.Content(kLogPath);
  const char* titles[] = {"[General/Cut/Mark]", "[Option/StartDoc]", "[Option/StartPage]",
                          "[Option/EndPage]", "[Option/EndDoc]"};
  std::size_t at = 0;
  for (const char* title : titles) {
    at = log.find(std::string("(Doc Format) DocFormat Apply ") + title, at);
    ASSERT_NE(at, std::string::npos) << title << "\n" << log;
  }
  EXPECT_NE(log.find("Output data dump. (20 byte)"), std::string::npos);
}

}  // namespace
}  // namespace kvt
