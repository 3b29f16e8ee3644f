#include "log/driver_log.h"

#include <cstdarg>
#include <mutex>
#include <string>

#include "log/log_files.h"
#include "log/log_format.h"
#include "platform/last_error.h"
#include "platform/printer_data.h"
#include "platform/service.h"

namespace kvt {
namespace log {
namespace {

struct DriverLogSettings {
  std::u16string path;
  DriverLogSwitches switches;
  bool on() const { return !path.empty() && switches.master; }
};

// Read afresh for every record, so a change takes effect at once.
DriverLogSettings ReadSettings(PrinterHandle printer) {
  PrinterData& data = Service<PrinterData>();
  DriverLogSettings settings;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  settings.switches =
      ParseLogSettingFlags(data.Get(printer, u"LogSettingFlags", &type, &bytes) ? &bytes : nullptr);
  if (!settings.switches.master) return settings;
  settings.path =
      ParseLogFilePath(data.Get(printer, u"LogFilePath", &type, &bytes) ? &bytes : nullptr);
  return settings;
}

// The first characters of the previous driver-log text of this process.
struct RepeatMemory {
  std::mutex mutex;
  std::wstring last;
};

RepeatMemory& Repeat() {
  static RepeatMemory memory;
  return memory;
}

// True when |text| repeats the previous text; otherwise remembers it.
bool IsRepeat(const std::wstring& text) {
  RepeatMemory& memory = Repeat();
  std::lock_guard<std::mutex> lock(memory.mutex);
  if (!memory.last.empty() && IsSameLeadingText(memory.last, text)) return true;
  memory.last.assign(text, 0, kRepeatCompareChars);
  return false;
}

int WriteRecord(const LogSource& source, PrinterHandle printer, const wchar_t* format,
                va_list args) {
  const DriverLogSettings settings = ReadSettings(printer);
  if (!settings.on() || !DriverLevelEnabled(source.level, settings.switches)) return 0;
  const std::wstring message = FormatCut(kMaxMessageChars, format, args);
  const std::wstring text = BuildDriverLogText(source, message, source.level == kLogError);
  if (IsRepeat(text)) return 1;
  return AppendDriverLogLine(settings.path, source.moduleId, source.level, text) ? 1 : 0;
}

}  // namespace

void ResetDriverLogForTesting() {
  {
    RepeatMemory& memory = Repeat();
    std::lock_guard<std::mutex> lock(memory.mutex);
    memory.last.clear();
  }
  DriverLogWriteFailed().store(false);
}

}  // namespace log

int WriteDriverLog(const LogSource& source, void* printer, const wchar_t* format, ...) {
  if (printer == nullptr) return 0;
  va_list args;
  va_start(args, format);
  const int result = log::WriteRecord(source, printer, format, args);
  va_end(args);
  SetThreadLastError(source.lastError);
  return result;
}

int WriteDriverLogByName(const LogSource& source, const char16_t* printer_name,
                         const wchar_t* format, ...) {
  PrinterData& data = Service<PrinterData>();
  PrinterHandle printer = nullptr;
  int result = 0;
  if (printer_name != nullptr && data.Open(printer_name, &printer)) {
    va_list args;
    va_start(args, format);
    result = log::WriteRecord(source, printer, format, args);
    va_end(args);
    data.Close(printer);
  }
  SetThreadLastError(source.lastError);
  return result;
}

int WriteDriverLogDump(const LogSource& source, void* printer, const std::uint8_t* sent,
                       std::uint32_t sent_length, const std::uint8_t* received,
                       std::uint32_t received_length, const wchar_t* format, ...) {
  if (printer == nullptr) return 0;
  const log::DriverLogSettings settings = log::ReadSettings(printer);
  if (!settings.on() || !settings.switches.info) {
    SetThreadLastError(source.lastError);
    return 0;
  }
  std::wstring text;
  if (format != nullptr && *format != L'\0') {
    va_list args;
    va_start(args, format);
    text =
        log::BuildDriverLogText(source, log::FormatCut(log::kMaxMessageChars, format, args), false);
    va_end(args);
  }
  bool dumped = false;
  if (sent != nullptr && sent_length > 0) {
    log::AppendDriverLogLine(settings.path, source.moduleId, kLogInfo,
                             log::BuildHexDump(true, text, sent, sent_length));
    dumped = true;
  }
  if (received != nullptr && received_length > 0) {
    log::AppendDriverLogLine(settings.path, source.moduleId, kLogInfo,
                             log::BuildHexDump(false, text, received, received_length));
    dumped = true;
  }
  if (!dumped) log::AppendDriverLogLine(settings.path, source.moduleId, kLogInfo, text);
  SetThreadLastError(source.lastError);
  return 1;
}

}  // namespace kvt
