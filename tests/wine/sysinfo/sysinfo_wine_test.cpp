// The system information report and the system queries in the test bed's
// prefix, with the real registry, folders, version resources and token;
// what wine answers here is pinned.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "kvt_version.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "log/system_queries.h"
#include "platform/file_version.h"
#include "platform/library_loader.h"
#include "platform/pe_version.h"
#include "platform/service.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::BesideThisProgram;
using kvt::testbed::LogFolder;
using kvt::testbed::Lower;
using kvt::testbed::ReadFileBytes;
using kvt::testbed::SystemFolder;

constexpr wchar_t kLogKey[] = L"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr wchar_t kProbe[] = L"KVTSysInfoProbe.dll";

std::wstring WindowsFolder() {
  wchar_t path[MAX_PATH] = {};
  GetWindowsDirectoryW(path, MAX_PATH);
  return path;
}

// The report's line of the package's message library, of the package's
// version.
std::string MessageLibraryLine() {
  return "KvtQvj2Res2.dll : Ver" + std::to_string(KVT_VERSION_MAJOR) + "." +
         std::to_string(KVT_VERSION_MINOR) + std::to_string(KVT_VERSION_BUILD) +
         std::to_string(KVT_VERSION_REVISION);
}

// Switches the daily log on machine-wide, the way an administrator would,
// and puts a versioned package file into System32; both taken back after.
class SysInfoWine : public ::testing::Test {
 protected:
  void SetUp() override {
    const DWORD flags = 0x86;  // errors, warnings, debug
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kLogKey, L"LogLevelFlags", REG_DWORD, &flags,
                              sizeof flags),
              ERROR_SUCCESS);
    ASSERT_TRUE(CopyFileW(BesideThisProgram(kProbe).c_str(), ProbeInSystem32().c_str(), FALSE))
        << GetLastError();
    kvt::log::ResetSdkLogForTesting();
    kvt::ResetResourceLibraryForTesting();
  }

  void TearDown() override {
    DeleteFileW(ProbeInSystem32().c_str());
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kLogKey, L"LogLevelFlags");
    kvt::log::ResetSdkLogForTesting();
    kvt::ResetResourceLibraryForTesting();
  }

  static std::wstring ProbeInSystem32() { return SystemFolder() + L"\\" + kProbe; }
};

// What wine 8 (Debian 12) says of itself in a fresh prefix: Windows 7 SP1,
// 64-bit, Windows folder "C:\windows", common application data
// "C:\ProgramData". It has no "CurrentMajorVersionNumber", so the version
// comes from the "CurrentVersion" text.
TEST_F(SysInfoWine, WineIsSixPointOneSixtyFourBit) {
  DWORD size = 0;
  EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                         L"CurrentMajorVersionNumber", RRF_RT_ANY, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  kvt::OsVersion version;
  EXPECT_TRUE(kvt::GetOsVersion(&version));
  EXPECT_EQ(version.major, 6u);
  EXPECT_EQ(version.minor, 1u);
  EXPECT_EQ(version.build, 7601u);
  EXPECT_TRUE(kvt::IsOs64Bit());
  EXPECT_EQ(kvt::HostVersionLine(), "Windows 7 (64bit)\r\n");
  EXPECT_EQ(WindowsFolder(), L"C:\\windows");
  EXPECT_EQ(LogFolder(), L"C:\\ProgramData\\KVT\\Logs");
}

// The host line from the registry, System32 scanned for the package's
// versioned files. The format is pinned by the native tests.
TEST_F(SysInfoWine, FirstDailyRecordOfAProcessWritesTheReport) {
  const std::wstring report = LogFolder() + L"\\KvtSysInfo.txt";
  DeleteFileW(report.c_str());
  kvt::WriteSdkLog(kvt::kSdkWarning, 'W', __FILE__, __LINE__, 0, L"%ls", L"wine test");
  const std::string text = ReadFileBytes(report);
  EXPECT_EQ(text.rfind("[[[ KVT Thermal Printer System Information File ]]]\r\n\r\n"
                       "============= Host Version =================================\r\n"
                       "Windows 7 (64bit)\r\n",
                       0),
            0u)
      << text;
  // System32's folder, up to the next folder's line.
  const std::size_t begin = text.find("[[C:\\windows\\System32]]\r\n");
  ASSERT_NE(begin, std::string::npos) << text;
  const std::string system32 = text.substr(begin, text.find("\r\n[[", begin) - begin) + "\r\n";
  for (const std::string& line :
       {std::string("KVTSysInfoProbe.dll : Ver3.1000"), MessageLibraryLine()}) {
    EXPECT_NE(system32.find("\r\n" + line + "\r\n"), std::string::npos) << text;
  }
}

// The version reader that Linux uses, held against version.dll on the
// probe and on wine's own files.
TEST_F(SysInfoWine, ThePeReaderAgreesWithGetFileVersionInfo) {
  const std::wstring files[] = {ProbeInSystem32(),
                                SystemFolder() + L"\\kernel32.dll",
                                SystemFolder() + L"\\user32.dll",
                                SystemFolder() + L"\\winspool.drv",
                                WindowsFolder() + L"\\notepad.exe",
                                BesideThisProgram(L"KvtQvj2Ui.dll")};
  int versioned = 0;
  for (const std::wstring& file : files) {
    SCOPED_TRACE(kvt::testbed::Utf8(file));
    kvt::FileVersion windows;
    kvt::FileVersion parsed;
    const bool by_windows = kvt::Service<kvt::FileVersionReader>().Read(
        std::u16string(file.begin(), file.end()), &windows);
    const bool by_parser = kvt::ReadPeFileVersion(ReadFileBytes(file), &parsed);
    EXPECT_EQ(by_windows, by_parser);
    if (by_windows && by_parser) {
      ++versioned;
      EXPECT_EQ(windows.major, parsed.major);
      EXPECT_EQ(windows.minor, parsed.minor);
      EXPECT_EQ(windows.build, parsed.build);
      EXPECT_EQ(windows.revision, parsed.revision);
    }
  }
  // The probe, wine's kernel32, user32 and winspool.drv and the plug-in;
  // wine's notepad.exe has no version resource.
  EXPECT_EQ(versioned, 5);
}

TEST_F(SysInfoWine, TheResourceLibraryLoadsFromTheDriverFolder) {
  // Wine's printer driver folder.
  const std::wstring folder = L"C:\\windows\\system32\\spool\\drivers\\x64";
  // Wine keeps no 8.3 names: the short form is the long path itself, so a
  // driver folder too long for its buffer would give no library here.
  std::u16string short_form;
  EXPECT_TRUE(kvt::Service<kvt::LibraryLoader>().ShortPath(
      std::u16string(folder.begin(), folder.end()), &short_form));
  EXPECT_EQ(short_form, std::u16string(folder.begin(), folder.end()));
  // The bed installs the package's resource library there.
  const std::wstring library = folder + L"\\3\\KvtQvj2Res.dll";
  HMODULE module = static_cast<HMODULE>(kvt::LoadResourceLibrary());
  ASSERT_NE(module, nullptr);
  wchar_t loaded[MAX_PATH] = {};
  GetModuleFileNameW(module, loaded, MAX_PATH);
  EXPECT_EQ(Lower(loaded), Lower(library));
  FreeLibrary(module);
}

}  // namespace
