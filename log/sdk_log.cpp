#include "log/sdk_log.h"

#include <cstdarg>
#include <mutex>

#include "log/log_files.h"
#include "log/log_format.h"
#include "log/sdk_log_internal.h"
#include "log/system_info_report.h"
#include "platform/ansi_text.h"
#include "platform/clock.h"
#include "platform/config_source.h"
#include "platform/last_error.h"
#include "platform/named_lock.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace log {
namespace {

constexpr std::u16string_view kConfigKey = u"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr std::u16string_view kConfigKeyWow = u"SOFTWARE\\Wow6432Node\\KVT\\ThermalPrinterSdk";
constexpr std::uint32_t kConfigRefreshMs = 10000;

// Configuration and folder: read on every record, changed at most every
// 10 seconds. The mutex only keeps threads of this process from tearing
// them; it is never held across a wait.
struct ConfigState {
  std::mutex mutex;
  bool started = false;
  std::uint32_t level_flags = 0;
  std::uint32_t retention_units = 0;
  std::uint32_t last_check = 0;
  std::u16string folder;
};

ConfigState& Config() {
  static ConfigState state;
  return state;
}

// The current daily file; touched only while holding the machine-wide lock,
// which also keeps this process's threads apart.
struct FileState {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::u16string daily_path;
};

FileState& Files() {
  static FileState state;
  return state;
}

std::atomic<bool>& PermanentlyDisabled() {
  static std::atomic<bool> disabled{false};
  return disabled;
}

// The last record's line and the first three characters of its file part,
// for the rule that writes an error repeated from one place only once.
struct RepeatState {
  std::mutex mutex;
  bool known = false;
  int line = 0;
  char file[3] = {0, 0, 0};
};

RepeatState& Repeat() {
  static RepeatState state;
  return state;
}

// Depth of this thread's hold on the daily log's lock. The report, written
// under the lock, may itself log; it then writes without taking the lock a
// second time (which Linux's flock would not grant to the same process).
thread_local int t_lock_depth = 0;

std::optional<std::uint32_t> ReadNumber(ConfigSource::Key& key, std::u16string_view name) {
  ConfigValue value;
  if (!key.Read(name, &value)) return std::nullopt;
  return ConfigNumber(value);
}

// With the config mutex held.
bool EnsureDirectoryLocked(ConfigState& state) {
  FileSystem& files = Service<FileSystem>();
  if (!state.folder.empty() && files.IsDirectory(state.folder)) return true;
  std::u16string folder;
  if (!files.CommonAppDataFolder(&folder)) {
    state.folder.clear();
    return false;
  }
  folder += u"\\KVT";
  // Another process may make it between the check and ours.
  if (!files.IsDirectory(folder) && !files.MakeDirectory(folder) && !files.IsDirectory(folder)) {
    state.folder.clear();
    return false;
  }
  folder += u"\\Logs";
  if (!files.IsDirectory(folder)) files.MakeDirectory(folder);
  if (!files.IsDirectory(folder)) {
    state.folder.clear();
    return false;
  }
  GrantUsersFullAccess(folder);
  state.folder = folder;
  return true;
}

// With the config mutex held.
void ReadConfigLocked(ConfigState& state) {
  ConfigSource& source = Service<ConfigSource>();
  std::unique_ptr<ConfigSource::Key> key = source.OpenMachineKey(kConfigKey);
  if (!key) key = source.OpenMachineKey(kConfigKeyWow);
  if (!key) {
    // Keep the mask, but count the configuration as read, so that a
    // machine without the key is asked again only every 10 seconds rather
    // than on every record.
    state.level_flags |= kLevelConfigRead;
    return;
  }
  std::optional<std::uint32_t> level_flags = ReadNumber(*key, u"LogLevelFlags");
  std::optional<std::uint32_t> level;
  std::optional<std::uint32_t> life_days;
  if (!level_flags) level = ReadNumber(*key, u"LogLevel");
  const std::uint32_t mask = ComputeSdkLogConfig(level_flags, level, std::nullopt).mask;
  if (mask != 0) life_days = ReadNumber(*key, u"LogLifeDays");
  const SdkLogConfig config = ComputeSdkLogConfig(level_flags, level, life_days);
  state.level_flags = config.mask | kLevelConfigRead;
  state.retention_units = config.retention_units;
}

}  // namespace

void ReadSdkLogConfig() {
  ConfigState& state = Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  ReadConfigLocked(state);
}

bool EnsureSdkLogDirectory() {
  ConfigState& state = Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  return EnsureDirectoryLocked(state);
}

std::u16string SdkLogFolder() {
  ConfigState& state = Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.folder;
}

std::uint32_t SdkLogLevelFlags() {
  ConfigState& state = Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.level_flags;
}

std::uint32_t SdkLogRetentionUnits() {
  ConfigState& state = Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.retention_units;
}

std::atomic<bool>& SdkLogWriteFailed() {
  static std::atomic<bool> failed{false};
  return failed;
}

std::unique_ptr<FileSystem::File> OpenWithSdkLogRetry(std::u16string_view path) {
  std::uint32_t elapsed = 0;
  return OpenWithRetry(path, SdkLogWriteFailed(), &elapsed);
}

void AppendSdkLogText(std::wstring_view text) {
  if (PermanentlyDisabled().load()) return;
  std::string ansi;
  if (!Service<AnsiText>().FromUtf16(WideToUtf16(text), &ansi)) {
    // A text this process cannot convert means its conversion is broken:
    // stay silent rather than fail on every record.
    PermanentlyDisabled().store(true);
    return;
  }
  const std::u16string folder = SdkLogFolder();
  if (folder.empty()) return;
  FileSystem& files = Service<FileSystem>();
  const LocalTime now = Service<Clock>().Now();
  std::atomic<bool>& write_failed = SdkLogWriteFailed();

  std::unique_ptr<NamedLock::Holder> holder;
  if (t_lock_depth == 0) {
    // Bounded, as for the driver log: a hung holder costs this record (and
    // leaves the marker for the next), never the caller's thread.
    if (!IsHeld(Service<NamedLock>().Acquire(kSdkLockName, kLockWaitMs, &holder))) {
      write_failed.store(true);
      return;
    }
  }
  ++t_lock_depth;
  struct DepthGuard {
    ~DepthGuard() { --t_lock_depth; }
  } depth_guard;

  FileState& state = Files();
  if (now.year != state.year || now.month != state.month || now.day != state.day ||
      state.daily_path.empty()) {
    state.year = now.year;
    state.month = now.month;
    state.day = now.day;
    state.daily_path = DailyFileName(folder, now);
    PruneSdkLogFiles(folder, LocalTimeToFileTime(now), SdkLogRetentionUnits());
    WriteSystemInfoReport();
  }
  const std::u16string daily_path = state.daily_path;

  std::uint32_t elapsed = 0;
  std::uint64_t size = 0;
  bool size_known = false;
  if (auto file = OpenWithRetry(daily_path, write_failed, &elapsed)) {
    size_known = file->Size(&size);
    if (size_known && size == 0) file->Append(kBanner);
    if (elapsed > kOpenGiveUpMs) file->Append(kSlowMarker);
    // Here the marker stands just before the first record after a loss.
    if (write_failed.exchange(false)) file->Append(kFailedMarker);
    if (!file->Append(ansi)) write_failed.store(true);
  }
  if (size_known && size > kRotateAboveBytes) {
    // A failed rename leaves the file growing; the next record tries again.
    files.Rename(daily_path, RotatedFileName(folder, now));
  }
}

void ResetSdkLogForTesting() {
  {
    ConfigState& state = Config();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.started = false;
    state.level_flags = 0;
    state.retention_units = 0;
    state.last_check = 0;
    state.folder.clear();
  }
  Files() = FileState();
  PermanentlyDisabled().store(false);
  SdkLogWriteFailed().store(false);
  RepeatState& repeat = Repeat();
  std::lock_guard<std::mutex> lock(repeat.mutex);
  repeat.known = false;
  repeat.line = 0;
  repeat.file[0] = repeat.file[1] = repeat.file[2] = 0;
}

}  // namespace log

bool IsSdkLogEnabled(std::uint32_t level_mask) {
  LastErrorGuard keep_last_error;
  log::ConfigState& state = log::Config();
  std::lock_guard<std::mutex> lock(state.mutex);
  Clock& clock = Service<Clock>();
  if (!state.started) {
    state.started = true;
    state.last_check = clock.Ticks();
  }
  bool refresh = true;
  if ((state.level_flags & log::kLevelConfigRead) != 0) {
    const std::uint32_t now = clock.Ticks();
    if (now - state.last_check < log::kConfigRefreshMs) {
      refresh = false;
    } else {
      state.last_check = now;
    }
  }
  if (refresh) {
    // The folder is looked up on first use and, while it is missing, again
    // at each refresh; without it records are dropped rather than written
    // to a file named from an empty folder.
    if (state.folder.empty()) log::EnsureDirectoryLocked(state);
    if ((state.level_flags & log::kLevelFrozen) == 0) log::ReadConfigLocked(state);
  }
  if (state.folder.empty()) return false;
  if ((state.level_flags & log::kLevelOff) != 0) return false;
  return (level_mask & state.level_flags) != 0;
}

void WriteSdkLog(std::uint32_t level_mask, char letter, const char* source_file, int line,
                 std::uint32_t last_error, const wchar_t* format, ...) {
  const std::uint32_t caller_error = GetThreadLastError();
  if (!IsSdkLogEnabled(level_mask)) return;

  const std::string_view part = log::SourceFilePart(source_file != nullptr ? source_file : "");
  char file[3] = {0, 0, 0};
  for (std::size_t i = 0; i < 3 && i < part.size(); ++i) file[i] = part[i];

  log::RepeatState& repeat = log::Repeat();
  {
    std::lock_guard<std::mutex> lock(repeat.mutex);
    if (level_mask == kSdkError && repeat.known && repeat.line == line &&
        repeat.file[0] == file[0] && repeat.file[1] == file[1] && repeat.file[2] == file[2]) {
      SetThreadLastError(caller_error);
      return;
    }
  }

  const std::uint32_t error = last_error != 0 ? last_error : caller_error;
  std::wstring message;
  va_list args;
  va_start(args, format);
  const bool formatted = log::FormatGrowing(format, args, &message);
  va_end(args);
  if (formatted) {
    log::AppendSdkLogText(
        log::BuildSdkRecord(letter, Service<Clock>().Now(), error, line, message));
  }
  {
    std::lock_guard<std::mutex> lock(repeat.mutex);
    repeat.known = true;
    repeat.line = line;
    repeat.file[0] = file[0];
    repeat.file[1] = file[1];
    repeat.file[2] = file[2];
  }
  SetThreadLastError(last_error);
}

}  // namespace kvt
