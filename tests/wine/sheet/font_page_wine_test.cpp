// The Font page of the real plug-in in wine's property sheet: a character
// set and a code table chosen through the real combo boxes reach the saved
// document's record on OK; "Back to Front" chosen on the first page turns
// the Font page to the panel that says why. Pictures of the page go to the
// artefacts per UI language (the same program runs in the Japanese bed).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::ArtifactFolder;
using kvt::testbed::RunSheetHost;

// CB_SETCURSEL, then the combo's CBN_SELCHANGE as WM_COMMAND to the section.
constexpr wchar_t kChooseCharSetJapan[] = L" --send 1115:0x14E:8:0 --notify 1115:0x111:66651";
constexpr wchar_t kChooseUserPage[] = L" --send 1116:0x14E:14:0 --notify 1116:0x111:66652";
constexpr wchar_t kChooseBackToFront[] = L" --send 1077:0x14E:1:0 --notify 1077:0x111:66613";

// The plug-in's string |id| in the UI's language, line feeds as the host
// prints them.
std::string PluginString(UINT id) {
  HMODULE plugin =
      kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L"KvtQvj2Ui.dll"));
  std::wstring text = kvt::testbed::TableString(plugin, id, kvt::testbed::UiTableLanguage());
  if (plugin != nullptr) FreeLibrary(plugin);
  std::wstring shown;
  for (wchar_t c : text) shown += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
  return kvt::testbed::Utf8(shown);
}

TEST(FontPage, DeviceFontChoicesReachTheSavedRecordOnOk) {
  const kvt::testbed::PageRun run =
      kvt::testbed::RunPage(L"--screenshots \"" + ArtifactFolder(L"choice", true) +
                            L"\" --timeout 60 --page 2" + kChooseCharSetJapan + kChooseUserPage);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("to the front: "), "page 2") << run.Report();
  EXPECT_EQ(run.Value("notify 1115 273: "), "0");
  EXPECT_EQ(run.Value("notify 1116 273: "), "0");
  // The saved document: byIntlCharSet and byCodeTable at 28 and 29.
  ASSERT_GT(run.record.size(), 29u);
  EXPECT_EQ(run.record.substr(4, 4), "UTVK");
  EXPECT_EQ(run.record.substr(28, 2), "\x08\x0E");
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
}

TEST(FontPage, BackToFrontOnTheFirstPageShowsThePanel) {
  const kvt::testbed::HostRun run = RunSheetHost(
      L"--screenshots \"" + ArtifactFolder(L"panel", true) + L"\" --timeout 60 --answer ok" +
      kChooseBackToFront + L" --page 2 --read 1288 --read 1115");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("record byDirection: "), "2") << run.Report();
  // The heading, three line feeds, the direction's line; the device-font
  // section hidden behind the panel.
  EXPECT_EQ(run.Value("read 1288: "), PluginString(58) + "\\n\\n\\n" + PluginString(59));
  EXPECT_EQ(run.Value("read 1115: "), "no such window");
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
}

// The English texts of the page's entries and of the panel, as the plug-in
// carries them (line feeds as \n); the Japanese bed checks only that each
// exists.
TEST(FontPage, EntryAndPanelTexts) {
  const struct {
    UINT id;
    const char* english;
  } texts[] = {
      {302, "Device Font Settings"},
      {50, "Barcode Font Settings"},
      {51, "2D-Barcode Font Settings"},
      {52, "ControlA Font Settings"},
      {58, "IPD font is not available by the following setting."},
      {59, "[Document Settings] - [General Settings] - [Direction] : [Back to Front]\\n\\n"},
      {60, "[Document Settings] - [General Settings] - [Reduction] : except [None]\\n\\n"},
      {61, "[Watermark] - [Settings] - [Image] : [NV Image]\\n\\n"},
      {62, "[Layout] - [Orientation] : [Landscape]\\n\\n"},
  };
  const bool english = kvt::testbed::UiTableLanguage() == kvt::testbed::kEnglish;
  for (const auto& text : texts) {
    const std::string found = PluginString(text.id);
    if (english) {
      EXPECT_EQ(found, text.english) << text.id;
    } else {
      EXPECT_FALSE(found.empty()) << text.id;
    }
  }
}

}  // namespace
