// The per-printer driver log: entry points for the pages and test prints.
//
// Formats are wchar_t printf formats; pass wide strings with %ls so the
// same format works with the Windows and the glibc runtime. None of these
// ever fails its caller, and the caller's last error is left as documented.
#pragma once

#include <cstdint>

namespace kvt {

// Module ids (selects the tag of the line).
constexpr std::uint32_t kModuleSystem = 0x00000000;
constexpr std::uint32_t kModuleDriverUi = 0x03000000;

// Levels of a driver-log record.
constexpr std::uint32_t kLogError = 1;
constexpr std::uint32_t kLogWarning = 2;
constexpr std::uint32_t kLogInfo = 4;
constexpr std::uint32_t kLogAlways = 128;

// Filled by each caller just before the call.
struct LogSource {
  std::uint32_t moduleId = kModuleDriverUi;
  std::int32_t line = 0;
  std::uint32_t lastError = 0;  // GetLastError taken just before the call
  std::uint32_t level = kLogError;
  const wchar_t* area = L"";
};

// 1 when the record was written or suppressed as a repeat, 0 when the
// printer handle is null or the log is off for this level. Except for a
// null handle, leaves the thread's last error set to source.lastError.
int WriteDriverLog(const LogSource& source, void* printer, const wchar_t* format, ...);

// Opens the printer by name, writes as WriteDriverLog, closes it; 0 when
// the printer cannot be opened. Always leaves last error = source.lastError.
int WriteDriverLogByName(const LogSource& source, const char16_t* printer_name,
                         const wchar_t* format, ...);

// Hex dumps of the bytes sent to and received from the printer, or the
// formatted text alone when there is no data. Result and last error as
// WriteDriverLog. |format| may be null.
int WriteDriverLogDump(const LogSource& source, void* printer, const std::uint8_t* sent,
                       std::uint32_t sent_length, const std::uint8_t* received,
                       std::uint32_t received_length, const wchar_t* format, ...);

}  // namespace kvt
