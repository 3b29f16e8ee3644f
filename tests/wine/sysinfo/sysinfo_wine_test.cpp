// The system information report and the system queries in the test bed's
// prefix, with the real registry, folders, version resources and token;
// what wine answers here is pinned.
#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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
using kvt::testbed::ReadFileBytes;

constexpr wchar_t kLogKey[] = L"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr wchar_t kProbe[] = L"KVTSysInfoProbe.dll";
constexpr wchar_t kUnversioned[] = L"KVTNoVersion.dll";

std::wstring WindowsFolder() {
  wchar_t path[MAX_PATH] = {};
  GetWindowsDirectoryW(path, MAX_PATH);
  return path;
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  GetSystemDirectoryW(path, MAX_PATH);
  return path;
}

std::wstring LogFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_APPDATA, FALSE);
  return std::wstring(path) + L"\\KVT\\Logs";
}

std::wstring DriverFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path), sizeof path,
                                  &needed)) {
    return std::wstring();
  }
  return path;
}

// The report's line of the package's message library, of the package's
// version.
std::string MessageLibraryLine() {
  return "KvtQvj2Res2.dll : Ver" + std::to_string(KVT_VERSION_MAJOR) + "." +
         std::to_string(KVT_VERSION_MINOR) + std::to_string(KVT_VERSION_BUILD) +
         std::to_string(KVT_VERSION_REVISION);
}

// The file lines of the folder whose files start at |*at|; |*at| ends at
// the next folder line.
std::set<std::string> FolderLines(const std::vector<std::string>& lines, std::size_t* at) {
  std::set<std::string> files;
  for (; *at < lines.size() && lines[*at].rfind("[[", 0) != 0; ++*at) files.insert(lines[*at]);
  return files;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

// The lines of a CR LF text; a last line without CR LF is kept as is.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok;
}

// Switches the daily log on machine-wide, the way an administrator would,
// and puts a versioned and an unversioned package file into System32; all
// of it is taken back afterwards.
class SysInfoWine : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kLogKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const DWORD flags = 0x86;  // errors, warnings, debug
    EXPECT_EQ(RegSetValueExW(key, L"LogLevelFlags", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&flags), sizeof flags),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_TRUE(CopyFileW(BesideThisProgram(kProbe).c_str(), ProbeInSystem32().c_str(), FALSE))
        << GetLastError();
    ASSERT_TRUE(WriteBytes(SystemFolder() + L"\\" + kUnversioned, "MZ but no image"));
    kvt::log::ResetSdkLogForTesting();
    kvt::ResetResourceLibraryForTesting();
  }

  void TearDown() override {
    DeleteFileW(ProbeInSystem32().c_str());
    DeleteFileW((SystemFolder() + L"\\" + kUnversioned).c_str());
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
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"CurrentMajorVersionNumber", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  wchar_t text[64] = {};
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, L"6.1");
  RegCloseKey(key);

  kvt::OsVersion version;
  EXPECT_TRUE(kvt::GetOsVersion(&version));
  EXPECT_EQ(version.major, 6u);
  EXPECT_EQ(version.minor, 1u);
  EXPECT_EQ(version.build, 7601u);
  EXPECT_TRUE(kvt::IsOsVersion(6, 1));
  EXPECT_FALSE(kvt::IsOsVersion(10, 0));
  EXPECT_TRUE(kvt::IsOs64Bit());
  EXPECT_EQ(kvt::HostVersionLine(), "Windows 7 (64bit)\r\n");
  EXPECT_EQ(WindowsFolder(), L"C:\\windows");
  EXPECT_EQ(LogFolder(), L"C:\\ProgramData\\KVT\\Logs");
}

TEST_F(SysInfoWine, FirstDailyRecordOfAProcessWritesTheReport) {
  const std::wstring report = LogFolder() + L"\\KvtSysInfo.txt";
  DeleteFileW(report.c_str());
  SetLastError(0);
  kvt::WriteSdkLog(kvt::kSdkWarning, 'W', __FILE__, __LINE__, 0, L"%ls",
                   L"system information wine test");

  const std::vector<std::string> lines = Lines(ReadFileBytes(report));
  ASSERT_GE(lines.size(), 8u) << ReadFileBytes(report);
  EXPECT_EQ(lines[0], "[[[ KVT Thermal Printer System Information File ]]]");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "============= Host Version =================================");
  EXPECT_EQ(lines[3], "Windows 7 (64bit)");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "============= Printer Driver Modules =======================");
  // The probe and the package's message library (the bed installs it into
  // System32) are System32's package files with a version; the unversioned
  // one is left out.
  EXPECT_EQ(lines[6], "[[C:\\windows\\System32]]");
  std::size_t end = 7;
  const std::set<std::string> system32 = FolderLines(lines, &end);
  EXPECT_EQ(system32.count("KVTSysInfoProbe.dll : Ver3.1000"), 1u);
  EXPECT_EQ(system32.count(MessageLibraryLine()), 1u);
  // Whatever else the prefix holds can only stand in the later folders, in
  // the table's order, each folder line followed by its files.
  const std::vector<std::string> later = {"[[C:\\windows\\SysWOW64]]",
                                          "[[C:\\windows\\System32\\spool\\drivers\\x64\\3]]",
                                          "[[C:\\windows\\System32\\spool\\prtprocs\\x64]]"};
  std::size_t next_folder = 0;
  bool after_folder = false;
  for (std::size_t i = end; i < lines.size(); ++i) {
    if (lines[i].rfind("[[", 0) == 0) {
      while (next_folder < later.size() && later[next_folder] != lines[i]) ++next_folder;
      ASSERT_LT(next_folder, later.size()) << lines[i];
      ++next_folder;
      after_folder = true;
    } else {
      EXPECT_TRUE(after_folder) << lines[i];
      EXPECT_EQ(_strnicmp(lines[i].c_str(), "KVT", 3), 0) << lines[i];
      EXPECT_NE(lines[i].find(" : Ver"), std::string::npos) << lines[i];
    }
  }

  // The record that started the day's file follows in the daily file.
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t daily[32];
  swprintf(daily, 32, L"\\%04d%02d%02d.log", now.wYear, now.wMonth, now.wDay);
  const std::string log = ReadFileBytes(LogFolder() + daily);
  EXPECT_EQ(log.rfind("KVT Thermal Printer Logfile\r\n", 0), 0u);
  EXPECT_NE(log.find("] [W] [0000 : "), std::string::npos);
  EXPECT_NE(log.find(" : system information wine test\r\n"), std::string::npos);

  // The next process of the day writes it afresh, without the probe.
  ASSERT_TRUE(DeleteFileW(ProbeInSystem32().c_str()));
  kvt::log::ResetSdkLogForTesting();
  kvt::WriteSdkLog(kvt::kSdkWarning, 'W', __FILE__, __LINE__, 0, L"second process");
  const std::vector<std::string> again = Lines(ReadFileBytes(report));
  ASSERT_GE(again.size(), 7u);
  EXPECT_EQ(again[3], "Windows 7 (64bit)");
  EXPECT_EQ(again[6], "[[C:\\windows\\System32]]");
  end = 7;
  const std::set<std::string> afresh = FolderLines(again, &end);
  EXPECT_EQ(afresh.count(MessageLibraryLine()), 1u);
  EXPECT_EQ(afresh.count("KVTSysInfoProbe.dll : Ver3.1000"), 0u);
}

// The version reader that Linux uses, held against version.dll on the
// probe and on wine's own files.
TEST_F(SysInfoWine, ThePeReaderAgreesWithGetFileVersionInfo) {
  const std::wstring files[] = {ProbeInSystem32(),
                                SystemFolder() + L"\\" + kUnversioned,
                                SystemFolder() + L"\\kernel32.dll",
                                SystemFolder() + L"\\user32.dll",
                                SystemFolder() + L"\\winspool.drv",
                                WindowsFolder() + L"\\notepad.exe",
                                BesideThisProgram(L"KvtQvj2Ui.dll")};
  int versioned = 0;
  for (const std::wstring& file : files) {
    SCOPED_TRACE(Narrow(file));
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
  const std::wstring folder = DriverFolder();
  EXPECT_EQ(folder, L"C:\\windows\\system32\\spool\\drivers\\x64");
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
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION), nullptr);
  FreeLibrary(module);
}

}  // namespace
