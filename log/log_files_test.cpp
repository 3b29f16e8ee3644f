#include "log/log_files.h"

#include <gtest/gtest.h>

#include "log/log_format.h"
#include "log/log_test_fixture.h"

namespace kvt::log {
namespace {

using LogFilesTest = LogFixture;

int Count(const std::vector<std::uint32_t>& sleeps, std::uint32_t ms) {
  int n = 0;
  for (std::uint32_t s : sleeps) n += s == ms;
  return n;
}

TEST_F(LogFilesTest, RetryRuleWaitsTenSecondsThenSetsTheFlag) {
  files.AddDirectory(u"C:\\L");
  files.open_failures = 1000000;
  std::atomic<bool> failed{false};
  std::uint32_t elapsed = 0;
  EXPECT_EQ(OpenWithRetry(u"C:\\L\\a.log", failed, &elapsed), nullptr);
  EXPECT_TRUE(failed.load());
  // Ten retries at once, then every 20 ms while at most 500 ms have passed
  // (0 to 500: 26 sleeps), then every 500 ms until past 10,000 ms.
  ASSERT_EQ(clock.sleeps.size(), 10u + 26u + 19u);
  EXPECT_EQ(Count(clock.sleeps, 0), 10);
  EXPECT_EQ(Count(clock.sleeps, 20), 26);
  EXPECT_EQ(clock.sleeps.back(), 500u);
  EXPECT_EQ(elapsed, 10020u);
  EXPECT_EQ(files.open_attempts, 56);
}

TEST_F(LogFilesTest, FolderOf) {
  const struct {
    std::u16string_view path, folder;
  } cases[] = {
      {u"C:\\Logs\\drv.log", u"C:\\Logs"},
      {u"C:\\drv.log", u"C:\\"},
      {u"/var/log/kvt/drv.log", u"/var/log/kvt"},
      {u"/drv.log", u"/"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder) << Utf16ToUtf8(c.path);
}

TEST_F(LogFilesTest, CreateDirectoryPathMakesEveryMissingFolder) {
  files.AddDirectory(u"C:");
  EXPECT_TRUE(CreateDirectoryPath(u"C:\\a\\b\\c"));
  EXPECT_TRUE(files.IsDirectory(u"C:\\a\\b"));
  EXPECT_TRUE(files.IsDirectory(u"C:\\a\\b\\c"));
  EXPECT_EQ(files.granted.back(), u"C:\\a\\b\\c");
  // An existing folder is only opened up.
  const int made = files.make_directory_calls;
  EXPECT_TRUE(CreateDirectoryPath(u"C:\\a"));
  EXPECT_EQ(files.make_directory_calls, made);
  EXPECT_EQ(files.granted.back(), u"C:\\a");
}

TEST_F(LogFilesTest, PruneDeletesOnlyOldBannerFiles) {
  const std::u16string dir = u"C:\\L";
  files.AddDirectory(dir);
  const std::uint64_t now = LocalTimeToFileTime(clock.now);
  const std::uint64_t old = now - (std::uint64_t{2223} << 32);
  const std::uint64_t young = now - (std::uint64_t{2221} << 32);
  const std::string banner(kBanner);
  files.AddFile(dir + u"\\20240101.log", banner + "old", old);
  files.AddFile(dir + u"\\20240101_101010.log", banner + "old rotated", old);
  files.AddFile(dir + u"\\20240120.log", banner + "young", young);
  files.AddFile(dir + u"\\20230101.log", "KVT Thermal Printer Logfile\n", old);  // not the banner
  files.AddFile(dir + u"\\20221231.log", "", old);
  files.AddFile(dir + u"\\19991231.log", banner, old);  // not "20*.log"
  files.AddFile(dir + u"\\20220101.txt", banner, old);  // not "20*.log"
  files.AddFile(dir + u"\\20210101.log", banner, old);
  files.unreadable.insert(dir + u"\\20210101.log");  // held open by someone
  files.AddDirectory(dir + u"\\2020.log");
  PruneSdkLogFiles(dir, now, 2222);
  EXPECT_FALSE(files.Exists(dir + u"\\20240101.log"));
  EXPECT_FALSE(files.Exists(dir + u"\\20240101_101010.log"));
  for (const char16_t* kept : {u"\\20240120.log", u"\\20230101.log", u"\\20221231.log",
                               u"\\19991231.log", u"\\20220101.txt", u"\\20210101.log"}) {
    EXPECT_TRUE(files.Exists(dir + kept)) << Utf16ToUtf8(kept);
  }
  EXPECT_TRUE(files.IsDirectory(dir + u"\\2020.log"));
}

TEST_F(LogFilesTest, DriverLineMarksALossAfterTheNextRecord) {
  files.AddDirectory(u"C:\\L");
  lock.result = NamedLock::Result::kTimeout;
  EXPECT_TRUE(AppendDriverLogLine(u"C:\\L\\d.log", kModuleDriverUi, kLogInfo, L"lost"));
  EXPECT_FALSE(files.Exists(u"C:\\L\\d.log"));
  EXPECT_EQ(lock.requests.back(), u"Global\\KVT_PRNTER_DRIVER_LOG");
  EXPECT_EQ(lock.timeouts.back(), 10000u);
  lock.result = NamedLock::Result::kAbandoned;  // a dead holder's lock is ours
  EXPECT_TRUE(AppendDriverLogLine(u"C:\\L\\d.log", kModuleDriverUi, kLogInfo, L"next"));
  EXPECT_TRUE(AppendDriverLogLine(u"C:\\L\\d.log", kModuleDriverUi, kLogInfo, L"after"));
  EXPECT_EQ(files.Content(u"C:\\L\\d.log"),
            "2024/01/31 12:34:056 <03000000>, [INF] next\r\n"
            "<=== Log output here failed\r\n"
            "2024/01/31 12:34:056 <03000000>, [INF] after\r\n");
  EXPECT_EQ(lock.held, 0);
}

TEST_F(LogFilesTest, DriverLineGivesUpOnALockedFileAndReportsTheFolder) {
  files.AddDirectory(u"C:");
  files.open_failures = 1000000;
  EXPECT_TRUE(AppendDriverLogLine(u"C:\\New\\d.log", 0, kLogError, L"x"));
  EXPECT_TRUE(files.IsDirectory(u"C:\\New"));  // made on the way
  EXPECT_TRUE(DriverLogWriteFailed().load());
  files.uncreatable.insert(u"C:\\Denied");
  EXPECT_FALSE(AppendDriverLogLine(u"C:\\Denied\\d.log", 0, kLogError, L"x"));
  EXPECT_FALSE(AppendDriverLogLine(u"d.log", 0, kLogError, L"x"));
  ansi.fail = true;
  EXPECT_FALSE(AppendDriverLogLine(u"C:\\New\\d.log", 0, kLogError, L"x"));
}

}  // namespace
}  // namespace kvt::log
