// Pictures of the Watermark page with NV Image at two corners of the grid,
// under the build tree's artefacts (en, or ja in the Japanese bed).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

std::wstring PictureFolder(const wchar_t* corner) {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) {
    wchar_t temp[MAX_PATH];
    folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvt-watermark";
  }
  const bool japanese = !kvt::testbed::Env(L"KVT_EXPECT_UI_LANGUAGE").empty();
  return folder + (japanese ? L"\\ja\\" : L"\\en\\") + corner;
}

void TakePictures(const wchar_t* corner, int button) {
  const kvt::testbed::HostRun run = kvt::testbed::RunSheetHost(
      L"--screenshots \"" + PictureFolder(corner) + L"\" --answer ok --timeout 60" +
          L" --page 3 --send 1306:0x14E:1:0 --notify 1306:0x111:66842 --send " +
          std::to_wstring(button) + L":0xF5:0:0",
      90000);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("record byWatermark: "), "1") << ::testing::PrintToString(run.lines);
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
  EXPECT_EQ(run.All("screenshot: ").size(), 4u);
}

TEST(WatermarkPictures, NvImageTopLeft) { TakePictures(L"top_left", 1315); }
TEST(WatermarkPictures, NvImageBottomRight) { TakePictures(L"bottom_right", 1323); }

}  // namespace
