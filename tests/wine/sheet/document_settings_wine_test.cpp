// The Document Settings page of the real plug-in in wine's property sheet,
// driven through the sheet host as a user would: a preset picked in the
// page's own combo box reaches the driver's form and orientation items and,
// after OK, the document's record; a reduction preset answered Cancel
// leaves everything as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;

struct HostRun : kvt::testbed::ProgramRun {
  std::vector<std::string> All(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& line : lines) {
      if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line.substr(prefix.size()));
    }
    return found;
  }
  std::string Value(const std::string& prefix) const {
    const auto found = All(prefix);
    return found.empty() ? std::string("(missing)") : found.front();
  }
};

HostRun RunHost(const std::wstring& arguments) {
  HostRun run;
  static_cast<kvt::testbed::ProgramRun&>(run) =
      kvt::testbed::RunBesideThisProgram(L"sheet_host.exe", arguments, kHostTimeoutMs);
  return run;
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

TEST(DocumentSettingsPage, ReductionPresetAnsweredCancelChangesNothing) {
  const HostRun before = RunHost(L"--press ok --timeout 60");
  const HostRun run = RunHost(L"--press ok --answer cancel --pick 1058=4 --timeout 60");
  ASSERT_TRUE(run.finished);
  // The question was asked and refused: the combo is back on its row.
  ASSERT_EQ(run.All("message box: ").size(), 1u) << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.Value("pick 1058: "), "row 4, now row 0");
  EXPECT_TRUE(run.All("DrvUpdateUISetting: ").empty());
  EXPECT_EQ(run.All("record "), before.All("record "));
}

}  // namespace
