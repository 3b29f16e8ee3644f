// The Font page's barcode and 2D barcode sections in wine's property sheet,
// driven through the sheet host: the section chosen, Print pressed (and
// Info ON, or test data typed), and what the receipt printer's port file
// received, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "barcode/barcode_command.h"
#include "tests/wine/testbed.h"

namespace {

std::string Command(std::uint8_t* group_1d, std::uint8_t* group_2d, const char16_t* text) {
  std::vector<std::uint8_t> command;
  const auto count = static_cast<std::uint32_t>(std::char_traits<char16_t>::length(text));
  EXPECT_TRUE(kvt::GetBarcodeCommand(group_1d, group_2d, text, count, &command));
  return std::string(command.begin(), command.end());
}

TEST(BarcodeTestPrint, TheSectionsPrintsReachThePortFile) {
  // IPD Barcode1 as the record's defaults hold it: UPC-A, width 3, height
  // 162, no HRI, no rotation, ratio 1. IPD 2D-Barcode1: QR Code model 2,
  // level L, mode 'M', size 6.
  std::uint8_t barcode[kvt::kBarcodeGroupSize] = {0, 0, 0, 3, 162, 0, 0, 0, 1};
  std::uint8_t qr[kvt::kBarcodeGroupSize] = {0, 2, 0, 'M', 0, 0, 0, 6, 10, 0, 0};
  const std::string feed("\x1B\x4A\xA8", 3);
  const std::string info =
      "FontName\t:IPD 2D-Barcode1\nSystem  \t:QR Code Model-2\nSize    \t:6\nECL     \t:L\n"
      "Rotate  \t:None\nHex Input\t:Disabled\nPosition\t:Left\n\n";
  const struct {
    const wchar_t* steps;
    std::string bytes;
  } cases[] = {
      // The Font page, the entry's section shown as the list would show it
      // (DSM_SHOWSECTION with the entry's key, '1' barcode), Print.
      {L" --page 2 --send 0:1633:49:0 --send 1265:0xF5:0:0",
       std::string("\x1B\x40\x0A\x1B\x61\x00", 6) + Command(barcode, nullptr, u"012345678905") +
           feed},
      // '2' 2D barcode, Info ON, Print.
      {L" --page 2 --send 0:1633:50:0 --send 1004:0xF5:0:0 --send 1266:0xF5:0:0",
       std::string("\x1B\x40\x0A\x1B\x61\x00\x1B\x21\x00", 9) + info +
           Command(nullptr, qr, u"ABC0123456789") + feed},
  };
  for (const auto& c : cases) {
    const kvt::testbed::PageRun run =
        kvt::testbed::RunPage(std::wstring(L"--press cancel --timeout 60") + c.steps);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.All("message box: ").empty()) << run.Report();
    EXPECT_EQ(run.port, c.bytes);
  }
}

}  // namespace
