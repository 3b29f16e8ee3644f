// The printer's properties through the sheet host's device path, with the
// real plug-in: the Tools page shows the versions of the bed's package
// files, an older stored default device mode is replaced by the driver's,
// the buttons follow the printer's bidi attribute and port, and a button
// runs the stand-in utility, whose result code comes back as its message.
// A printer of the test's own keeps the others' settings as they are.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kvt_version.h"
#include "platform/wide_text.h"
#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

constexpr wchar_t kPrinter[] = L"KVT Tools Test";
constexpr DWORD kBidi = 0x800;  // PRINTER_ATTRIBUTE_ENABLE_BIDI

std::string Utf8(const std::wstring& text) { return kvt::Utf16ToUtf8(kvt::WideToUtf16(text)); }

// The printer's level-2 information, in a buffer of its own.
std::vector<BYTE> PrinterInfo(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !GetPrinterW(printer, 2, buffer.data(), needed, &needed)) buffer.clear();
  return buffer;
}

class ToolsPageWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::wstring port = kvt::testbed::Env(L"KVT_RECEIPT_PORT");
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<wchar_t*>(kPrinter);
    info.pPortName = port.data();
    info.pDriverName = const_cast<wchar_t*>(L"KVT QV-J27");
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer != nullptr) ClosePrinter(printer);
  }
  static void TearDownTestSuite() {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, &access)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
  }
  void SetUp() override {
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer_, &access));
  }
  void TearDown() override { ClosePrinter(printer_); }

  // Sets the printer's port and bidi attribute, keeping everything else.
  void SetPortAndBidi(const std::wstring& port, bool bidi) {
    std::vector<BYTE> buffer = PrinterInfo(printer_);
    ASSERT_FALSE(buffer.empty());
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    std::wstring port_name = port.empty() ? kvt::testbed::Env(L"KVT_RECEIPT_PORT") : port;
    info->pPortName = port_name.data();
    info->Attributes = bidi ? info->Attributes | kBidi : info->Attributes & ~kBidi;
    info->pSecurityDescriptor = nullptr;
    ASSERT_TRUE(SetPrinterW(printer_, 2, buffer.data(), 0)) << GetLastError();
  }

  static kvt::testbed::HostRun Host(const std::wstring& arguments) {
    return kvt::testbed::RunSheetHost(
        L"--device --press ok --answer ok --timeout 60 " + arguments + L" \"" + kPrinter + L"\"",
        90000);
  }

  HANDLE printer_ = nullptr;
};

std::string PackageVersion() {
  return ": " + std::to_string(KVT_VERSION_MAJOR) + "." + std::to_string(KVT_VERSION_MINOR) + "." +
         std::to_string(KVT_VERSION_BUILD) + " (enabled)";
}

TEST_F(ToolsPageWine, ShowsTheVersionsOfThePackageFilesAfterTheDefaultsRefresh) {
  // The stored defaults made older than the driver's. Wine's driver
  // (wineps) answers DocumentPropertiesW in a fresh process with the
  // printer's stored default, dmDriverVersion and all (this process asked
  // first and keeps its own), so the sheet host's refresh finds the same
  // version, writes nothing and adds the page. The write itself is the
  // native tests'.
  const LONG size =
      DocumentPropertiesW(nullptr, printer_, const_cast<wchar_t*>(kPrinter), nullptr, nullptr, 0);
  ASSERT_GE(size, static_cast<LONG>(sizeof(DEVMODEW)));
  std::vector<BYTE> driver_mode(static_cast<std::size_t>(size));
  ASSERT_EQ(
      DocumentPropertiesW(nullptr, printer_, const_cast<wchar_t*>(kPrinter),
                          reinterpret_cast<DEVMODEW*>(driver_mode.data()), nullptr, DM_OUT_BUFFER),
      IDOK);
  const WORD driver_version = reinterpret_cast<DEVMODEW*>(driver_mode.data())->dmDriverVersion;
  {
    std::vector<BYTE> buffer = PrinterInfo(printer_);
    ASSERT_FALSE(buffer.empty());
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    // AddPrinterW without a device mode stores the driver's default.
    EXPECT_NE(info->pDevMode, nullptr);
    std::vector<BYTE> older = driver_mode;
    reinterpret_cast<DEVMODEW*>(older.data())->dmDriverVersion = 0;
    info->pDevMode = reinterpret_cast<DEVMODEW*>(older.data());
    info->pSecurityDescriptor = nullptr;
    ASSERT_TRUE(SetPrinterW(printer_, 2, buffer.data(), 0));
  }
  SetPortAndBidi(L"", true);

  std::wstring reads;
  for (int id = 1501; id <= 1515; id += 2) reads += L" --read " + std::to_wstring(id);
  const std::wstring pictures = kvt::testbed::Env(L"KVT_TOOLS_ARTIFACT_DIR");
  const kvt::testbed::HostRun run =
      Host(reads +
           (pictures.empty()
                ? L""
                : L" --screenshots \"" + pictures + L"\\" +
                      (kvt::testbed::UiTableLanguage() == kvt::testbed::kJapanese ? L"ja" : L"en") +
                      L"\""));
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_EQ(run.Value("DevicePropertySheets: reason 0"), ", answer 0x00000000, result 0");
  ASSERT_EQ(run.All("page ").size(), 1u);
  const std::string package = PackageVersion();
  EXPECT_EQ(run.Value("read 1503: "), ": 1.0.0 (enabled)");   // the description file's own
  EXPECT_EQ(run.Value("read 1505: "), package);               // KvtQvj2Uni.dll, driver folder
  EXPECT_EQ(run.Value("read 1507: "), package);               // the plug-in itself
  EXPECT_EQ(run.Value("read 1509: "), package);               // KvtQvj2Pp.dll, processor folder
  EXPECT_EQ(run.Value("read 1511: "), ": 2.1.7 (enabled)");   // MXPQR_LM.dll, System32
  EXPECT_EQ(run.Value("read 1513: "), package);               // KvtQvj2Utl.dll
  EXPECT_EQ(run.Value("read 1515: "), ": 3.0.12 (enabled)");  // MXPQT_SDK.dll
  // The driver title: the name, then wine's driver version from level 6.
  EXPECT_EQ(run.Value("read 1501: ").rfind("KVT QV-J27", 0), 0u) << run.Value("read 1501: ");

  std::vector<BYTE> buffer = PrinterInfo(printer_);
  ASSERT_FALSE(buffer.empty());
  const DEVMODEW* stored = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pDevMode;
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->dmDriverVersion, 0);
  EXPECT_NE(driver_version, 0);
}

TEST_F(ToolsPageWine, ButtonsFollowTheBidiAttributeAndThePort) {
  struct Case {
    const wchar_t* port;  // empty: the receipt port file
    bool bidi;
    bool enabled;
  } cases[] = {
      {L"", false, false},
      {L"", true, true},
      {L"FILE:", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.port) + (c.bidi ? " bidi" : " no bidi"));
    SetPortAndBidi(c.port, c.bidi);
    const kvt::testbed::HostRun run = Host(L"--read 1520 --read 1539");
    ASSERT_TRUE(run.finished);
    const std::string state = c.enabled ? " (enabled)" : " (disabled)";
    for (const char* read : {"read 1520: ", "read 1539: "}) {
      const std::string value = run.Value(read);
      ASSERT_GE(value.size(), state.size()) << read;
      EXPECT_EQ(value.substr(value.size() - state.size()), state) << read;
    }
  }
}

TEST_F(ToolsPageWine, AButtonRunsTheUtilityAndShowsItsResultCode) {
  SetPortAndBidi(L"", true);
  SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", L"1001");
  const kvt::testbed::HostRun run = Host(L"--click 1527");
  SetEnvironmentVariableW(L"KVT_UTILITY_RESULT", nullptr);
  ASSERT_TRUE(run.finished);
  const std::vector<std::string> boxes = run.All("message box: ");
  ASSERT_EQ(boxes.size(), 2u);  // the utility's own, then the code's message
  HMODULE messages =
      kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L"KvtQvj2Res2.dll"));
  ASSERT_NE(messages, nullptr);
  const std::wstring text =
      kvt::testbed::TableString(messages, 560, kvt::testbed::UiTableLanguage());
  FreeLibrary(messages);
  ASSERT_FALSE(text.empty());
  std::wstring flat;
  for (wchar_t c : text) flat += c == L'\r' || c == L'\n' ? L' ' : c;
  EXPECT_NE(boxes[1].find(Utf8(flat)), std::string::npos) << boxes[1];
}

}  // namespace
