// The Font page of the real plug-in in wine's property sheet: a character
// set and a code table chosen through the real combo boxes reach the saved
// document's record on OK; "Back to Front" chosen on the first page turns
// the Font page to the panel that says why. Pictures of the page go to the
// build tree's artefacts, per UI language (the same program runs in the
// Japanese bed).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/wide_text.h"
#include "tests/wine/sheet/string_resources.h"
#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;
// CB_SETCURSEL, then the combo's CBN_SELCHANGE as WM_COMMAND to the section.
constexpr wchar_t kChooseCharSetJapan[] = L" --send 1115:0x14E:8:0 --notify 1115:0x111:66651";
constexpr wchar_t kChooseUserPage[] = L" --send 1116:0x14E:14:0 --notify 1116:0x111:66652";
constexpr wchar_t kChooseBackToFront[] = L" --send 1077:0x14E:1:0 --notify 1077:0x111:66613";

std::wstring ArtifactFolder(const wchar_t* run) {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) {
    wchar_t temp[MAX_PATH];
    folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvt-font-page";
  }
  const bool japanese = kvt::testbed::UiTableLanguage() == kvt::testbed::kJapanese;
  return folder + (japanese ? L"\\ja\\" : L"\\en\\") + run;
}

std::string Utf8(const std::wstring& text) { return kvt::Utf16ToUtf8(kvt::WideToUtf16(text)); }

// The plug-in's string |id| in the UI's language, line feeds as the host
// prints them.
std::string PluginString(UINT id) {
  HMODULE plugin =
      kvt::testbed::LoadResourceModule(kvt::testbed::BesideThisProgram(L"KvtQvj2Ui.dll"));
  std::wstring text = kvt::testbed::TableString(plugin, id, kvt::testbed::UiTableLanguage());
  if (plugin != nullptr) FreeLibrary(plugin);
  std::wstring shown;
  for (wchar_t c : text) shown += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
  return Utf8(shown);
}

TEST(FontPage, DeviceFontChoicesReachTheSavedRecordOnOk) {
  const std::wstring saved = ArtifactFolder(L"choice") + L"\\document.devmode";
  const kvt::testbed::HostRun run = kvt::testbed::RunSheetHost(
      L"--screenshots \"" + ArtifactFolder(L"choice") + L"\" --timeout 60 --page 2" +
          kChooseCharSetJapan + kChooseUserPage + L" --save-devmode \"" + saved + L"\"",
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("to the front: "), "page 2") << ::testing::PrintToString(run.lines);
  EXPECT_EQ(run.Value("notify 1115 273: "), "0");
  EXPECT_EQ(run.Value("notify 1116 273: "), "0");
  EXPECT_EQ(run.Value("record byIntlCharSet: "), "8");
  EXPECT_EQ(run.Value("record byCodeTable: "), "14");

  // The saved document: the public part (dmSize at offset 68), then the
  // record with byIntlCharSet and byCodeTable at 28 and 29.
  const std::string bytes = kvt::testbed::ReadFileBytes(saved);
  ASSERT_GT(bytes.size(), 72u);
  const std::size_t public_size =
      static_cast<unsigned char>(bytes[68]) | static_cast<unsigned char>(bytes[69]) << 8;
  ASSERT_GT(bytes.size(), public_size + 29);
  EXPECT_EQ(bytes.compare(public_size + 4, 4, "UTVK"), 0);
  EXPECT_EQ(static_cast<unsigned char>(bytes[public_size + 28]), 8);
  EXPECT_EQ(static_cast<unsigned char>(bytes[public_size + 29]), 14);
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
}

TEST(FontPage, BackToFrontOnTheFirstPageShowsThePanel) {
  const kvt::testbed::HostRun run = kvt::testbed::RunSheetHost(
      L"--screenshots \"" + ArtifactFolder(L"panel") + L"\" --timeout 60 --answer ok" +
          kChooseBackToFront + L" --page 2 --read 1288 --read 1115",
      kHostTimeoutMs);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.Value("record byDirection: "), "2") << ::testing::PrintToString(run.lines);
  // The heading, three line feeds, the direction's line (texts checked
  // below).
  EXPECT_EQ(run.Value("read 1288: "), PluginString(58) + "\\n\\n\\n" + PluginString(59));
  // The device-font section is hidden behind the panel.
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
