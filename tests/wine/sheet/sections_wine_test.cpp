// The General and Paper Cut sections of the real plug-in in wine's property
// sheet: their controls driven through real window messages (a trackbar
// moved and its scroll message, an arrow button clicked, a combo row
// chosen, keys typed into the correction edit), then OK; the document's
// record holds what the controls show. Pictures of the page with each
// section go to the artefacts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::ArtifactFolder;
using kvt::testbed::RunSheetHost;

TEST(Sections, GeneralControlsReachTheRecord) {
  const kvt::testbed::HostRun run =
      RunSheetHost(L"--screenshots \"" + ArtifactFolder(L"general") +
                   L"\" --timeout 60"
                   // Density: the trackbar to 112, then its scroll message: TB_ENDTRACK
                   // snaps it to 110.
                   L" --send 1020:0x405:1:112 --notify 1020:0x114:8"
                   // Speed: the left arrow clicked once, High -> Middle (Silent).
                   L" --send 1135:0xF5:0:0"
                   // Margin: row 0 chosen (CB_SETCURSEL, then CBN_SELCHANGE).
                   L" --send 1074:0x14E:0:0 --notify 1074:0x111:66610");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("notify 1020 276: "), "0") << run.Report();
  EXPECT_EQ(run.Value("record byDensity: "), "110");
  EXPECT_EQ(run.Value("record bySpeed: "), "0");
  EXPECT_EQ(run.Value("record byMargin: "), "0");
  EXPECT_EQ(run.Value("record byPreset: "), "6");
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
}

TEST(Sections, PaperCutCorrectionTypedOutOfRangeIsStoredClamped) {
  const kvt::testbed::HostRun run =
      RunSheetHost(L"--screenshots \"" + ArtifactFolder(L"paper_cut") +
                   L"\" --timeout 60"
                   // The page shows the Paper Cut section (DSM_SHOWSECTION 8).
                   L" --send 0:1633:8:0"
                   // Marked Paper Form Feed: "Each Page", which shows the correction.
                   L" --send 1104:0x14E:1:0 --notify 1104:0x111:66640"
                   // The correction: all selected, then "-80" typed (WM_CHAR).
                   L" --send 1260:0xB1:0:-1 --send 1260:0x102:45:0 --send 1260:0x102:56:0"
                   L" --send 1260:0x102:48:0");
  ASSERT_TRUE(run.finished);
  EXPECT_TRUE(run.All("send 1260 258: no such window").empty()) << run.Report();
  EXPECT_EQ(run.Value("record byMarkedPaperFeed: "), "1");
  EXPECT_EQ(run.Value("record sFormFeedCorrect: "), "-74");
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
}

}  // namespace
