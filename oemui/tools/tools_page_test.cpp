#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "log/log_test_fixture.h"
#include "oemui/controls/fake_dialog_port.h"
#include "oemui/tools/gpd_version.h"
#include "oemui/tools/tools_dialog.h"
#include "oemui/tools/tools_page.h"
#include "platform/fake/fake_package_library.h"
#include "platform/fake/fake_spooler.h"
#include "platform/fake/fake_string_table.h"
#include "resources/tools_page_ids.h"

namespace kvt {
namespace {

TEST(GpdVersion, KeyLineGivesTheQuotedVersion) {
  const std::string long_line = std::string(250, ' ') + "*GPDFileVersion: \"9.9.9\"\n";
  struct Case {
    std::string text;
    std::uint32_t code;
    FileVersion version;
  } cases[] = {
      {"*GPDSpecVersion: \"1.0\"\r\n*GPDFileVersion: \"1.00.05\"\r\n", 0, {1, 0, 5, 0}},
      {"*GPDFileVersion: \"1.00.05\n", 107, {}},
      // Only the first 259 bytes of a line are looked at.
      {long_line, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FileVersion version{7, 7, 7, 7};
    EXPECT_EQ(ParseGpdFileVersion(c.text, &version), c.code);
    if (c.code != 0) continue;
    EXPECT_EQ(version.major, c.version.major);
    EXPECT_EQ(version.minor, c.version.minor);
    EXPECT_EQ(version.build, c.version.build);
  }
}

TEST(ToolsDriverTitle, VersionFromTheThreeHighPartsOrTheNameAlone) {
  const std::u16string format = u"%s\nPrinter Driver\n\nVersion %d.%d%d";
  EXPECT_EQ(DriverTitle(format, u"KVT QV-J27", true, 0x0001000200030004ull),
            u"KVT QV-J27\nPrinter Driver\n\nVersion 1.23");
  EXPECT_EQ(DriverTitle(format, u"KVT QV-J27", false, 0x0001000200030004ull),
            u"KVT QV-J27 Printer Driver");
}

constexpr int kButtons[] = {IDC_TOOLS_INFORMATION, IDC_TOOLS_MEMORY_SWITCH, IDC_TOOLS_LOG,
                            IDC_TOOLS_TEST_PRINT,  IDC_TOOLS_NV_IMAGE,      IDC_TOOLS_CODEPAGE,
                            IDC_TOOLS_OTHER};
constexpr char16_t kFolder[] = u"C:\\drivers\\x64\\3";

std::uint32_t g_utility_function = 99;
std::uint32_t g_utility_answer = 0;
std::uint32_t StandInUtility(void* block) {
  g_utility_function = static_cast<PrinterUtilityParam*>(block)->dwFunction;
  return g_utility_answer;
}

class ToolsDialogTest : public log::LogFixture {
 protected:
  ToolsDialogTest() {
    printer_ = printers.Add(u"KVT QV-J27 Receipt");
    spooler_.AddPrinter(printer_, {u"KVT QV-J27", Spooler::DriverNameStatus::kOk, 0});
    spooler_.FactsOf(printer_).driver_info_version = 0x0001000200030004ull;
    spooler_.print_processor_folder = u"C:\\processors";
    strings_.Add(ModuleInstanceToken(), IDS_TOOLS_DRIVER_TITLE,
                 u"%s\nPrinter Driver\n\nVersion %d.%d%d");
    libraries_.own_folder = kFolder;
    libraries_.system_folder = u"C:\\system32";
    cuip_.hPrinter = printer_;
    cuip_.pPrinterName = const_cast<WCHAR*>(reinterpret_cast<const WCHAR*>(u"KVT Receipt"));
    sheet_state_.pOemCuipParam = &cuip_;

    dialog_ = windows_.NewWindow(windows_.NewWindow(nullptr));
    windows_.ClientRect(dialog_) = {0, 0, 400, 300};
    windows_.AddControl(dialog_, IDC_TOOLS_PANEL_LINE, {150, 10, 152, 290});
    windows_.AddControl(dialog_, IDC_TOOLS_TITLE, {10, 10, 140, 60});
    for (int row = 0; row < kToolsVersionRows; ++row) {
      windows_.AddControl(dialog_, IDC_TOOLS_ROW_FIRST_LABEL + 2 * row,
                          {10, 100 + 12 * row, 60, 110 + 12 * row});
      windows_.AddControl(dialog_, IDC_TOOLS_ROW_FIRST_LABEL + 1 + 2 * row,
                          {60, 100 + 12 * row, 140, 110 + 12 * row});
    }
    for (int row = 0; row < kToolsButtonRows; ++row) {
      const int top = 10 + 40 * row;
      windows_.AddControl(dialog_, kButtons[row], {160, top, 230, top + 14});
      windows_.AddControl(dialog_, kButtons[row] + 1, {240, top, 420, top + 14});
      if (row + 1 < kToolsButtonRows) {
        windows_.AddControl(dialog_, row == 0 ? IDC_TOOLS_INFORMATION_LINE : kButtons[row] + 2,
                            {160, top + 30, 420, top + 31});
      }
    }
    port_ = std::make_unique<FakeDialogPort>(windows_, dialog_);
  }

  std::uint32_t Open(const ToolsModel* model = nullptr) {
    tools_ = std::make_unique<ToolsDialog>(*port_, &sheet_state_, ModuleInstanceToken(), model);
    return tools_->OnInit();
  }
  static HINSTANCE ModuleInstanceToken() { return reinterpret_cast<HINSTANCE>(0x400000); }
  FakeControl& C(int id) { return *windows_.Control(dialog_, id); }

  FakeSpooler spooler_;
  FakeStringTable strings_;
  FakePackageLibraryLoader libraries_;
  ScopedService<Spooler> use_spooler_{spooler_};
  ScopedService<StringTable> use_strings_{strings_};
  ScopedService<PackageLibraryLoader> use_libraries_{libraries_};
  PrinterHandle printer_ = nullptr;
  OEMCUIPPARAM cuip_ = {};
  DeviceSheetState sheet_state_;
  FakeWindows windows_;
  HWND dialog_ = nullptr;
  std::unique_ptr<FakeDialogPort> port_;
  std::unique_ptr<ToolsDialog> tools_;
};

TEST_F(ToolsDialogTest, VersionRowsReadEachFileFromItsFolder) {
  files.AddFile(std::u16string(kFolder) + u"\\KvtQvj2.gpd", "*GPDFileVersion: \"1.00.05\"\n");
  versions.Set(std::u16string(kFolder) + u"\\KvtQvj2Uni.dll", 2, 3, 4, 5);
  versions.Set(u"C:\\processors\\KvtQvj2Pp.dll", 6, 0, 1, 0);
  versions.Set(u"C:\\system32\\MXPQR_LM.dll", 1, 1, 1, 0);
  versions.Set(u"C:\\system32\\KvtQvj2Utl.dll", 3, 2, 1, 0);
  ASSERT_EQ(Open(), 0u);
  const char16_t* expected[] = {u": 1.0.5", u": 2.3.4", u": -----", u": 6.0.1",
                                u": 1.1.1", u": 3.2.1", u": -----"};
  for (int row = 0; row < kToolsVersionRows; ++row) {
    EXPECT_EQ(C(IDC_TOOLS_ROW_FIRST_LABEL + 1 + 2 * row).text, expected[row]) << row;
  }
  EXPECT_EQ(C(IDC_TOOLS_TITLE).text, u"KVT QV-J27\nPrinter Driver\n\nVersion 1.23");
  // Descriptions and separators end inside the right edge.
  EXPECT_EQ(C(IDC_TOOLS_LOG_TEXT).rect.right, 400 - 12);
  EXPECT_EQ(C(IDC_TOOLS_LOG_LINE).rect.right, 400 - 15);
}

TEST_F(ToolsDialogTest, ButtonsAreUsableOnlyWithBidiOnARealPort) {
  struct Case {
    const char16_t* port;
    bool bidi;
    bool enabled;
  } cases[] = {
      {u"USB001", true, true},
      {u"FILE:", true, false},
      {u"file:", true, false},
      {u"USB001", false, false},
  };
  ASSERT_EQ(Open(), 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.port, c.port + std::char_traits<char16_t>::length(c.port)));
    spooler_.FactsOf(printer_).port = c.port;
    spooler_.FactsOf(printer_).attributes = c.bidi ? kPrinterAttributeEnableBidi : 0;
    tools_->OnRefresh();
    for (int id : kButtons) EXPECT_EQ(C(id).enabled, c.enabled) << id;
  }
}

TEST_F(ToolsDialogTest, ButtonStartsTheUtilityByFullPathAndAnswersItsCode) {
  const ModuleHandle library = libraries_.AddLibrary(std::u16string(kFolder) + u"\\KvtQvj2Utl.dll");
  ASSERT_EQ(Open(), 0u);
  // The export missing: the library goes again without a call.
  EXPECT_EQ(tools_->OnCommand(IDC_TOOLS_LOG, kBnClicked), 108u);
  EXPECT_EQ(libraries_.freed, std::vector<ModuleHandle>{library});
  EXPECT_EQ(g_utility_function, 99u);

  libraries_.entries[{library, "DlgPrinterUtility"}] =
      reinterpret_cast<LibraryEntry>(&StandInUtility);
  g_utility_answer = 1001;
  EXPECT_EQ(tools_->OnCommand(IDC_TOOLS_NV_IMAGE, kBnClicked), 1001u);
  EXPECT_EQ(g_utility_function, 4u);
  EXPECT_EQ(libraries_.loads.front(), std::u16string(kFolder) + u"\\KvtQvj2Utl.dll");
  EXPECT_EQ(libraries_.freed.size(), 2u);
  // Only clicks count; an unknown control is 107.
  EXPECT_EQ(tools_->OnCommand(IDC_TOOLS_LOG, 5), 0u);
  EXPECT_EQ(tools_->OnCommand(IDC_TOOLS_TITLE, kBnClicked), 107u);
}

}  // namespace
}  // namespace kvt
