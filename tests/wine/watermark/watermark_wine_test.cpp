// The Watermark page of the real plug-in in wine's property sheet, driven
// through the sheet host as a user would: NV Image chosen (its question
// answered OK), a key code typed, a grid button clicked; OK writes the
// fields into the document's record, and the Print button sends the test
// print into the printer's port file byte for byte. A printer whose port
// cannot be written gets an error box and the sheet stays open.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;
constexpr wchar_t kBrokenPrinter[] = L"KVT QV-J27 Broken Port";

using kvt::testbed::HostRun;

// The Watermark page (third page): NV Image (CB_SETCURSEL 1, then
// CBN_SELCHANGE), the key code edit all selected and "42" typed (WM_CHAR),
// Bottom Right clicked (BM_CLICK).
const wchar_t kChooseNvImage[] =
    L" --page 3 --send 1306:0x14E:1:0 --notify 1306:0x111:66842"
    L" --send 1309:0xB1:0:-1 --send 1309:0x102:52:0 --send 1309:0x102:50:0"
    L" --send 1323:0xF5:0:0";
// Info ON, then Print.
const wchar_t kPrintWithInfo[] = L" --send 1353:0xF5:0:0 --send 1355:0xF5:0:0";

std::string ExpectedBlock() {
  const std::string head("\x1B\x40\x1B\x61\x00\x1B\x21\x00", 8);
  const std::string tail = std::string("\x1D\x28\x4C\x06\x00\x30\x45", 7) + "42" +
                           std::string("\x01\x01\x1B\x4A\xA8", 5);
  return head + "Keycode: 42 ( 34 32 )\n" + tail;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  return std::wstring(folder, GetTempPathW(MAX_PATH, folder)) + name;
}

TEST(WatermarkPage, NvImageAndKeycodeReachTheDocumentsRecord) {
  const std::wstring saved = TempFile(L"kvt-watermark.devmode");
  DeleteFileW(saved.c_str());
  const HostRun run = kvt::testbed::RunSheetHost(L"--press ok --answer ok --timeout 60" +
                                                     std::wstring(kChooseNvImage) +
                                                     L" --save-devmode \"" + saved + L"\"",
                                                 kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("send 1309 258: no such window").empty())
      << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.All("message box: ").size(), 1u);  // the question before NV Image
  EXPECT_EQ(run.Value("record byWatermark: "), "1");
  EXPECT_EQ(run.Value("record byWatermarkKeycode: "), "42");
  EXPECT_EQ(run.Value("record byWatermarkPosition: "), "8");
  EXPECT_EQ(run.Value("record byPreset: "), "6");
  // The saved device mode: the record behind the public part (dmSize at
  // offset 68), its watermark fields at 884.
  const std::string devmode = kvt::testbed::ReadFileBytes(saved);
  ASSERT_GT(devmode.size(), 70u);
  const std::size_t record =
      static_cast<unsigned char>(devmode[68]) | static_cast<unsigned char>(devmode[69]) << 8;
  ASSERT_GE(devmode.size(), record + 887);
  EXPECT_EQ(devmode[record + 884], 1);
  EXPECT_EQ(devmode[record + 885], 42);
  EXPECT_EQ(devmode[record + 886], 8);
  DeleteFileW(saved.c_str());
}

TEST(WatermarkPage, NvTestPrintLandsInThePortFile) {
  const std::wstring port = kvt::testbed::ReceiptPortFile();
  DeleteFileW(port.c_str());
  const HostRun run = kvt::testbed::RunSheetHost(
      L"--press ok --answer ok --timeout 60" + std::wstring(kChooseNvImage) + kPrintWithInfo,
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("send 1355 245: no such window").empty())
      << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.All("message box: ").size(), 1u);  // the question only: no error
  EXPECT_EQ(kvt::testbed::ReadFileBytes(port), ExpectedBlock());
}

// A printer of the same driver whose port is a file in a folder that does
// not exist, added for the test and removed after it.
class BrokenPort : public ::testing::Test {
 protected:
  void SetUp() override {
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<wchar_t*>(kBrokenPrinter);
    std::wstring port = L"Z:\\nonexistent-kvt-folder\\receipt.prn";
    info.pPortName = port.data();
    info.pDriverName = const_cast<wchar_t*>(L"KVT QV-J27");
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    printer_ = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(printer_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (printer_ != nullptr) {
      DeletePrinter(printer_);
      ClosePrinter(printer_);
    }
  }
  HANDLE printer_ = nullptr;
};

TEST_F(BrokenPort, FailedTestPrintIsReportedAndTheSheetStaysOpen) {
  const HostRun run = kvt::testbed::RunSheetHost(L"--press ok --answer ok --timeout 60" +
                                                     std::wstring(kChooseNvImage) + kPrintWithInfo +
                                                     L" \"" + kBrokenPrinter + L"\"",
                                                 kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  // The question, then the error of the test print.
  EXPECT_EQ(run.All("message box: ").size(), 2u) << ::testing::PrintToString(run.lines);
  // The page did not cancel the sheet: OK applied the user's changes.
  EXPECT_EQ(run.Value("record byWatermark: "), "1");
  EXPECT_EQ(run.Value("record byWatermarkKeycode: "), "42");
}

}  // namespace
