// The Option section of the real plug-in in wine's property sheet: a
// command typed into the stand-in utility library's editor ("Edit...")
// reaches the document's record; the stand-in is loaded from the plug-in's
// folder even when a library of its name is planted in the current folder.
// Pictures of the page and of the editor go to the artefacts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>

#include "tests/wine/sheet/hex_editor_driver.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::BesideThisProgram;

constexpr std::size_t kGroupOffset = 32;  // PrivateSettings::optionGroups
constexpr std::size_t kGroupSize = 152;
constexpr std::size_t kLengthInGroup = 12;   // nCommandLength
constexpr std::size_t kCommandInGroup = 16;  // abyCommand

// The command of option group |event| in a saved record, or a note of what
// is wrong with the record.
std::string SavedCommand(const std::string& record, int event) {
  const std::size_t group = kGroupOffset + kGroupSize * static_cast<std::size_t>(event);
  if (record.size() < group + kGroupSize) return "(no record)";
  std::uint32_t length = 0;  // little-endian, as the target is
  std::memcpy(&length, record.data() + group + kLengthInGroup, sizeof length);
  if (length > 128) return "(length " + std::to_string(length) + ")";
  return record.substr(group + kCommandInGroup, length);
}

TEST(OptionSection, EditedCommandReachesTheDocumentsRecord) {
  const std::wstring pictures = kvt::testbed::ArtifactFolder(L"");
  auto editor = std::async(std::launch::async, [&] {
    return kvt::testbed::DriveHexEditor(0, L"1b 40 0a", IDOK, pictures + L"\\editor.png");
  });
  // The page shows the Option section at Print End (DSM_SHOWSECTION 38),
  // then "Edit..." is clicked.
  const kvt::testbed::PageRun run =
      kvt::testbed::RunPage(L"--screenshots \"" + pictures +
                            L"\\print_end\" --timeout 60 --send 0:1633:38:0 --send 1278:0xF5:0:0");
  const kvt::testbed::HexEditorVisit visit = editor.get();
  ASSERT_TRUE(run.finished);
  ASSERT_TRUE(visit.found) << run.Report();
  EXPECT_EQ(SavedCommand(run.record, 3), "\x1B\x40\x0A");
  EXPECT_EQ(SavedCommand(run.record, 0), "");
  EXPECT_EQ(run.Value("record byPreset: "), "6");
}

// The plug-in and the package in a driver folder of their own, the host in
// an application folder without them, and a library of the utility's name
// in the current folder: the bare name would find that one.
TEST(OptionSection, APlantedUtilityLibraryIsNeverLoaded) {
  const std::wstring root =
      kvt::testbed::TempPath(L"kvt-planted-" + std::to_wstring(GetCurrentProcessId()));
  const std::wstring app = root + L"\\app";
  const std::wstring driver = root + L"\\driver";
  const std::wstring current = root + L"\\documents";
  for (const std::wstring& folder : {root, app, driver, current}) {
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const std::pair<std::wstring, std::wstring> copies[] = {
      {L"sheet_host.exe", app + L"\\sheet_host.exe"},
      {L"KvtQvj2Ui.dll", driver + L"\\KvtQvj2Ui.dll"},
      {L"KvtQvj2Utl.dll", driver + L"\\KvtQvj2Utl.dll"},
      {L"KvtQvj2Res.dll", driver + L"\\KvtQvj2Res.dll"},
      {L"KvtQvj2Res2.dll", driver + L"\\KvtQvj2Res2.dll"},
      {L"planted_utility.dll", current + L"\\KvtQvj2Utl.dll"},
  };
  for (const auto& [from, to] : copies) {
    ASSERT_TRUE(CopyFileW(BesideThisProgram(from.c_str()).c_str(), to.c_str(), FALSE))
        << kvt::testbed::Utf8(to);
  }
  const std::wstring saved = root + L"\\devmode.bin";

  auto editor = std::async(std::launch::async,
                           [] { return kvt::testbed::DriveHexEditor(0, L"0c", IDOK, L""); });
  std::wstring command = L"\"" + app + L"\\sheet_host.exe\" --press ok --timeout 60 --plugin \"" +
                         driver + L"\\KvtQvj2Ui.dll\" --send 0:1633:14:0 --send 1278:0xF5:0:0" +
                         L" --save-devmode \"" + saved + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             current.c_str(), &startup, &process))
      << GetLastError();
  const DWORD waited = WaitForSingleObject(process.hProcess, 90000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const kvt::testbed::HexEditorVisit visit = editor.get();

  EXPECT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_TRUE(visit.found) << "the package's editor never opened";
  EXPECT_EQ(SavedCommand(kvt::testbed::SavedRecord(saved), 0), "\x0C");
  const std::wstring mark = current + L"\\planted-loaded.txt";
  EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the planted library was loaded";

  for (const auto& copy : copies) DeleteFileW(copy.second.c_str());
  DeleteFileW(mark.c_str());
  DeleteFileW(saved.c_str());
  for (const std::wstring& folder : {app, driver, current, root}) {
    RemoveDirectoryW(folder.c_str());
  }
}

}  // namespace
