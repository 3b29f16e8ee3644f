// The Watermark page of the real plug-in in wine's property sheet, driven
// through the sheet host as a user would: NV Image chosen (its question
// answered OK), a key code typed, a grid button clicked, Info ON and Print
// pressed; the test print lands in the printer's port file byte for byte
// and OK writes the fields into the document's record.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

// The Watermark page (third page): NV Image (CB_SETCURSEL 1, then
// CBN_SELCHANGE), the key code edit all selected and "42" typed (WM_CHAR),
// Bottom Right clicked (BM_CLICK), then Info ON and Print.
const std::wstring kNvImagePrinted =
    L"--press ok --answer ok --timeout 60"
    L" --page 3 --send 1306:0x14E:1:0 --notify 1306:0x111:66842"
    L" --send 1309:0xB1:0:-1 --send 1309:0x102:52:0 --send 1309:0x102:50:0"
    L" --send 1323:0xF5:0:0 --send 1353:0xF5:0:0 --send 1355:0xF5:0:0";

TEST(WatermarkPage, NvTestPrintLandsInThePortFileAndTheFieldsInTheRecord) {
  const kvt::testbed::PageRun run = kvt::testbed::RunPage(kNvImagePrinted);
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("send 1355 245: no such window").empty()) << run.Report();
  EXPECT_EQ(run.All("message box: ").size(), 1u);  // the question only: no error
  const std::string head("\x1B\x40\x1B\x61\x00\x1B\x21\x00", 8);
  const std::string tail = std::string("\x1D\x28\x4C\x06\x00\x30\x45", 7) + "42" +
                           std::string("\x01\x01\x1B\x4A\xA8", 5);
  EXPECT_EQ(run.port, head + "Keycode: 42 ( 34 32 )\n" + tail);
  EXPECT_EQ(run.Value("record byPreset: "), "6");
  // byWatermark, byWatermarkKeycode and byWatermarkPosition at 884.
  ASSERT_GE(run.record.size(), 887u);
  EXPECT_EQ(run.record.substr(884, 3), std::string("\x01\x2A\x08", 3));
}

}  // namespace
