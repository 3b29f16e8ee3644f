// The logs on Linux's real files and locks, with several processes writing
// at once. The ports alone are pinned on the real platform by the wine tests.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "log/driver_log.h"
#include "log/log_files.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "platform/clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_printer_data.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_named_lock.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kvt-log-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream out;
  out << in.rdbuf();
  return out.str();
}

// ---- the logs on real files, locks and processes

class HostLogTest : public ::testing::Test {
 protected:
  HostLogTest() {
    fs::create_directories(dir_.path() + "/ProgramData");
    fs::create_directories(dir_.path() + "/locks");
    config_.SetNumber(u"SOFTWARE\\KVT\\ThermalPrinterSdk", u"LogLevelFlags", 0x86);
    printer_ = printers_.Add(u"KVT QV-J27 Receipt");
    printers_.SetString(printer_, u"LogFilePath",
                        Utf8ToUtf16(dir_.path() + "/driver\\logs\\driver.log"));
    printers_.SetBytes(printer_, u"LogSettingFlags", {1, 0, 1, 1, 1, 0});
    log::ResetSdkLogForTesting();
    log::ResetDriverLogForTesting();
  }
  ~HostLogTest() override {
    log::ResetSdkLogForTesting();
    log::ResetDriverLogForTesting();
  }

  std::string LogsFolder() const { return dir_.path() + "/ProgramData/KVT/Logs"; }
  std::string DriverLogPath() const { return dir_.path() + "/driver/logs/driver.log"; }

  TempFolder dir_;
  HostFileSystem files_{dir_.path() + "/ProgramData"};
  HostNamedLock lock_{dir_.path() + "/locks"};
  FakeConfigSource config_;
  FakePrinterData printers_;
  ScopedService<FileSystem> use_files_{files_};
  ScopedService<NamedLock> use_lock_{lock_};
  ScopedService<ConfigSource> use_config_{config_};
  ScopedService<PrinterData> use_printers_{printers_};
  PrinterHandle printer_ = nullptr;
};

// Each writer process writes kRecords records to both logs; the records
// carry the writer's number and their own so the parent can account for
// every one.
constexpr int kWriters = 4;
constexpr int kRecords = 2000;

void RunWriter(int writer, PrinterHandle printer) {
  // The records print the thread's last error, which fork copied from the
  // parent's thread; start from none so every record reads 0000.
  SetThreadLastError(0);
  const std::wstring padding(60, L'.');
  LogSource source;
  source.level = kLogInfo;
  source.area = L"MP";
  for (int i = 0; i < kRecords; ++i) {
    WriteSdkLog(kSdkDebug, 'D', "/src/mp.cpp", i, 0, L"w%d r%d %ls end", writer, i,
                padding.c_str());
    source.line = i;
    if (WriteDriverLog(source, printer, L"w%d r%d %ls end", writer, i, padding.c_str()) != 1)
      _exit(3);
  }
}

// Counts the records of |text| by writer and number; false on any line
// that is not a whole record of ours.
bool CountRecords(const std::string& text, const std::regex& record,
                  std::map<std::pair<int, int>, int>* counts, std::string* bad) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      *bad = "unterminated: " + text.substr(start, 200);
      return false;
    }
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (line.empty() || line == "KVT Thermal Printer Logfile") continue;
    std::smatch match;
    if (!std::regex_match(line, match, record)) {
      *bad = line.substr(0, 200);
      return false;
    }
    ++(*counts)[{std::stoi(match[1]), std::stoi(match[2])}];
  }
  return true;
}

TEST_F(HostLogTest, ProcessesWritingAtOnceLoseNothing) {
  // Today's daily file is one byte past the rotation size (sparse), so the
  // first record rotates it while the writers race.
  fs::create_directories(LogsFolder());
  const LocalTime now = DefaultService<Clock>().Now();
  char daily[32];
  std::snprintf(daily, sizeof(daily), "/%04d%02d%02d.log", now.year, now.month, now.day);
  std::ofstream(LogsFolder() + daily, std::ios::binary) << "KVT Thermal Printer Logfile\r\n";
  ASSERT_EQ(truncate((LogsFolder() + daily).c_str(), 32000001 - 2), 0);
  std::ofstream(LogsFolder() + daily, std::ios::binary | std::ios::app) << "\r\n";

  // A holder that takes both locks and is killed while the writers wait.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    std::unique_ptr<NamedLock::Holder> a, b;
    if (!IsHeld(lock_.Acquire(log::kSdkLockName, 1000, &a)) ||
        !IsHeld(lock_.Acquire(log::kDriverLockName, 1000, &b))) {
      _exit(1);
    }
    (void)!write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  close(ready[0]);
  close(ready[1]);

  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      RunWriter(w, printer_);
      _exit(0);
    }
    writers.push_back(pid);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  for (pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  // The daily log: every record once, across the daily file and the
  // rotated one; the rotated file keeps its old bytes ahead of them.
  const std::regex daily_record(
      R"(\[\d\d/\d\d \d\d:\d\d\(\d\d\.\d{3}\)\] \[D\] \[0000 : \d{4}\] : w(\d) r(\d+) \.{60} end)");
  std::map<std::pair<int, int>, int> counts;
  int files_seen = 0;
  bool rotated = false;
  for (const auto& entry : fs::directory_iterator(LogsFolder())) {
    if (entry.path().extension() != ".log") continue;  // the report lies beside them
    std::string text = ReadAll(entry.path().string());
    ++files_seen;
    if (text.size() > 32000000) {
      rotated = true;
      text = text.substr(32000001);
    }
    std::string bad;
    ASSERT_TRUE(CountRecords(text, daily_record, &counts, &bad)) << entry.path() << ": " << bad;
  }
  EXPECT_TRUE(rotated);
  EXPECT_EQ(files_seen, 2);
  EXPECT_EQ(counts.size(), static_cast<std::size_t>(kWriters * kRecords));
  for (const auto& [record, count] : counts)
    ASSERT_EQ(count, 1) << record.first << "/" << record.second;

  const std::regex driver_record(
      R"(\d{4}/\d\d/\d\d \d\d:\d\d:0[0-5]\d <03000000>, \[INF\] DRV UI\t: \(MP\) w(\d) r(\d+) \.{60} end \[\d+\])");
  counts.clear();
  std::string bad;
  ASSERT_TRUE(CountRecords(ReadAll(DriverLogPath()), driver_record, &counts, &bad)) << bad;
  EXPECT_EQ(counts.size(), static_cast<std::size_t>(kWriters * kRecords));
  for (const auto& [record, count] : counts)
    ASSERT_EQ(count, 1) << record.first << "/" << record.second;
}

}  // namespace
}  // namespace kvt
