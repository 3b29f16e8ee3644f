#include "log/sdk_log.h"

#include <gtest/gtest.h>

#include "log/log_format.h"
#include "log/log_test_fixture.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr char16_t kWowKey[] = u"SOFTWARE\\Wow6432Node\\KVT\\ThermalPrinterSdk";
constexpr char16_t kFolder[] = u"C:\\ProgramData\\KVT\\Logs";
constexpr char16_t kDaily[] = u"C:\\ProgramData\\KVT\\Logs\\20240131.log";

class SdkLogTest : public log::LogFixture {
 protected:
  void SetLevelFlags(std::uint32_t flags) { config.SetNumber(kKey, u"LogLevelFlags", flags); }
  std::string Daily() { return files.Content(kDaily); }
  // The records written to log files so far, without banner and markers
  // (and without the system information report beside them).
  std::vector<std::string> Records() {
    std::vector<std::string> out;
    for (const auto& w : files.writes) {
      const bool is_log = w.path.size() > 4 && w.path.compare(w.path.size() - 4, 4, u".log") == 0;
      if (is_log && w.data != log::kBanner && w.data != log::kFailedMarker &&
          w.data != log::kSlowMarker) {
        out.push_back(w.data);
      }
    }
    return out;
  }
  void Write(std::uint32_t mask, int line, const wchar_t* message = L"msg") {
    WriteSdkLog(mask,
                mask == kSdkError     ? 'E'
                : mask == kSdkWarning ? 'W'
                                      : 'D',
                ".\\Barcode.cpp", line, 0, L"%ls", message);
  }
};

TEST_F(SdkLogTest, WowNodeKeyIsTheFallbackAndLongValuesCountAsMissing) {
  config.SetNumber(kWowKey, u"LogLevel", 1);
  EXPECT_TRUE(IsSdkLogEnabled(kSdkError));
  log::ResetSdkLogForTesting();
  config.Set(kKey, u"LogLevelFlags", ConfigValue{kValueBinary, {0x82, 0, 0, 0, 0}});
  config.SetNumber(kKey, u"LogLevel", 2);  // used, as the flags are "missing"
  EXPECT_TRUE(IsSdkLogEnabled(kSdkWarning));
  EXPECT_EQ(log::SdkLogRetentionUnits(), 2222u);
}

TEST_F(SdkLogTest, FirstRecordMakesTheFolderAndTheDailyFileWithItsBanner) {
  SetLevelFlags(0x86);
  SetThreadLastError(55);
  WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 123, 13, L"bad %ls", L"data");
  EXPECT_EQ(GetThreadLastError(), 13u);
  EXPECT_TRUE(files.IsDirectory(kFolder));
  EXPECT_EQ(files.granted, std::vector<std::u16string>{kFolder});
  EXPECT_EQ(Daily(),
            "KVT Thermal Printer Logfile\r\n"
            "[01/31 12:34(56.789)] [E] [0013 : 0123] : bad data\r\n");
  EXPECT_EQ(lock.requests, std::vector<std::u16string>{u"Global\\KVT_SDK_LOGS"});
  EXPECT_EQ(lock.timeouts, std::vector<std::uint32_t>{10000});
  EXPECT_EQ(lock.held, 0);
}

TEST_F(SdkLogTest, AFileAbove32MillionBytesIsRotatedAfterTheRecord) {
  SetLevelFlags(0x86);
  files.AddDirectory(kFolder);
  files.AddFile(kDaily, "old").size_override = 32000001;
  Write(kSdkDebug, 1, L"last in the old file");
  const std::u16string rotated = std::u16string(kFolder) + u"\\20240131_123456.log";
  ASSERT_TRUE(files.Exists(rotated));
  EXPECT_EQ(files.Content(rotated),
            "old[01/31 12:34(56.789)] [D] [0000 : 0001] : last in the old file\r\n");
  Write(kSdkDebug, 2, L"first in the new file");
  EXPECT_EQ(Daily(),
            "KVT Thermal Printer Logfile\r\n"
            "[01/31 12:34(56.789)] [D] [0000 : 0002] : first in the new file\r\n");
}

TEST_F(SdkLogTest, ExactlyThirtyTwoMillionBytesIsNotRotatedAndAFailedRenameIsRetried) {
  SetLevelFlags(0x86);
  files.AddDirectory(kFolder);
  files.AddFile(kDaily, "x").size_override = 32000000;
  Write(kSdkDebug, 1);
  EXPECT_TRUE(files.renames.empty());
  files.files[kDaily].size_override = 40000000;
  files.fail_rename = true;
  Write(kSdkDebug, 2);
  Write(kSdkDebug, 3);
  EXPECT_EQ(files.renames.size(), 2u);
  EXPECT_TRUE(files.Exists(kDaily));
}

TEST_F(SdkLogTest, LostRecordsAreMarkedBeforeTheNextOne) {
  SetLevelFlags(0x86);
  Write(kSdkDebug, 1, L"first");
  files.open_attempts = 0;
  lock.result = NamedLock::Result::kTimeout;
  Write(kSdkDebug, 2, L"lost to the lock");
  lock.result = NamedLock::Result::kAcquired;
  files.open_failures = 1000000;
  Write(kSdkDebug, 3, L"lost to the file");  // flag set: two attempts only
  EXPECT_EQ(files.open_attempts, 2);
  files.open_failures = 0;
  Write(kSdkDebug, 4, L"back");
  Write(kSdkDebug, 5, L"normal");
  EXPECT_EQ(Daily(),
            "KVT Thermal Printer Logfile\r\n"
            "[01/31 12:34(56.789)] [D] [0000 : 0001] : first\r\n"
            "<=== Log output here failed\r\n"
            "[01/31 12:34(56.789)] [D] [0000 : 0004] : back\r\n"
            "[01/31 12:34(56.789)] [D] [0000 : 0005] : normal\r\n");
}

TEST_F(SdkLogTest, SlowOpenIsMarked) {
  SetLevelFlags(0x86);
  files.AddDirectory(kFolder);
  // The open itself succeeds but takes ten seconds and more.
  files.fail_open = [this](const std::u16string&) {
    clock.ticks += 10001;
    return false;
  };
  Write(kSdkDebug, 1, L"late");
  EXPECT_EQ(Daily(),
            "KVT Thermal Printer Logfile\r\nFile access time is abnormal\r\n"
            "[01/31 12:34(56.789)] [D] [0000 : 0001] : late\r\n");
}

}  // namespace
}  // namespace kvt
