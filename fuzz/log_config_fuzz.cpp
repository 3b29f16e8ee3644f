// The log switches from outside: "LogSettingFlags" and "LogFilePath" as
// printer data of any length, and the daily log's registry values of any
// type and length, through the real reading code and a whole record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "log/driver_log.h"
#include "log/log_files.h"
#include "log/log_format.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_printer_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvt;
  fuzz::Input in(data, size);
  FakeClock clock;
  FakeConfigSource config;
  FakeFileSystem files;
  FakeNamedLock lock;
  FakePrinterData printers;
  ScopedService<Clock> use_clock(clock);
  ScopedService<ConfigSource> use_config(config);
  ScopedService<FileSystem> use_files(files);
  ScopedService<NamedLock> use_lock(lock);
  ScopedService<PrinterData> use_printers(printers);
  files.AddDirectory(u"C:\\ProgramData");
  files.AddDirectory(u"C:\\Logs");
  log::ResetSdkLogForTesting();
  log::ResetDriverLogForTesting();

  // Printer data.
  PrinterHandle printer = printers.Add(u"P");
  const std::vector<std::uint8_t> flags = in.Piece();
  if (in.Flag()) printers.SetBytes(printer, u"LogSettingFlags", flags);
  std::vector<std::uint8_t> path = in.Piece();
  if (in.Flag()) {
    // Usually a path into the fake's folder, sometimes the raw bytes.
    if (in.Flag()) {
      const std::u16string prefix = u"C:\\Logs\\";
      std::vector<std::uint8_t> full;
      for (char16_t c : prefix) full.insert(full.end(), {static_cast<std::uint8_t>(c), 0});
      full.insert(full.end(), path.begin(), path.end());
      path = full;
    }
    printers.SetBytes(printer, u"LogFilePath", path);
  }
  const log::DriverLogSwitches switches = log::ParseLogSettingFlags(&flags);
  if (switches.master && (flags.size() > 6 || flags.empty() || flags[0] == 0)) std::abort();
  if (log::ParseLogFilePath(&path).size() > 259) std::abort();
  LogSource source;
  source.level = kLogError;
  WriteDriverLog(source, printer, L"fuzz %d", 1);
  const std::uint8_t dump[] = {1, 2, 3};
  WriteDriverLogDump(source, printer, dump, 3, nullptr, 0, L"d");

  // Registry values of any type and length.
  const char16_t* names[] = {u"LogLevelFlags", u"LogLevel", u"LogLifeDays"};
  const char16_t* key = in.Flag() ? u"SOFTWARE\\KVT\\ThermalPrinterSdk"
                                  : u"SOFTWARE\\Wow6432Node\\KVT\\ThermalPrinterSdk";
  for (const char16_t* name : names) {
    std::vector<std::uint8_t> value = in.Piece();
    if (value.empty() && in.Flag()) continue;  // missing
    const std::uint32_t type = value.empty() ? 0 : value.front();
    config.Set(key, name, ConfigValue{type, std::move(value)});
  }
  const bool error_on = IsSdkLogEnabled(kSdkError);
  const std::uint32_t level_flags = log::SdkLogLevelFlags();
  const std::uint32_t units = log::SdkLogRetentionUnits();
  if ((level_flags & log::kLevelConfigRead) == 0) std::abort();
  if (error_on && (level_flags & log::kLevelOff) != 0) std::abort();
  if (units != 0 && units != 18181 && (units % 202 != 0 || units > 90 * 202)) std::abort();
  WriteSdkLog(kSdkError, 'E', "f.cpp", 1, 0, L"%ls", L"record");

  log::ResetSdkLogForTesting();
  log::ResetDriverLogForTesting();
  return 0;
}
