// The Document Settings page of the real plug-in in wine's property sheet,
// driven through the sheet host as a user would: a preset picked in the
// page's own combo box reaches the driver's form and orientation items and,
// after OK, the document's record; a change is marked red in the settings
// list until applied; a reduction preset answered Cancel leaves everything
// as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;

using kvt::testbed::HostRun;

HostRun RunHost(const std::wstring& arguments) {
  return kvt::testbed::RunSheetHost(arguments, kHostTimeoutMs);
}

TEST(DocumentSettingsPage, PickedPresetReachesTheDriversItemsAndTheRecord) {
  const HostRun run = RunHost(L"--press ok --answer ok --pick 1058=1 --timeout 60");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("pick 1058: "), "row 1, now row 1");
  // The form named by the resource library's string 10001, then portrait,
  // each through the driver's DrvUpdateUISetting.
  const std::vector<std::string> updates = run.All("DrvUpdateUISetting: ");
  ASSERT_EQ(updates.size(), 2u) << ::testing::PrintToString(run.lines);
  EXPECT_EQ(updates[0].rfind("Paper Size selection ", 0), 0u) << updates[0];
  EXPECT_NE(updates[0].find(", previous 0, mode 1"), std::string::npos) << updates[0];
  EXPECT_EQ(updates[1].rfind("Orientation selection 0, previous 0, mode 1", 0), 0u) << updates[1];
  EXPECT_EQ(run.Value("item Paper Size: "), "Roll Paper 58 x 297 mm");
  EXPECT_EQ(run.Value("item Orientation: "), "Portrait");
  // The Advanced page's lists follow, as the framework's tree does.
  const std::string form = run.Value("advanced item Paper Size: ");
  EXPECT_NE(form.find(" Roll Paper 58 x 297 mm"), std::string::npos) << form;
  EXPECT_EQ(form.find("list shows"), std::string::npos) << form;
  EXPECT_EQ(run.Value("advanced item Orientation: "), "0 Portrait");
  // The preset's fields, written by the three sections.
  const std::pair<const char*, const char*> fields[] = {
      {"byPreset", "1"},
      {"byInitialize", "1"},
      {"bySpeed", "3"},
      {"byDensity", "100"},
      {"byMargin", "2"},
      {"byDirection", "0"},
      {"byReduction", "0"},
      {"byReductionScale", "100"},
      {"byPaperCut", "1"},
      {"byFeedToCut", "1"},
      {"byMarkedPaperFeed", "0"},
      {"sFormFeedCorrect", "0"},
      {"byWatermark", "0"},
      {"optionGroups[0].byDrawer", "1"},
      {"optionGroups[3].byDrawer", "0"},
      {"optionGroups[1].wDrawerOnTime", "50"},
      {"optionGroups[2].wDrawerOffTime", "200"},
      {"optionGroups[3].nCommandLength", "0"},
  };
  for (const auto& [name, value] : fields) {
    EXPECT_EQ(run.Value(std::string("record ") + name + ": "), value) << name;
  }
  EXPECT_EQ(run.Value("after OK, DevMode merge: "), "0x00000000, 0 fields corrected");
}

TEST(DocumentSettingsPage, SettingsListMarksChangesInRedUntilApplied) {
  // The density arrow's click (BM_CLICK): the Density row, in view, turns red.
  const HostRun run = RunHost(L"--press ok --send 1138:0xF5:0:0 --marks --timeout 60");
  ASSERT_TRUE(run.finished);
  const std::string marks = run.Value("settings list red pixels: ");
  int before = -1;
  int after = -1;
  ASSERT_EQ(std::sscanf(marks.c_str(), "%d before Apply, %d after", &before, &after), 2) << marks;
  EXPECT_GT(before, 0);
  EXPECT_EQ(after, 0);
}

TEST(DocumentSettingsPage, ReductionPresetAnsweredCancelChangesNothing) {
  const HostRun before = RunHost(L"--press ok --timeout 60");
  const HostRun run = RunHost(L"--press ok --answer cancel --pick 1058=4 --timeout 60");
  ASSERT_TRUE(run.finished);
  // The question was asked and refused: the combo is back on the record's
  // preset (rows follow the preset codes).
  ASSERT_EQ(run.All("message box: ").size(), 1u) << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.Value("pick 1058: "), "row 4, now row " + before.Value("record byPreset: "));
  EXPECT_TRUE(run.All("DrvUpdateUISetting: ").empty());
  EXPECT_EQ(run.All("record "), before.All("record "));
}

}  // namespace
