// Wine behaviours the test bed relies on, pinned so that a wine upgrade that
// changes them is noticed here and not as a puzzling failure elsewhere.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

DWORD SendRawJob(HANDLE printer, const std::string& bytes) {
  DOC_INFO_1W doc = {const_cast<wchar_t*>(L"pin"), nullptr, const_cast<wchar_t*>(L"RAW")};
  const DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc));
  DWORD written = 0;
  StartPagePrinter(printer);
  WritePrinter(printer, const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
               &written);
  EndPagePrinter(printer);
  EndDocPrinter(printer);
  return job != 0 && written == bytes.size() ? job : 0;
}

// A port that is a Unix file takes each raw job byte for byte, and each job
// replaces what the previous one left: read the file after every job.
TEST(WineBehaviour, RawJobReplacesThePortFile) {
  kvt::testbed::Printer printer(kvt::testbed::kReceiptPrinter);
  ASSERT_NE(printer.get(), nullptr);
  const std::string first("\x1b@first\x00\xff", 9);
  const std::string second("\x1d" "V\x01second", 9);
  ASSERT_NE(SendRawJob(printer.get(), first), 0u);
  EXPECT_EQ(kvt::testbed::ReadFileBytes(kvt::testbed::ReceiptPortFile()), first);
  ASSERT_NE(SendRawJob(printer.get(), second), 0u);
  EXPECT_EQ(kvt::testbed::ReadFileBytes(kvt::testbed::ReceiptPortFile()), second);
}

// AddPrinterDriverW succeeds with wineps.drv as every file, yet leaves last
// error 127 (ERROR_PROC_NOT_FOUND) behind.
TEST(WineBehaviour, AddPrinterDriverSucceedsWithAStaleLastError) {
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(L"Pinned Behaviour Driver");
  info.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  info.pDataFile = const_cast<wchar_t*>(L"wineps.drv");
  info.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  SetLastError(0);
  EXPECT_TRUE(AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info)));
  EXPECT_EQ(GetLastError(), 127u);
}

}  // namespace
