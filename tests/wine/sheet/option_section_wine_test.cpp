// The Option section of the real plug-in in wine's property sheet: a
// command typed into the stand-in utility library's editor ("Edit...")
// reaches the document's record; the stand-in is loaded from the plug-in's
// folder even when a library of its name is planted in the current folder.
// Pictures of the page under each event, and of the editor, go to the
// build tree's artefacts.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>

#include "tests/wine/sheet/hex_editor_driver.h"
#include "tests/wine/testbed.h"

namespace {

constexpr DWORD kHostTimeoutMs = 90000;
constexpr std::size_t kDmSizeOffset = 68;  // DEVMODEW::dmSize
constexpr std::size_t kGroupOffset = 32;   // PrivateSettings::optionGroups
constexpr std::size_t kGroupSize = 152;
constexpr std::size_t kLengthInGroup = 12;   // nCommandLength
constexpr std::size_t kCommandInGroup = 16;  // abyCommand

std::wstring ArtifactFolder() {
  std::wstring folder = kvt::testbed::Env(L"KVT_ARTIFACT_DIR");
  if (folder.empty()) {
    wchar_t temp[MAX_PATH];
    folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvt-option";
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  return std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + name;
}

// The command of option group |event| in a saved device mode: its bytes as
// upper-case pairs, or a note of what is wrong with the file.
std::string SavedCommand(const std::wstring& path, int event) {
  const std::string file = kvt::testbed::ReadFileBytes(path);
  if (file.size() < kDmSizeOffset + 2) return "(no device mode)";
  const std::size_t public_size = static_cast<unsigned char>(file[kDmSizeOffset]) |
                                  static_cast<unsigned char>(file[kDmSizeOffset + 1]) << 8;
  const std::size_t group =
      public_size + kGroupOffset + kGroupSize * static_cast<std::size_t>(event);
  if (file.size() < group + kGroupSize) return "(no record)";
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i) {
    length = length << 8 | static_cast<unsigned char>(file[group + kLengthInGroup + i]);
  }
  if (length > 128) return "(length " + std::to_string(length) + ")";
  std::string text;
  static const char kHex[] = "0123456789ABCDEF";
  for (std::uint32_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(file[group + kCommandInGroup + i]);
    if (!text.empty()) text += ' ';
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

TEST(OptionSection, EditedCommandReachesTheDocumentsRecord) {
  const std::wstring saved = TempPath(L"kvt-option-devmode.bin");
  DeleteFileW(saved.c_str());
  auto editor = std::async(std::launch::async, [] {
    return kvt::testbed::DriveHexEditor(0, L"1b 40 0a", IDOK, ArtifactFolder() + L"\\editor.png");
  });
  const kvt::testbed::HostRun run =
      kvt::testbed::RunSheetHost(L"--screenshots \"" + ArtifactFolder() +
                                     L"\\print_end\" --timeout 60"
                                     // The page shows the Option section at Print End
                                     // (DSM_SHOWSECTION 38), then "Edit..." is clicked.
                                     L" --send 0:1633:38:0 --send 1278:0xF5:0:0 --save-devmode \"" +
                                     saved + L"\"",
                                 kHostTimeoutMs);
  const kvt::testbed::HexEditorVisit visit = editor.get();
  ASSERT_TRUE(run.finished);
  ASSERT_TRUE(visit.found) << ::testing::PrintToString(run.lines);
  EXPECT_TRUE(visit.picture);
  EXPECT_EQ(SavedCommand(saved, 3), "1B 40 0A");
  EXPECT_EQ(SavedCommand(saved, 0), "");
  EXPECT_EQ(run.Value("record byPreset: "), "6");
  EXPECT_TRUE(run.All("screenshot failed: ").empty());
  DeleteFileW(saved.c_str());
}

TEST(OptionSection, PicturesOfEachEvent) {
  const wchar_t* const kEvents[] = {L"14", L"24", L"31"};
  const wchar_t* const kNames[] = {L"print_start", L"page_start", L"page_end"};
  for (int e = 0; e < 3; ++e) {
    const kvt::testbed::HostRun run =
        kvt::testbed::RunSheetHost(L"--screenshots \"" + ArtifactFolder() + L"\\" + kNames[e] +
                                       L"\" --timeout 60 --send 0:1633:" + kEvents[e] + L":0",
                                   kHostTimeoutMs);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.All("screenshot failed: ").empty()) << ::testing::PrintToString(run.lines);
    EXPECT_FALSE(run.All("screenshot: ").empty());
  }
}

bool Copy(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

// The plug-in and the package in a driver folder of their own, the host in
// an application folder without them, and a library of the utility's name
// in the current folder: the bare name would find that one.
TEST(OptionSection, APlantedUtilityLibraryIsNeverLoaded) {
  const std::wstring root = TempPath(L"kvt-planted-" + std::to_wstring(GetCurrentProcessId()));
  const std::wstring app = root + L"\\app";
  const std::wstring driver = root + L"\\driver";
  const std::wstring current = root + L"\\documents";
  for (const std::wstring& folder : {root, app, driver, current}) {
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  ASSERT_TRUE(Copy(kvt::testbed::BesideThisProgram(L"sheet_host.exe"), app + L"\\sheet_host.exe"));
  for (const wchar_t* file :
       {L"KvtQvj2Ui.dll", L"KvtQvj2Utl.dll", L"KvtQvj2Res.dll", L"KvtQvj2Res2.dll"}) {
    ASSERT_TRUE(Copy(kvt::testbed::BesideThisProgram(file), driver + L"\\" + file)) << file;
  }
  ASSERT_TRUE(
      Copy(kvt::testbed::BesideThisProgram(L"planted_utility.dll"), current + L"\\KvtQvj2Utl.dll"));
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
  const DWORD waited = WaitForSingleObject(process.hProcess, kHostTimeoutMs);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const kvt::testbed::HexEditorVisit visit = editor.get();

  EXPECT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_TRUE(visit.found) << "the package's editor never opened";
  EXPECT_EQ(SavedCommand(saved, 0), "0C");
  EXPECT_EQ(GetFileAttributesW((current + L"\\planted-loaded.txt").c_str()),
            INVALID_FILE_ATTRIBUTES)
      << "the planted library was loaded";

  for (const wchar_t* file :
       {L"\\app\\sheet_host.exe", L"\\driver\\KvtQvj2Ui.dll", L"\\driver\\KvtQvj2Utl.dll",
        L"\\driver\\KvtQvj2Res.dll", L"\\driver\\KvtQvj2Res2.dll", L"\\documents\\KvtQvj2Utl.dll",
        L"\\documents\\planted-loaded.txt", L"\\devmode.bin"}) {
    DeleteFileW((root + file).c_str());
  }
  for (const wchar_t* folder : {L"\\app", L"\\driver", L"\\documents", L""}) {
    RemoveDirectoryW((root + folder).c_str());
  }
}

}  // namespace
