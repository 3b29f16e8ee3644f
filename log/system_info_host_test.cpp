// The Linux stand-ins for what only Windows has, on real files: the Windows
// folder's tree, the version resources read from the package files, the
// version values from the configuration tree, and the whole report.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "log/system_info_report.h"
#include "log/system_queries.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_pe_image.h"
#include "platform/file_version.h"
#include "platform/host/folder_config_source.h"
#include "platform/host/host_file_system.h"
#include "platform/last_error.h"
#include "platform/library_loader.h"
#include "platform/service.h"
#include "platform/system_info.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

class HostSystemInfoTest : public ::testing::Test {
 protected:
  HostSystemInfoTest() {
    std::string pattern = (fs::temp_directory_path() / "kvt-sysinfo-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    windows_ = root_ + "/windows";
    fs::create_directories(windows_ + "/System32");
    fs::create_directories(root_ + "/appdata");
    setenv("KVT_WINDOWS_DIR", windows_.c_str(), 1);
    log::ResetSdkLogForTesting();
    ResetResourceLibraryForTesting();
  }
  ~HostSystemInfoTest() override {
    log::ResetSdkLogForTesting();
    ResetResourceLibraryForTesting();
    unsetenv("KVT_WINDOWS_DIR");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream out;
    out << in.rdbuf();
    return out.str();
  }
  // A configuration value as a file: a number as 4 little-endian bytes, a
  // text as UTF-16 little-endian with its terminator, as the registry keeps
  // them.
  void SetNumber(const std::string& key, const std::string& name, std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    WriteFile(root_ + "/config/" + key + "/" + name, bytes);
  }
  void SetText(const std::string& key, const std::string& name, const std::string& ascii) {
    std::string bytes;
    for (char c : ascii + '\0') {
      bytes.push_back(c);
      bytes.push_back('\0');
    }
    WriteFile(root_ + "/config/" + key + "/" + name, bytes);
  }

  std::string root_;
  std::string windows_;
};

const std::string kVersionKey = "SOFTWARE/Microsoft/Windows NT/CurrentVersion";

TEST_F(HostSystemInfoTest, VersionsComeFromTheVersionResourceInsideThePackageFile) {
  FakePeImageOptions options;
  options.version = FileVersion{3, 10, 0, 0};
  WriteFile(windows_ + "/System32/KVTA.DLL", FakePeImage(options));
  WriteFile(windows_ + "/System32/KVTB.DLL", "not an image");
  FileVersionReader& reader = Service<FileVersionReader>();
  FileVersion version;
  ASSERT_TRUE(reader.Read(Utf8ToUtf16(windows_) + u"\\System32\\KVTA.DLL", &version));
  EXPECT_EQ(version.major, 3);
  EXPECT_EQ(version.minor, 10);
  EXPECT_FALSE(reader.Read(Utf8ToUtf16(windows_) + u"\\System32\\KVTB.DLL", &version));
  EXPECT_FALSE(reader.Read(Utf8ToUtf16(windows_) + u"\\System32\\KVTC.DLL", &version));
  EXPECT_EQ(GetThreadLastError(), 2u);
}

TEST_F(HostSystemInfoTest, TheReportListsThePackageFilesOfTheWindowsTree) {
  FolderConfigSource config(root_ + "/config");
  HostFileSystem files(root_ + "/appdata");
  FakeNamedLock lock;
  ScopedService<ConfigSource> use_config(config);
  ScopedService<FileSystem> use_files(files);
  ScopedService<NamedLock> use_lock(lock);
  SetNumber("SOFTWARE/KVT/ThermalPrinterSdk", "LogLevelFlags", 0x86);
  SetText(kVersionKey, "CurrentVersion", "6.1");
  SetText(kVersionKey, "CurrentBuildNumber", "7601");
  FakePeImageOptions options;
  options.version = FileVersion{1, 2, 3, 4};
  WriteFile(windows_ + "/System32/kvthost.dll", FakePeImage(options));
  WriteFile(windows_ + "/System32/KVTPLAIN.DLL", "no resources");
  options.pe32_plus = false;
  options.version = FileVersion{2, 0, 0, 7};
  WriteFile(windows_ + "/System32/spool/drivers/x64/3/KVTUTIL.EXE", FakePeImage(options));

  WriteSdkLog(kSdkWarning, 'W', ".\\Test.cpp", 1, 0, L"first");
  EXPECT_EQ(ReadFile(root_ + "/appdata/KVT/Logs/KvtSysInfo.txt"),
            "[[[ KVT Thermal Printer System Information File ]]]\r\n"
            "\r\n============= Host Version =================================\r\n"
            "Windows 7 (64bit)\r\n"
            "\r\n============= Printer Driver Modules =======================\r\n"
            "[[" +
                windows_ +
                "\\System32]]\r\n"
                "kvthost.dll : Ver1.234\r\n"
                "[[" +
                windows_ +
                "\\System32\\spool\\drivers\\x64\\3]]\r\n"
                "KVTUTIL.EXE : Ver2.007\r\n");
}

}  // namespace
}  // namespace kvt
