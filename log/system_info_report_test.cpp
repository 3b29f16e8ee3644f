#include "log/system_info_report.h"

#include <gtest/gtest.h>

#include "log/system_info_test_fixture.h"

namespace kvt::log {
namespace {

constexpr char kHead64[] =
    "[[[ KVT Thermal Printer System Information File ]]]\r\n"
    "\r\n============= Host Version =================================\r\n"
    "Windows10 (64bit)\r\n"
    "\r\n============= Printer Driver Modules =======================\r\n";

class SystemInfoReportTest : public SystemInfoFixture {
 protected:
  SystemInfoReportTest() {
    SetWindows10();
    files.AddDirectory(kLogFolder);
  }
  // A package file with a version resource.
  void AddModule(const std::u16string& path, std::uint16_t major, std::uint16_t minor,
                 std::uint16_t build, std::uint16_t revision) {
    files.AddFile(path, "MZ");
    versions.Set(path, major, minor, build, revision);
  }
  std::string Report() { return files.Content(kReportFile); }
  void Write() {
    ASSERT_TRUE(EnsureSdkLogDirectory());
    WriteSystemInfoReport();
  }
};

TEST_F(SystemInfoReportTest, ListsVersionedPackageFilesFolderByFolder) {
  const std::u16string sys32 = u"C:\\Windows\\System32";
  files.AddDirectory(sys32);
  AddModule(sys32 + u"\\KVTA.DLL", 1, 2, 3, 4);
  AddModule(sys32 + u"\\kvtb.dll", 3, 10, 0, 0);
  AddModule(sys32 + u"\\KVT0.EXE", 2, 0, 0, 1);    // executables after libraries
  files.AddFile(sys32 + u"\\KVTNOVER.DLL", "MZ");  // no version resource
  files.AddDirectory(sys32 + u"\\KVTDIR.DLL");     // a folder, not a file
  versions.Set(sys32 + u"\\KVTDIR.DLL", 9, 9, 9, 9);
  AddModule(sys32 + u"\\other.dll", 5, 0, 0, 0);     // not a package file
  AddModule(sys32 + u"\\KVTX.DLL.bak", 5, 0, 0, 0);  // nor is this
  // A folder with only unversioned package files gets no line.
  files.AddDirectory(u"C:\\Windows\\SysWOW64");
  files.AddFile(u"C:\\Windows\\SysWOW64\\KVTOLD.DLL", "MZ");
  const std::u16string drivers = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3";
  files.AddDirectory(drivers);
  AddModule(drivers + u"\\KvtQvj2Ui.dll", 1, 0, 0, 0);
  AddModule(drivers + u"\\KvtQvj2Res.dll", 1, 0, 12, 345);
  // prtprocs\x64 does not exist; the 32-bit folders are not looked at.
  files.AddDirectory(u"C:\\Windows\\System32\\spool\\drivers\\W32X86\\3");
  AddModule(u"C:\\Windows\\System32\\spool\\drivers\\W32X86\\3\\KVTW.DLL", 1, 0, 0, 0);

  Write();
  EXPECT_EQ(Report(), std::string(kHead64) +
                          "[[C:\\Windows\\System32]]\r\n"
                          "KVTA.DLL : Ver1.234\r\n"
                          "kvtb.dll : Ver3.1000\r\n"
                          "KVT0.EXE : Ver2.001\r\n"
                          "[[C:\\Windows\\System32\\spool\\drivers\\x64\\3]]\r\n"
                          "KvtQvj2Res.dll : Ver1.012345\r\n"
                          "KvtQvj2Ui.dll : Ver1.000\r\n");
}

TEST_F(SystemInfoReportTest, ThirtyTwoBitWindowsHasItsOwnFolders) {
  system.is_64bit = false;
  for (const char16_t* folder :
       {u"C:\\Windows\\System32\\spool\\prtprocs\\W32X86", u"C:\\Windows\\SysWOW64",
        u"C:\\Windows\\System32\\spool\\drivers\\W32X86\\3"}) {
    files.AddDirectory(folder);
    AddModule(std::u16string(folder) + u"\\KVTP.DLL", 1, 1, 0, 0);
  }
  Write();
  std::string head = kHead64;
  head.replace(head.find("64bit"), 5, "32bit");
  EXPECT_EQ(Report(), head +
                          "[[C:\\Windows\\System32\\spool\\drivers\\W32X86\\3]]\r\n"
                          "KVTP.DLL : Ver1.100\r\n"
                          "[[C:\\Windows\\System32\\spool\\prtprocs\\W32X86]]\r\n"
                          "KVTP.DLL : Ver1.100\r\n");
}

// No Windows folder: only the head. Lost records: marked at the end, and the
// mark is spent. An old report is replaced, not extended, even when a reader
// holds it at first (the deletion fails once, the open thrice).
TEST_F(SystemInfoReportTest, HeadAloneAndReplacedReports) {
  const struct {
    bool windows_folder, lost, old_report;
    int delete_failures, open_failures;
    const char* tail;
  } cases[] = {{true, true, false, 0, 0, "<=== Log output here failed\r\n"},
               {true, false, true, 1, 3, ""},
               {false, false, false, 0, 0, ""}};
  for (const auto& c : cases) {
    files.files.erase(kReportFile);
    if (!c.windows_folder) system.windows_folder.clear();
    SdkLogWriteFailed().store(c.lost);
    if (c.old_report) files.AddFile(kReportFile, "old report\r\n");
    files.delete_failures = c.delete_failures;
    files.open_failures = c.open_failures;
    Write();
    EXPECT_EQ(Report(), std::string(kHead64) + c.tail);
    EXPECT_FALSE(SdkLogWriteFailed().load());
  }
}

}  // namespace
}  // namespace kvt::log
