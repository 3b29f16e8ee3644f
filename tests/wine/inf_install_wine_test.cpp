// The driver package's INF through wine's setupapi, and what wine does
// with the parts of a printer INF it cannot follow.
#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/inf_install.h"
#include "tests/wine/testbed.h"

namespace {

using kvt::testbed::Env;
using kvt::testbed::Lower;
using kvt::testbed::PrinterDriverFolder;
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

UINT CALLBACK CollectTarget(void* context, UINT notification, UINT_PTR param1, UINT_PTR) {
  if (notification == SPFILENOTIFY_QUEUESCAN) {
    static_cast<std::vector<std::wstring>*>(context)->push_back(
        Lower(reinterpret_cast<const wchar_t*>(param1)));
  }
  return NO_ERROR;
}

// The package's INF opens without an error line; the queue of the model's
// install section holds the package's own files,
// in the spooler's driver folder (id 66000) and System32 (11), and nothing
// of Include=NTPRINT.INF or Needs=UNIDRV.OEM: wine has no NTPRINT.INF to
// include, and setupapi leaves both directives to the printer class
// installer, as Windows' does.
TEST(InfInstallWine, TheInstallSectionQueuesThePackagesFilesOnly) {
  OpenInf inf(PackageFile(L"KvtQvj2.inf"));
  ASSERT_NE(inf.handle, INVALID_HANDLE_VALUE) << GetLastError();
  EXPECT_EQ(inf.error_line, 0u);
  INFCONTEXT line;
  wchar_t inf_class[64] = {};
  ASSERT_TRUE(SetupFindFirstLineW(inf.handle, L"Version", L"Class", &line));
  ASSERT_TRUE(SetupGetStringFieldW(&line, 1, inf_class, 64, nullptr));
  EXPECT_STREQ(inf_class, L"Printer");
  UINT error_line = 0;
  EXPECT_FALSE(SetupOpenAppendInfFileW(L"NTPRINT.INF", inf.handle, &error_line));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
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

}  // namespace
