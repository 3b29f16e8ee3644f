// The test bed's drivers as the bed installed them from the driver
// package's INF through wine's setupapi and spooler, and what wine does
// with the parts of a printer INF it cannot follow.
#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/inf_install.h"
#include "tests/wine/testbed.h"
#include "tools/sheet_host/driver_plugin.h"

namespace {

using kvt::testbed::Env;
using kvt::testbed::Lower;
using kvt::testbed::PrinterDriverFolder;
using kvt::testbed::ReadFileBytes;
using kvt::testbed::SystemFolder;

std::wstring PackageFile(const wchar_t* name) { return Env(L"KVT_PACKAGE_DIR") + L"\\" + name; }

struct OpenInf {
  explicit OpenInf(const std::wstring& path)
      : handle(SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, &error_line)) {}
  ~OpenInf() {
    if (handle != INVALID_HANDLE_VALUE) SetupCloseInfFile(handle);
  }
  UINT error_line = 0;
  HINF handle;
};

TEST(InfInstallWine, ThePackagesInfOpensWithoutAnErrorLine) {
  OpenInf inf(PackageFile(L"KvtQvj2.inf"));
  ASSERT_NE(inf.handle, INVALID_HANDLE_VALUE) << GetLastError();
  EXPECT_EQ(inf.error_line, 0u);
  wchar_t inf_class[64] = {};
  INFCONTEXT line;
  ASSERT_TRUE(SetupFindFirstLineW(inf.handle, L"Version", L"Class", &line));
  ASSERT_TRUE(SetupGetStringFieldW(&line, 1, inf_class, 64, nullptr));
  EXPECT_STREQ(inf_class, L"Printer");

  // A broken one is refused with the line of its first error.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring broken = std::wstring(temp) + L"kvt_broken.inf";
  HANDLE file = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char text[] = "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\n[Bad\r\n";
  DWORD written = 0;
  WriteFile(file, text, sizeof text - 1, &written, nullptr);
  CloseHandle(file);
  OpenInf bad(broken);
  EXPECT_EQ(bad.handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(bad.error_line, 4u);
  DeleteFileW(broken.c_str());
}

UINT CALLBACK CollectTarget(void* context, UINT notification, UINT_PTR param1, UINT_PTR) {
  if (notification == SPFILENOTIFY_QUEUESCAN) {
    static_cast<std::vector<std::wstring>*>(context)->push_back(
        Lower(reinterpret_cast<const wchar_t*>(param1)));
  }
  return NO_ERROR;
}

// The queue of the model's install section holds the package's own files,
// in the spooler's driver folder (id 66000) and System32 (11), and nothing
// of Include=NTPRINT.INF or Needs=UNIDRV.OEM: wine has no NTPRINT.INF to
// include, and setupapi leaves both directives to the printer class
// installer, as Windows' does.
TEST(InfInstallWine, TheInstallSectionQueuesThePackagesFilesOnly) {
  OpenInf inf(PackageFile(L"KvtQvj2.inf"));
  ASSERT_NE(inf.handle, INVALID_HANDLE_VALUE);
  UINT error_line = 0;
  EXPECT_FALSE(SetupOpenAppendInfFileW(L"NTPRINT.INF", inf.handle, &error_line));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  INFCONTEXT line;
  EXPECT_FALSE(SetupFindFirstLineW(inf.handle, L"UNIDRV.OEM", nullptr, &line));
  HSPFILEQ queue = SetupOpenFileQueue();
  const std::wstring source = Env(L"KVT_PACKAGE_DIR");
  ASSERT_TRUE(
      SetupInstallFilesFromInfSectionW(inf.handle, nullptr, queue, L"KVT_QVJ27", source.c_str(), 0))
      << GetLastError();
  std::vector<std::wstring> targets;
  DWORD result = 0;
  EXPECT_TRUE(
      SetupScanFileQueueW(queue, SPQ_SCAN_USE_CALLBACK, nullptr, CollectTarget, &targets, &result));
  SetupCloseFileQueue(queue);
  std::sort(targets.begin(), targets.end());
  const std::wstring driver = Lower(PrinterDriverFolder()) + L"\\";
  std::vector<std::wstring> expected = {driver + L"kvtqvj2.gpd",
                                        driver + L"kvtqvj2.ini",
                                        driver + L"kvtqvj2ui.dll",
                                        driver + L"kvtqvj2res.dll",
                                        Lower(SystemFolder()) + L"\\kvtqvj2res2.dll",
                                        Lower(SystemFolder()) + L"\\kvtqvj2utl.dll"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(targets, expected);
}

// Every driver of the bed: the INF's data file and dependent files, each in
// the driver's folder with the package's bytes, and the plug-in found
// through the configuration file as the universal driver finds it.
TEST(InfInstallWine, TheBedsDriversHoldThePackagesFiles) {
  const std::wstring folder = PrinterDriverFolder() + L"\\3\\";
  for (const wchar_t* name : {kvt::testbed::kReceiptPrinter, kvt::testbed::kMixedCasePrinter,
                              kvt::testbed::kOtherModelPrinter}) {
    SCOPED_TRACE(kvt::testbed::Utf8(name));
    kvt::testbed::Printer printer(name);
    ASSERT_NE(printer.get(), nullptr);
    DWORD needed = 0;
    GetPrinterDriverW(printer.get(), nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterDriverW(printer.get(), nullptr, 3, buffer.data(), needed, &needed));
    const auto* driver = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    EXPECT_EQ(Lower(driver->pDataFile), Lower(folder + L"KvtQvj2.gpd"));
    // The stand-in is in no package folder: wine's spooler brings its own.
    EXPECT_EQ(Lower(driver->pDriverPath), Lower(folder + L"wineps.drv"));
    EXPECT_EQ(Lower(driver->pConfigFile), Lower(folder + L"wineps.drv"));
    std::vector<std::wstring> dependent;
    for (const wchar_t* file = driver->pDependentFiles; file != nullptr && *file != 0;
         file += wcslen(file) + 1) {
      dependent.push_back(Lower(file));
    }
    std::sort(dependent.begin(), dependent.end());
    EXPECT_EQ(dependent, (std::vector<std::wstring>{Lower(folder + L"KvtQvj2.ini"),
                                                    Lower(folder + L"KvtQvj2Res.dll"),
                                                    Lower(folder + L"KvtQvj2Ui.dll")}));
    std::wstring error;
    EXPECT_EQ(Lower(kvt::tools::DriverPluginPath(printer.get(), &error)),
              Lower(folder + L"KvtQvj2Ui.dll"))
        << kvt::testbed::Utf8(error);
  }
  const std::pair<std::wstring, const wchar_t*> files[] = {
      {folder + L"KvtQvj2.gpd", L"KvtQvj2.gpd"},
      {folder + L"KvtQvj2.ini", L"KvtQvj2.ini"},
      {folder + L"KvtQvj2Ui.dll", L"KvtQvj2Ui.dll"},
      {folder + L"KvtQvj2Res.dll", L"KvtQvj2Res.dll"},
      {SystemFolder() + L"\\KvtQvj2Res2.dll", L"KvtQvj2Res2.dll"}};
  for (const auto& [installed, packaged] : files) {
    const std::string bytes = ReadFileBytes(installed);
    EXPECT_FALSE(bytes.empty()) << kvt::testbed::Utf8(installed);
    EXPECT_TRUE(bytes == ReadFileBytes(PackageFile(packaged))) << kvt::testbed::Utf8(installed);
  }
}

// Wine's spooler adds a driver whose files are missing (Windows refuses
// with ERROR_FILE_NOT_FOUND): the bed's drivers are checked file by file
// above.
TEST(InfInstallWine, AddingADriverDoesNotCheckItsFiles) {
  wchar_t dependent[] = L"KvtQvj2Missing.dll\0";
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(L"KVT Missing Files");
  info.pEnvironment = const_cast<wchar_t*>(L"Windows x64");
  info.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  info.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  info.pDataFile = const_cast<wchar_t*>(L"KvtQvj2.gpd");
  info.pDependentFiles = dependent;
  EXPECT_TRUE(AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_ALL_FILES));
  const std::wstring missing = PrinterDriverFolder() + L"\\3\\KvtQvj2Missing.dll";
  EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(DeletePrinterDriverW(nullptr, info.pEnvironment, info.pName));
}

}  // namespace
