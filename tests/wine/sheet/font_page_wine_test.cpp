// The Font page of the real plug-in in wine's property sheet: a character
// set and a code table chosen through the real combo boxes reach the saved
// document's record on OK. Pictures of the page go to the artefacts per
// UI language (the same program runs in the Japanese bed).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::ArtifactFolder;

// CB_SETCURSEL, then the combo's CBN_SELCHANGE as WM_COMMAND to the section.
constexpr wchar_t kChooseCharSetJapan[] = L" --send 1115:0x14E:8:0 --notify 1115:0x111:66651";
constexpr wchar_t kChooseUserPage[] = L" --send 1116:0x14E:14:0 --notify 1116:0x111:66652";

TEST(FontPage, DeviceFontChoicesReachTheSavedRecordOnOk) {
  const kvt::testbed::PageRun run =
      kvt::testbed::RunPage(L"--screenshots \"" + ArtifactFolder(L"choice", true) +
                            L"\" --timeout 60 --page 2" + kChooseCharSetJapan + kChooseUserPage);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("to the front: "), "page 2") << run.Report();
  // The saved document: byIntlCharSet and byCodeTable at 28 and 29.
  ASSERT_GT(run.record.size(), 29u);
  EXPECT_EQ(run.record.substr(28, 2), "\x08\x0E");
}

}  // namespace
