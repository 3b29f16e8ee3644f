// The Font page's barcode and 2D barcode sections in wine's property sheet,
// driven through the sheet host: the section chosen, Print pressed (and
// Info ON, or test data typed), and what the receipt printer's port file
// received, byte for byte. A refused test print writes no job and shows
// its coded message.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "barcode/barcode_command.h"
#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;
using kvt::testbed::HostRun;

// The Font page, the entry's section shown as the list would show it
// (DSM_SHOWSECTION with the entry's key, '1' barcode, '2' 2D barcode).
const wchar_t kBarcodeSection[] = L" --page 2 --send 0:1633:49:0";
const wchar_t k2DSection[] = L" --page 2 --send 0:1633:50:0";
const wchar_t kPrintBarcode[] = L" --send 1265:0xF5:0:0";
const wchar_t kInfoOn2D[] = L" --send 1004:0xF5:0:0";
const wchar_t kPrint2D[] = L" --send 1266:0xF5:0:0";

std::string Command(std::uint8_t* group_1d, std::uint8_t* group_2d, const char16_t* text) {
  std::vector<std::uint8_t> command;
  const auto count = static_cast<std::uint32_t>(std::char_traits<char16_t>::length(text));
  EXPECT_TRUE(kvt::GetBarcodeCommand(group_1d, group_2d, text, count, &command));
  return std::string(command.begin(), command.end());
}

const std::string kFeed("\x1B\x4A\xA8", 3);

TEST(BarcodeTestPrint, UpcAWithTheDefaultDataAndInfoOff) {
  const std::wstring port = kvt::testbed::ReceiptPortFile();
  DeleteFileW(port.c_str());
  const HostRun run = kvt::testbed::RunSheetHost(
      L"--press cancel --timeout 60" + std::wstring(kBarcodeSection) + kPrintBarcode,
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("message box: ").empty()) << ::testing::PrintToString(run.lines);
  // IPD Barcode1 as the record's defaults hold it, stored before the print:
  // UPC-A, width 3, height 162, no HRI, no rotation, ratio 1.
  std::uint8_t group[kvt::kBarcodeGroupSize] = {0, 0, 0, 3, 162, 0, 0, 0, 1};
  const std::string expected =
      std::string("\x1B\x40\x0A\x1B\x61\x00", 6) + Command(group, nullptr, u"012345678905") + kFeed;
  EXPECT_EQ(kvt::testbed::ReadFileBytes(port), expected);
}

TEST(BarcodeTestPrint, QrCodeWithInfoOn) {
  const std::wstring port = kvt::testbed::ReceiptPortFile();
  DeleteFileW(port.c_str());
  const HostRun run = kvt::testbed::RunSheetHost(
      L"--press cancel --timeout 60" + std::wstring(k2DSection) + kInfoOn2D + kPrint2D,
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("message box: ").empty()) << ::testing::PrintToString(run.lines);
  // IPD 2D-Barcode1: QR Code model 2, level L, mode 'M', size 6.
  std::uint8_t group[kvt::kBarcodeGroupSize] = {0, 2, 0, 'M', 0, 0, 0, 6, 10, 0, 0};
  const std::string info =
      "FontName\t:IPD 2D-Barcode1\nSystem  \t:QR Code Model-2\nSize    \t:6\nECL     \t:L\n"
      "Rotate  \t:None\nHex Input\t:Disabled\nPosition\t:Left\n\n";
  const std::string expected = std::string("\x1B\x40\x0A\x1B\x61\x00\x1B\x21\x00", 9) + info +
                               Command(nullptr, group, u"ABC0123456789") + kFeed;
  EXPECT_EQ(kvt::testbed::ReadFileBytes(port), expected);
}

TEST(BarcodeTestPrint, RefusedDataWritesNoJobAndShowsItsMessage) {
  const std::wstring port = kvt::testbed::ReceiptPortFile();
  DeleteFileW(port.c_str());
  // The test data all selected and "1" typed: one digit is no UPC-A.
  const HostRun run = kvt::testbed::RunSheetHost(
      L"--press cancel --answer ok --timeout 60" + std::wstring(kBarcodeSection) +
          L" --send 1264:0xB1:0:-1 --send 1264:0x102:49:0" + kPrintBarcode,
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  const std::vector<std::string> boxes = run.All("message box: ");
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(run.lines);
  EXPECT_NE(boxes[0].find("The length of the test data does not suit the selected barcode."),
            std::string::npos)
      << boxes[0];
  EXPECT_EQ(GetFileAttributesW(port.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
