// The Document Settings page of the real plug-in in wine's property sheet,
// driven through the sheet host as a user would: a preset picked in the
// page's own combo box reaches the driver's form and orientation items
// (the form named by the package's resource library) and, after OK, the
// document's record.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::HostRun;
using kvt::testbed::RunSheetHost;

TEST(DocumentSettingsPage, PickedPresetReachesTheDriversItemsAndTheRecord) {
  const HostRun run = RunSheetHost(L"--press ok --answer ok --pick 1058=1 --timeout 60");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("pick 1058: "), "row 1, now row 1");
  // The form named by the resource library's string 10001, then portrait,
  // each through the driver's DrvUpdateUISetting.
  const std::vector<std::string> updates = run.All("DrvUpdateUISetting: ");
  ASSERT_EQ(updates.size(), 2u) << run.Report();
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
  EXPECT_EQ(run.Value("record byPreset: "), "1");
}

}  // namespace
