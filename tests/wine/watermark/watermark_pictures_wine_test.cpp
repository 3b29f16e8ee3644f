// Pictures of the Watermark page with NV Image at two corners of the grid,
// under the artefacts (en, or ja in the Japanese bed).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

TEST(WatermarkPictures, NvImageAtTwoCorners) {
  const std::pair<const wchar_t*, const wchar_t*> corners[] = {{L"top_left", L"1315"},
                                                               {L"bottom_right", L"1323"}};
  for (const auto& [corner, button] : corners) {
    const kvt::testbed::HostRun run = kvt::testbed::RunSheetHost(
        L"--screenshots \"" + kvt::testbed::ArtifactFolder(corner, true) +
        L"\" --answer ok --timeout 60 --page 3 --send 1306:0x14E:1:0"
        L" --notify 1306:0x111:66842 --send " +
        button + L":0xF5:0:0");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.Value("record byWatermark: "), "1") << run.Report();
    EXPECT_EQ(run.All("screenshot: ").size(), 4u);
  }
}

}  // namespace
