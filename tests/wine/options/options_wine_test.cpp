// The option items and the printer initialisation on wine's spooler:
// PrinterEvent's printer data read back with GetPrinterDataW, the form-size
// query against the printer's real form list, and the option items chosen
// on the sheet host's Advanced page, which calls the plug-in's callback.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/form_size.h"
#include "core/option_items.h"
#include "platform/wide_text.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/advanced_page.h"
#include "tools/sheet_host/window_automation.h"

namespace {

using kvt::testbed::CreatePlugin;

using kvt::testbed::BesideThisProgram;
using kvt::testbed::kReceiptPrinter;

constexpr DWORD kHostTimeoutMs = 90000;

struct Value {
  DWORD status = 0;
  DWORD type = 0;
  DWORD size = 0;
  std::vector<BYTE> bytes;
};

Value ReadValue(HANDLE printer, const wchar_t* name) {
  Value value;
  value.bytes.assign(256, 0);
  value.status = GetPrinterDataW(printer, const_cast<wchar_t*>(name), &value.type,
                                 value.bytes.data(), 256, &value.size);
  return value;
}

std::wstring StoredGuid(HANDLE printer) {
  const Value value = ReadValue(printer, L"UtilityGUID");
  if (value.status != ERROR_SUCCESS) return L"(error " + std::to_wstring(value.status) + L")";
  // The buffer was zero filled, so the text ends whether or not a
  // terminator was stored.
  return reinterpret_cast<const wchar_t*>(value.bytes.data());
}

TEST(PrinterEvent, InitialisationWritesANewGuidAndSwitchesReprintOff) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  DWORD on = 1;
  ASSERT_EQ(SetPrinterDataW(printer.get(), const_cast<wchar_t*>(L"AutoReprint"), REG_DWORD,
                            reinterpret_cast<BYTE*>(&on), sizeof on),
            ERROR_SUCCESS);

  std::wstring name = kReceiptPrinter;
  ASSERT_EQ(plugin->PrinterEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
  const Value guid = ReadValue(printer.get(), L"UtilityGUID");
  ASSERT_EQ(guid.status, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(guid.type, static_cast<DWORD>(REG_SZ));
  // Written as 76 bytes, without the terminator. Wine's registry adds one
  // to a REG_SZ that lacks it (Windows keeps what was written), so the
  // value reads back as 78 bytes here.
  EXPECT_EQ(guid.size, 78u);
  const std::wstring first = StoredGuid(printer.get());
  ASSERT_EQ(first.size(), 38u);
  EXPECT_EQ(first.front(), L'{');
  EXPECT_EQ(first.back(), L'}');
  const Value reprint = ReadValue(printer.get(), L"AutoReprint");
  ASSERT_EQ(reprint.status, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(reprint.type, static_cast<DWORD>(REG_DWORD));
  ASSERT_EQ(reprint.size, 4u);
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(reprint.bytes.data()), 0u);

  ASSERT_EQ(plugin->PrinterEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
  const std::wstring second = StoredGuid(printer.get());
  EXPECT_EQ(second.size(), 38u);
  EXPECT_NE(second, first);
  plugin->Release();
}

DWORD StoredAutoReprint(HANDLE printer) {
  const Value value = ReadValue(printer, L"AutoReprint");
  return value.status == ERROR_SUCCESS && value.size == 4
             ? *reinterpret_cast<const DWORD*>(value.bytes.data())
             : 0xFFFFFFFF;
}

// The device tree's item with the module's own strings, the spooler's
// printer data and a real message box: enabling warns once, titled with
// the caption of the page's parent, and stores the choice.
TEST(DeviceItems, EnablingAutoReprintWarnsOnceAndStoresTheChoice) {
  IPrintOemUI* plugin = CreatePlugin();
  ASSERT_NE(plugin, nullptr);
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  DWORD off = 0;
  ASSERT_EQ(SetPrinterDataW(printer.get(), const_cast<wchar_t*>(L"AutoReprint"), REG_DWORD,
                            reinterpret_cast<BYTE*>(&off), sizeof off),
            ERROR_SUCCESS);

  kvt::testbed::DeviceItemsBlock items(printer.get(), kReceiptPrinter);
  OPTITEM& framework_item = items.framework_item;
  OPTITEM& item = items.item;
  OEMCUIPPARAM& block = items.block;
  ASSERT_EQ(plugin->CommonUIProp(kvt::abi::OEMCUIP_PRNPROP, &block), S_OK);
  ASSERT_NE(item.pName, nullptr);
  EXPECT_STREQ(item.pName, L"Auto reprint after error recovery");
  EXPECT_EQ(item.Sel, 0);
  EXPECT_EQ(framework_item.Flags & 0x82u, 0x82u);
  ASSERT_NE(block.OEMCUIPCallback, nullptr);

  HWND parent = CreateWindowExW(0, L"STATIC", L"KVT QV-J27 Receipt Properties", WS_OVERLAPPED, 0, 0,
                                200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 100, parent, nullptr, nullptr,
                              nullptr);
  kvt::tools::MessageBoxAnswerer answerer(IDOK);
  item.Sel = 1;
  for (int round = 0; round < 2; ++round) {
    CPSUICBPARAM callback = {};
    callback.cbSize = sizeof callback;
    callback.Reason = CPSUICB_REASON_APPLYNOW;
    callback.hDlg = page;
    callback.pOptItem = &item;
    callback.cOptItem = 1;
    EXPECT_EQ(block.OEMCUIPCallback(&callback, &block), CPSUICB_ACTION_ITEMS_APPLIED);
    EXPECT_EQ(callback.Result, static_cast<ULONG_PTR>(CPSUI_OK));
    EXPECT_EQ(StoredAutoReprint(printer.get()), 1u);
  }
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].title, L"KVT QV-J27 Receipt Properties");
  EXPECT_EQ(answerer.seen()[0].text.rfind(L"To use \"Auto reprint after error recovery\" with "
                                          L"enable,\r\nplease disable \"Near End Error\"",
                                          0),
            0u)
      << testing::PrintToString(answerer.seen()[0].text);
  DestroyWindow(parent);
  plugin->Release();
}

// The framework's form item as the form-size query reads it.
struct FormItem {
  explicit FormItem(std::wstring form) : name(std::move(form)) {
    param.cbSize = sizeof param;
    param.pData = name.data();
    type.cbSize = sizeof type;
    type.Count = 1;
    type.pOptParam = &param;
    item.cbSize = sizeof item;
    item.DMPubID = kvt::kDmPubFormName;
    item.pOptType = &type;
    block.cbSize = sizeof block;
    block.pDrvOptItems = &item;
    block.cDrvOptItems = 1;
  }
  std::wstring name;
  OPTPARAM param = {};
  OPTTYPE type = {};
  OPTITEM item = {};
  OEMCUIPPARAM block = {};
};

std::vector<FORM_INFO_1W> Forms(HANDLE printer, std::vector<BYTE>* storage) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
  storage->assign(needed, 0);
  if (needed == 0 || !EnumFormsW(printer, 1, storage->data(), needed, &needed, &count)) return {};
  const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(storage->data());
  return std::vector<FORM_INFO_1W>(forms, forms + count);
}

TEST(FormSize, RealFormsGiveTheirSizeInTenthsOfAMillimetre) {
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  FormItem a4(L"A4");
  kvt::FormSize size;
  ASSERT_EQ(kvt::QueryFormSize(printer.get(), &a4.block, &size), kvt::kFormSizeOk);
  EXPECT_EQ(size.width, 2100);
  EXPECT_EQ(size.height, 2970);

  // The package's roll forms cannot be added under wine (see below), so
  // the receipt case takes the narrowest form the printer offers.
  std::vector<BYTE> storage;
  const std::vector<FORM_INFO_1W> forms = Forms(printer.get(), &storage);
  ASSERT_FALSE(forms.empty());
  const FORM_INFO_1W narrowest = *std::min_element(
      forms.begin(), forms.end(),
      [](const FORM_INFO_1W& a, const FORM_INFO_1W& b) { return a.Size.cx < b.Size.cx; });
  FormItem narrow(narrowest.pName);
  ASSERT_EQ(kvt::QueryFormSize(printer.get(), &narrow.block, &size), kvt::kFormSizeOk);
  EXPECT_EQ(size.width, narrowest.Size.cx / 100);
  EXPECT_EQ(size.height, narrowest.Size.cy / 100);
  EXPECT_LT(size.width, 2100) << "narrowest form: " << testing::PrintToString(narrow.name);

  FormItem unknown(L"No Such Form");
  EXPECT_EQ(kvt::QueryFormSize(printer.get(), &unknown.block, &size), kvt::kFormSizeUnreadable);
}

// Wine 8's AddFormW answers TRUE and keeps nothing: GetFormW then fails with
// ERROR_INVALID_FORM_NAME. So the test bed's roll forms are not readable
// either, and the form-size query answers 202 for them.
TEST(FormSize, WineAddFormStoresNothing) {
  kvt::testbed::Printer printer(kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  FORM_INFO_1W form = {};
  form.Flags = FORM_PRINTER;
  form.pName = const_cast<wchar_t*>(L"KVT Pinned Receipt 72 x 200 mm");
  form.Size = {72000, 200000};
  form.ImageableArea = {0, 0, 72000, 200000};
  EXPECT_TRUE(AddFormW(printer.get(), 1, reinterpret_cast<BYTE*>(&form)));
  DWORD needed = 0;
  SetLastError(0);
  EXPECT_FALSE(GetFormW(printer.get(), form.pName, 1, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
  EXPECT_EQ(needed, 0u);

  FormItem roll(L"Roll Paper 80 x 297 mm");
  kvt::FormSize size;
  EXPECT_EQ(kvt::QueryFormSize(printer.get(), &roll.block, &size), kvt::kFormSizeUnreadable);
}

OPTITEM Item(BYTE dmpub_id, DWORD flags, OPTTYPE* type = nullptr, LONG selection = 0) {
  OPTITEM item = {};
  item.cbSize = sizeof item;
  item.DMPubID = dmpub_id;
  item.Flags = flags;
  item.pOptType = type;
  item.Sel = selection;
  return item;
}

// Hidden items take no ids, and the orientation list keeps id 1232 wherever
// the orientation item stands among the shown ones.
TEST(AdvancedRows, OrientationListKeepsItsIdAroundHiddenItems) {
  std::vector<OPTITEM> tree = {Item(DMPUB_FORMNAME, 0), Item(DMPUB_DEFSOURCE, OPTIF_HIDE),
                               Item(DMPUB_ORIENTATION, 0), Item(DMPUB_ORIENTATION, 0),
                               Item(101, 0)};
  const auto rows = kvt::tools::LayOutAdvancedRows({tree.data(), 5}, 1232);
  ASSERT_EQ(rows.size(), 4u);
  const std::vector<std::pair<const OPTITEM*, int>> expected = {
      {&tree[0], 1229}, {&tree[2], 1231}, {&tree[3], 1233}, {&tree[4], 1235}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].item, expected[i].first) << i;
    EXPECT_EQ(rows[i].label_id, expected[i].second) << i;
    EXPECT_EQ(rows[i].list_id, expected[i].second + 1) << i;
  }
}

// A list row and the item's selection, both ways: a range item's rows are
// its values, a choice item's rows its choices, an item without choices
// has its name as its only row and keeps its selection.
TEST(AdvancedRows, RowsMapToSelections) {
  wchar_t portrait[] = L"Portrait";
  wchar_t landscape[] = L"Landscape";
  OPTPARAM choices[2] = {};
  choices[0].pData = portrait;
  choices[1].pData = landscape;
  OPTTYPE two = {};
  two.Type = TVOT_2STATES;
  two.Count = 2;
  two.pOptParam = choices;
  OPTPARAM range[2] = {};
  range[1].IconID = 1;
  range[1].lParam = 999;
  OPTTYPE copies = {};
  copies.Type = TVOT_UDARROW;
  copies.Count = 2;
  copies.pOptParam = range;
  wchar_t name[] = L"Extra";
  OPTITEM bare = Item(0, 0, nullptr, 7);
  bare.pName = name;

  struct Case {
    OPTITEM item;
    int rows;
    int row_of_selection;
    int row;
    LONG selection_of_row;
    std::wstring text_of_row;
  };
  const Case cases[] = {
      {Item(1, 0, &two, 1), 2, 1, 0, 0, L"Portrait"},
      {Item(1, 0, &two, 2), 2, -1, 1, 1, L"Landscape"},
      {Item(3, 0, &copies, 5), 999, 4, 9, 10, L"10"},
      {Item(3, 0, &copies, 0), 999, -1, 0, 1, L"1"},
      {bare, 1, 0, 0, 7, L"Extra"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(kvt::Utf16ToUtf8(kvt::WideToUtf16(c.text_of_row))));
    EXPECT_EQ(kvt::tools::AdvancedRowCount(c.item), c.rows);
    EXPECT_EQ(kvt::tools::AdvancedRowOfSelection(c.item), c.row_of_selection);
    EXPECT_EQ(kvt::tools::AdvancedSelectionOfRow(c.item, c.row), c.selection_of_row);
    EXPECT_EQ(kvt::tools::AdvancedRowText(c.item, c.row), c.text_of_row);
  }
}

// One run of sheet_host.exe: its exit code and report.
struct HostRun {
  DWORD exit_code = 0;
  std::vector<std::string> lines;
  bool Has(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::string Report() const {
    std::string report;
    for (const auto& line : lines) report += line + "\n";
    return report;
  }
};

HostRun RunSheetHost(const std::wstring& arguments) {
  kvt::testbed::ProgramRun run =
      kvt::testbed::RunBesideThisProgram(L"sheet_host.exe", arguments, kHostTimeoutMs);
  return {run.exit_code, run.lines};
}

std::wstring PictureFolder() {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) {
    wchar_t temp[MAX_PATH];
    folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvt-options";
  }
  return folder + L"\\advanced";
}

// Wine shows no option-item tree, so the host shows the items on an
// Advanced page of its own; a row chosen in the page's real list reaches
// the plug-in's callback as from the framework's tree.
class AdvancedPage : public ::testing::Test {
 protected:
  // Each run opens a real sheet (seconds under wine): once for the suite.
  static void SetUpTestSuite() {
    chosen_ = new HostRun(RunSheetHost(L"--screenshots \"" + PictureFolder() +
                                       L"\" --item \"Head Drive=4\" --item Orientation=1"
                                       L" --answer ok --timeout 60"));
    // Cancel on the landscape question: the plug-in puts portrait back.
    refused_ =
        new HostRun(RunSheetHost(L"--item Orientation=1 --answer cancel --press ok --timeout 60"));
  }
  static void TearDownTestSuite() {
    delete chosen_;
    delete refused_;
  }

  static HostRun* chosen_;
  static HostRun* refused_;
};

HostRun* AdvancedPage::chosen_ = nullptr;
HostRun* AdvancedPage::refused_ = nullptr;

TEST_F(AdvancedPage, IsTheFourthPageWithAPicture) {
  EXPECT_EQ(chosen_->exit_code, 0u) << chosen_->Report();
  EXPECT_TRUE(chosen_->Has("page 4: Advanced")) << chosen_->Report();
  const std::wstring picture = PictureFolder() + L"\\page4.png";
  EXPECT_TRUE(chosen_->Has("screenshot: " + kvt::Utf16ToUtf8(kvt::WideToUtf16(picture))))
      << chosen_->Report();
  const std::string png = kvt::testbed::ReadFileBytes(picture);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
}

// The plug-in finds the orientation control on the page it is given by the
// item's first control and by the id 1232 of the framework's page.
TEST_F(AdvancedPage, OrientationListIsControl1232) {
  EXPECT_TRUE(chosen_->Has("advanced row Orientation: controls 1231, 1232")) << chosen_->Report();
}

TEST_F(AdvancedPage, HeadDriveChoiceReachesTheDocumentsRecord) {
  const HostRun& run = *chosen_;
  EXPECT_TRUE(run.Has("CommonUIProp: 0x00000000, 1 items of the plug-in")) << run.Report();
  EXPECT_TRUE(run.Has("option item Head Drive: Specified Value -> Dynamic 144dots, callback 0"))
      << run.Report();
  EXPECT_TRUE(run.Has("option items applied: callback 0, result 0")) << run.Report();
  EXPECT_TRUE(run.Has("plug-in item Head Drive: Dynamic 144dots")) << run.Report();
  EXPECT_TRUE(run.Has("advanced item Head Drive: 4 Dynamic 144dots")) << run.Report();
  EXPECT_TRUE(run.Has("record byHeadDrive: 4")) << run.Report();
}

// A framework item chosen on the page goes through the plug-in's
// orientation rule (its question, owned by the page) into the document.
TEST_F(AdvancedPage, LandscapeAnsweredOkReachesTheDocument) {
  const HostRun& run = *chosen_;
  EXPECT_TRUE(run.Has("option item Orientation: Portrait -> Landscape, callback 0"))
      << run.Report();
  EXPECT_TRUE(run.Has("advanced item Orientation: 1 Landscape")) << run.Report();
  EXPECT_TRUE(std::any_of(run.lines.begin(), run.lines.end(), [](const std::string& line) {
    return line.rfind("document after OK: orientation 2,", 0) == 0;
  })) << run.Report();
}

// The plug-in answers OPTIF_CHANGED (1) with portrait back in the item; the
// page shows it again, and the document stays portrait.
TEST_F(AdvancedPage, LandscapeCancelledPutsPortraitBackInTheList) {
  const HostRun& run = *refused_;
  EXPECT_EQ(run.exit_code, 0u) << run.Report();
  EXPECT_TRUE(run.Has("option item Orientation: Portrait -> Landscape, callback 1"))
      << run.Report();
  EXPECT_TRUE(
      std::any_of(run.lines.begin(), run.lines.end(),
                  [](const std::string& line) { return line.rfind("message box: ", 0) == 0; }))
      << "the list form always asks: " << run.Report();
  EXPECT_TRUE(run.Has("advanced item Orientation: 0 Portrait")) << run.Report();
  EXPECT_TRUE(run.Has("item Orientation: Portrait")) << run.Report();
  EXPECT_TRUE(run.Has("record byHeadDrive: 0")) << run.Report();
}

}  // namespace
