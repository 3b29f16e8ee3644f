// The option items as the framework drives them: CommonUIProp's builder,
// the document and device callbacks, the form-size query, and the release
// of what the builder handed over.
#include "core/option_items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/doc_ui_state.h"
#include "core/document_property_sheets.h"
#include "core/form_size.h"
#include "core/module_state.h"
#include "core/page_context.h"
#include "log/testing/sdk_log_capture.h"
#include "platform/fake/fake_forms.h"
#include "platform/fake/fake_local_heap.h"
#include "platform/fake/fake_printer_data.h"
#include "platform/fake/fake_string_table.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

std::u16string Text(const WCHAR* text) {
  return text == nullptr ? u"(null)" : std::u16string(reinterpret_cast<const char16_t*>(text));
}

HWND Window(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }

// The framework's own document items: orientation (radio buttons from
// control 1230 on), form, paper source, copies.
struct FrameworkItems {
  std::u16string form_names[3] = {u"Roll 80", u"A4", u"Tiny"};
  OPTPARAM forms[3] = {};
  OPTPARAM sources[2] = {};
  OPTPARAM orientations[2] = {};
  OPTTYPE form_type = {};
  OPTTYPE source_type = {};
  OPTTYPE orientation_type = {};
  OPTITEM items[4] = {};

  FrameworkItems() {
    for (int i = 0; i < 3; ++i) forms[i].pData = reinterpret_cast<LPTSTR>(form_names[i].data());
    form_type.Count = 3;
    form_type.pOptParam = forms;
    source_type.Count = 2;
    source_type.pOptParam = sources;
    orientation_type.Count = 2;
    orientation_type.BegCtrlID = 1230;
    orientation_type.pOptParam = orientations;
    items[0].DMPubID = kDmPubOrientation;
    items[0].pOptType = &orientation_type;
    items[1].DMPubID = kDmPubFormName;
    items[1].pOptType = &form_type;
    items[2].DMPubID = kDmPubDefaultSource;
    items[2].pOptType = &source_type;
    items[3].DMPubID = kDmPubCopiesCollate;
  }
};

class OptionItems : public ::testing::Test {
 protected:
  OptionItems() {
    const std::pair<std::uint32_t, const char16_t*> strings[] = {
        {9, u"Head Drive"},         {2030, u"Specified Value"},
        {2031, u"Fixed 2div."},     {2033, u"Fixed 4div."},
        {2040, u"Dynamic 64dots"},  {2039, u"Dynamic 144dots"},
        {2038, u"Dynamic 288dots"}, {2050, u"Auto reprint after error recovery"},
        {2051, u"Enable"},          {2052, u"Disable"},
        {2053, u"Near End Error"},
    };
    for (const auto& [id, text] : strings) strings_.Add(ModuleInstance(), id, text);
    printer_ = printers_.Add(u"KVT QV-J27 Receipt");
    forms_.Add(u"Roll 80", 80000, 297000);
    forms_.Add(u"A4", 210000, 297000);
    forms_.Add(u"Tiny", 50000, 100000);
    settings_.dwSize = sizeof settings_;
    public_dm_.dmSize = sizeof public_dm_;
    public_dm_.dmCopies = 3;

    block_.cbSize = sizeof block_;
    block_.hPrinter = printer_;
    block_.pPublicDM = &public_dm_;
    block_.pOEMDM = &settings_;
    block_.pDrvOptItems = framework_.items;
    block_.cDrvOptItems = 4;
    block_.pOEMOptItems = &plugin_item_;
    block_.cOEMOptItems = 1;
  }

  // Builds the document items and fills the DocUiState as the sheet's
  // set-up would.
  DocUiState* BuildDocument() {
    EXPECT_EQ(BuildOptionItems(abi::OEMCUIP_DOCPROP, &block_), S_OK);
    auto* state = static_cast<DocUiState*>(block_.pOEMUserData);
    if (state != nullptr) {
      working_ = settings_;
      state->pWorkingSettings = &working_;
      state->pPublicDM = &public_dm_;
    }
    return state;
  }

  LONG Call(WORD reason) {
    callback_ = {};
    callback_.cbSize = sizeof callback_;
    callback_.Reason = reason;
    callback_.hDlg = page_;
    callback_.pOptItem = framework_.items;
    callback_.cOptItem = 4;
    return block_.OEMCUIPCallback(&callback_, &block_);
  }

  void SetAutoReprint(std::uint8_t value) {
    printers_.SetBytes(printer_, u"AutoReprint", {value, 0, 0, 0});
  }
  std::vector<std::uint8_t> AutoReprint() {
    return static_cast<FakePrinterData::Printer*>(printer_)->values[u"AutoReprint"];
  }

  // Frees through the document sheet's release step, as the framework's
  // destroy reason does.
  void ReleaseThroughSheet() {
    auto* context = heap_.Make<PageContext>();
    context->pOemCuipParam = &block_;
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    info.UserData = reinterpret_cast<ULONG_PTR>(context);
    EXPECT_EQ(DocumentPropertySheets(&info, 0, nullptr, nullptr, DocumentPageSet{}), S_OK);
  }

  FakeLocalHeap heap_;
  FakeStringTable strings_;
  FakePrinterData printers_;
  FakeForms forms_;
  ScopedService<LocalHeap> use_heap_{heap_};
  ScopedService<StringTable> use_strings_{strings_};
  ScopedService<PrinterData> use_printers_{printers_};
  ScopedService<Forms> use_forms_{forms_};

  PrinterHandle printer_ = nullptr;
  HWND page_ = Window(0x500);
  PrivateSettings settings_ = {};
  PrivateSettings working_ = {};
  DEVMODEW public_dm_ = {};
  FrameworkItems framework_;
  OPTITEM plugin_item_ = {};
  OEMCUIPPARAM block_ = {};
  CPSUICBPARAM callback_ = {};
};

TEST_F(OptionItems, HeadDriveItemShowsTheRecordsRowAndCutsThePaperSources) {
  const struct {
    std::uint8_t head_drive;
    LONG row;
  } cases[] = {{3, 3}, {7, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.head_drive);
    settings_.byHeadDrive = c.head_drive;
    plugin_item_.Sel = -1;
    ASSERT_NE(BuildDocument(), nullptr);
    EXPECT_EQ(plugin_item_.Sel, c.row);
    ReleaseThroughSheet();
  }
  BuildDocument();
  EXPECT_EQ(Text(plugin_item_.pName), u"Head Drive");
  EXPECT_EQ(plugin_item_.DMPubID, kDmPubHeadDrive);
  ASSERT_NE(plugin_item_.pOptType, nullptr);
  ASSERT_EQ(plugin_item_.pOptType->Count, 6);
  EXPECT_EQ(Text(plugin_item_.pOptType->pOptParam[1].pData), u"Fixed 2div.");
  EXPECT_EQ(Text(plugin_item_.pOptType->pOptParam[4].pData), u"Dynamic 144dots");
  EXPECT_EQ(framework_.source_type.Count, 1);
}

TEST_F(OptionItems, ApplyWritesHeadDriveAndLandscapePresetToBothCopies) {
  settings_.byHeadDrive = 0;
  settings_.byPreset = 2;
  BuildDocument();
  plugin_item_.Sel = 4;  // "Dynamic 144dots"
  framework_.items[0].Sel = 1;
  EXPECT_EQ(Call(kCpsuicbReasonApplyNow), kCpsuicbActionNone);
  EXPECT_EQ(working_.byHeadDrive, 4);
  EXPECT_EQ(settings_.byHeadDrive, 4);
  EXPECT_EQ(working_.byPreset, 6);
  EXPECT_EQ(settings_.byPreset, 6);

  ReleaseThroughSheet();
}

TEST_F(OptionItems, ApplyRecomputesTheReductionScaleFromTheFormWidth) {
  const struct {
    const char* form;
    LONG form_row;
    std::uint8_t reduction;
    std::uint8_t stored_scale;
    std::uint8_t expected;
  } cases[] = {
      {"80 mm", 0, 1, 50, 90},  {"50 mm", 2, 1, 50, 100},  {"210 mm", 1, 3, 10, 25},
      {"210 mm", 1, 3, 60, 60}, {"210 mm", 1, 0, 50, 100},
  };
  DocUiState* state = BuildDocument();
  ASSERT_NE(state, nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.form << " reduction " << int{c.reduction});
    working_.byReduction = c.reduction;
    working_.byReductionScale = c.stored_scale;
    settings_.byReductionScale = 0;
    framework_.items[1].Sel = c.form_row;
    Call(kCpsuicbReasonApplyNow);
    EXPECT_EQ(working_.byReductionScale, c.expected);
    EXPECT_EQ(settings_.byReductionScale, c.expected);
  }

  // No width to divide by, or no form: the scale stays.
  working_.byReduction = 1;
  working_.byReductionScale = settings_.byReductionScale = 42;
  forms_.Add(u"Tiny", 0, 0);
  framework_.items[1].Sel = 2;
  Call(kCpsuicbReasonApplyNow);
  framework_.items[1].Sel = 3;
  Call(kCpsuicbReasonApplyNow);
  EXPECT_EQ(working_.byReductionScale, 42);
  EXPECT_EQ(settings_.byReductionScale, 42);
  ReleaseThroughSheet();
}

TEST_F(OptionItems, FormSizeQueryAnswersTenthsOrTheFailuresCode) {
  FormSize size;
  framework_.items[1].Sel = 1;
  ASSERT_EQ(QueryFormSize(printer_, &block_, &size), kFormSizeOk);
  EXPECT_EQ(size.width, 2100);
  forms_.Add(u"A4", 210099, 297001);  // rounds toward zero
  ASSERT_EQ(QueryFormSize(printer_, &block_, &size), kFormSizeOk);
  EXPECT_EQ(size.height, 2970);

  const struct {
    const char* what;
    HANDLE printer;
    LONG selection;
    bool no_memory;
    bool read_fails;
    std::uint32_t code;
  } cases[] = {
      {"negative selection", printer_, -1, false, false, 107},
      {"no memory", printer_, 1, true, false, 220},
      {"read fails", printer_, 1, false, true, 202},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    framework_.items[1].Sel = c.selection;
    heap_.fail_allocations = c.no_memory;
    forms_.fail_reads = c.read_fails;
    size = {7, 7};
    EXPECT_EQ(QueryFormSize(c.printer, &block_, &size), c.code);
    EXPECT_EQ(size.width, 7);
  }
  heap_.fail_allocations = forms_.fail_reads = false;
  // A selection past the list's count, though a name lies there in memory.
  framework_.form_type.Count = 2;
  framework_.items[1].Sel = 2;
  EXPECT_EQ(QueryFormSize(printer_, &block_, &size), kFormSizeNoForm);
  EXPECT_TRUE(heap_.live.empty());
}

TEST_F(OptionItems, DeviceItemShowsTheStoredChoiceAndHidesTheFrameworksItems) {
  // The builder's records go to the daily log: its step at debug level, a
  // value it cannot use at warning level with the lookup's error (an empty
  // value holds no choice: unreadable data).
  const struct {
    std::optional<std::vector<std::uint8_t>> stored;
    LONG selection;
    int error;  // 0: no warning
  } cases[] = {{{{1, 0, 0, 0}}, 1, 0}, {std::nullopt, 0, 2}, {{{}}, 0, 13}};
  std::u16string name = u"KVT QV-J27 Receipt";
  block_.pPrinterName = reinterpret_cast<PWSTR>(name.data());
  for (const auto& c : cases) {
    kvt::testing::SdkLogCapture daily_log;
    if (c.stored) {
      printers_.SetBytes(printer_, u"AutoReprint", *c.stored);
    } else {
      printers_.Remove(printer_, u"AutoReprint");
    }
    ASSERT_EQ(BuildOptionItems(abi::OEMCUIP_PRNPROP, &block_), S_OK);
    EXPECT_EQ(plugin_item_.Sel, c.selection);
    const std::vector<std::string> records = daily_log.Records();
    ASSERT_EQ(records.size(), c.error ? 2u : 1u);
    EXPECT_NE(records[0].find("] [D] ["), std::string::npos) << records[0];
    EXPECT_NE(records[0].find("] : [KVT QV-J27 Receipt] Fill out items.\r\n"), std::string::npos);
    if (c.error) {
      EXPECT_NE(records[1].find("] : Fail GetPrinterData [GLE:" + std::to_string(c.error) + "]"),
                std::string::npos)
          << records[1];
    }
    ReleaseThroughSheet();
  }
  BuildOptionItems(abi::OEMCUIP_PRNPROP, &block_);
  EXPECT_EQ(Text(plugin_item_.pName), u"Auto reprint after error recovery");
  ASSERT_NE(plugin_item_.pOptType, nullptr);
  EXPECT_EQ(plugin_item_.pOptType->Style, kOtsLbcbNoIcon16InItem);
  ASSERT_EQ(plugin_item_.pOptType->Count, 2);
  EXPECT_EQ(Text(plugin_item_.pOptType->pOptParam[0].pData), u"Disable");
  EXPECT_EQ(Text(plugin_item_.pOptType->pOptParam[1].pData), u"Enable");
  for (const OPTITEM& item : framework_.items) EXPECT_EQ(item.Flags & 0x82u, 0x82u);
  ReleaseThroughSheet();
}

// Enabling warns once and stores the choice, on the real spooler in the wine
// tests; here what that run does not reach: turning it off, other reasons,
// another item, no printer.
TEST_F(OptionItems, AutoReprintIsStoredOnlyWhenItsItemIsApplied) {
  SetAutoReprint(1);
  ASSERT_EQ(BuildOptionItems(abi::OEMCUIP_PRNPROP, &block_), S_OK);
  plugin_item_.Sel = 0;
  EXPECT_EQ(Call(kCpsuicbReasonApplyNow), kCpsuicbActionItemsApplied);
  EXPECT_EQ(AutoReprint(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(static_cast<FakePrinterData::Printer*>(printer_)->types[u"AutoReprint"], 4u);

  // No printer: nothing is stored.
  const int writes = printers_.writes;
  block_.hPrinter = nullptr;
  kvt::testing::SdkLogCapture daily_log;
  EXPECT_EQ(Call(kCpsuicbReasonApplyNow), kCpsuicbActionNone);
  // Only the daily log can take a record without a printer handle.
  ASSERT_EQ(daily_log.Records().size(), 1u);
  EXPECT_NE(daily_log.Records()[0].find("[E] "), std::string::npos);
  EXPECT_NE(daily_log.Records()[0].find("] : pOEMUIParam->hPrinter is NULL\r\n"),
            std::string::npos);
  EXPECT_EQ(printers_.writes, writes);
  ReleaseThroughSheet();
}

}  // namespace
}  // namespace kvt
