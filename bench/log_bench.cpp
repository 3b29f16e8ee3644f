// Records per second of both logs on Linux's real files and locks, each
// beside the bare sequence that any such writer must do: take the lock,
// open for append, write the same bytes, close, release. The logs open and
// close the file for every record (other processes share it), so the
// baseline does too.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "log/driver_log.h"
#include "log/log_files.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_printer_data.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_named_lock.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

// One record's worth of bytes, as long as a typical driver-log line.
const std::string kLine =
    "2024/01/31 12:34:056 <03000000>, [INF] DRV UI\t: (Tools) benchmark record 12345 [42]\r\n";

struct Bed {
  Bed() {
    std::string pattern = (fs::temp_directory_path() / "kvt-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    fs::create_directories(folder + "/ProgramData");
    files = std::make_unique<HostFileSystem>(folder + "/ProgramData");
    lock = std::make_unique<HostNamedLock>(folder);
    use_files = std::make_unique<ScopedService<FileSystem>>(*files);
    use_lock = std::make_unique<ScopedService<NamedLock>>(*lock);
    use_config = std::make_unique<ScopedService<ConfigSource>>(config);
    use_printers = std::make_unique<ScopedService<PrinterData>>(printers);
    config.SetNumber(u"SOFTWARE\\KVT\\ThermalPrinterSdk", u"LogLevelFlags", 0x86);
    printer = printers.Add(u"KVT QV-J27 Receipt");
    printers.SetString(printer, u"LogFilePath", Utf8ToUtf16(folder + "/driver.log"));
    printers.SetBytes(printer, u"LogSettingFlags", {1, 0, 1, 1, 1, 0});
  }
  ~Bed() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string folder;
  std::unique_ptr<HostFileSystem> files;
  std::unique_ptr<HostNamedLock> lock;
  FakeConfigSource config;
  FakePrinterData printers;
  std::unique_ptr<ScopedService<FileSystem>> use_files;
  std::unique_ptr<ScopedService<NamedLock>> use_lock;
  std::unique_ptr<ScopedService<ConfigSource>> use_config;
  std::unique_ptr<ScopedService<PrinterData>> use_printers;
  PrinterHandle printer = nullptr;
};

Bed& TheBed() {
  static Bed bed;
  return bed;
}

void BaselineRecord(const std::string& path) {
  std::unique_ptr<NamedLock::Holder> held;
  TheBed().lock->Acquire(log::kDriverLockName, 10000, &held);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (write(fd, kLine.data(), kLine.size()) != static_cast<ssize_t>(kLine.size())) std::abort();
  close(fd);
}

void DriverRecord(int i) {
  LogSource source;
  source.level = kLogInfo;
  source.line = i;
  source.area = L"Tools";
  // The number varies within the first 63 characters, so no record is
  // taken for a repeat.
  WriteDriverLog(source, TheBed().printer, L"benchmark record %d", i);
}

void SdkRecord(int i) {
  WriteSdkLog(kSdkDebug, 'D', "/src/bench.cpp", i, 0, L"benchmark record %d padding to size", i);
}

void BM_Baseline(benchmark::State& state) {
  const std::string path = TheBed().folder + "/baseline.log";
  for (auto _ : state) BaselineRecord(path);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Baseline);

void BM_WriteDriverLog(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) DriverRecord(++i);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteDriverLog);

void BM_WriteSdkLog(benchmark::State& state) {
  log::ResetSdkLogForTesting();
  int i = 0;
  for (auto _ : state) SdkRecord(++i);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteSdkLog);

// kProcesses writers at once, each writing kPerProcess records; the time
// is the wall time until the last one ends. "lost" counts records that did
// not arrive (must be 0).
constexpr int kProcesses = 4;
constexpr int kPerProcess = 2000;

std::size_t CountLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::size_t lines = 0;
  std::string line;
  while (std::getline(in, line)) ++lines;
  return lines;
}

template <class Record>
void RunProcesses(benchmark::State& state, const std::string& path, Record record) {
  std::size_t lost = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ignored;
    fs::remove(path, ignored);
    log::ResetSdkLogForTesting();
    state.ResumeTiming();
    for (int p = 0; p < kProcesses; ++p) {
      if (fork() == 0) {
        for (int i = 0; i < kPerProcess; ++i) record(p * kPerProcess + i);
        _exit(0);
      }
    }
    for (int p = 0; p < kProcesses; ++p) wait(nullptr);
    state.PauseTiming();
    const std::size_t lines = CountLines(path);
    const std::size_t expected = kProcesses * kPerProcess;
    lost += lines >= expected ? 0 : expected - lines;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kProcesses * kPerProcess);
  state.counters["lost"] = static_cast<double>(lost);
}

void BM_Baseline_4Processes(benchmark::State& state) {
  const std::string path = TheBed().folder + "/baseline.log";
  RunProcesses(state, path, [&](int) { BaselineRecord(path); });
}
BENCHMARK(BM_Baseline_4Processes)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_WriteDriverLog_4Processes(benchmark::State& state) {
  RunProcesses(state, TheBed().folder + "/driver.log", DriverRecord);
}
BENCHMARK(BM_WriteDriverLog_4Processes)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

std::string DailyPath() {
  time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  char name[32];
  std::snprintf(name, sizeof(name), "/%04d%02d%02d.log", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday);
  return TheBed().folder + "/ProgramData/KVT/Logs" + name;
}

void BM_WriteSdkLog_4Processes(benchmark::State& state) {
  // The banner adds a line to each new file.
  RunProcesses(state, DailyPath(), SdkRecord);
}
BENCHMARK(BM_WriteSdkLog_4Processes)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvt
