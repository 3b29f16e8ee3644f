// The texts of both logs: message formatting, driver-log lines, hex dumps,
// daily-log records, file names, and the reading of the switch values.
// Pure functions, so every byte of a record can be checked without files.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/driver_log.h"
#include "platform/clock.h"
#include "platform/config_source.h"

namespace kvt::log {

// ---- message formatting (wchar_t printf formats)

// Formats |format| with |args| and cuts the result to |max_chars|. A null
// format, or one the runtime refuses, gives an empty text.
std::wstring FormatCut(std::size_t max_chars, const wchar_t* format, va_list args);

// Formats |format| into a buffer of 256 characters, doubling it up to ten
// times (the last holds 131,071 characters). False when the text does not
// fit even then or the runtime refuses the format.
bool FormatGrowing(const wchar_t* format, va_list args, std::wstring* out);

// ---- driver log

constexpr std::size_t kMaxMessageChars = 255;
constexpr std::size_t kMaxDriverTextChars = 1023;
constexpr std::size_t kRepeatCompareChars = 63;

// "DRV UI\t:" and its kin; unknown ids are "SYSTEM\t:".
const wchar_t* ModuleTag(std::uint32_t module_id);
// "ERR", "WAR", "INF"; every other level is "ERR".
const char* DriverLevelText(std::uint32_t level);

// "%s (%s) %s [%d / e:%d]" when |with_error|, else "%s (%s) %s [%d]",
// cut to 1,023 characters.
std::wstring BuildDriverLogText(const LogSource& source, std::wstring_view message,
                                bool with_error);

// "%04d/%02d/%02d %02d:%02d:%03d <%08x>, [%s] %s\r\n" around |ansi_text|.
std::string BuildDriverLogLine(const LocalTime& now, std::uint32_t module_id, std::uint32_t level,
                               std::string_view ansi_text);

// The dump block of one buffer: header, ruler, rows of the first n bytes
// (n = length, at most 256) and, past those, the continuation line; cut to
// the n * 5 + 255 characters its buffer holds.
std::wstring BuildHexDump(bool sent, std::wstring_view text, const std::uint8_t* data,
                          std::uint32_t length);

// Whether two driver-log texts count as a repeat: their first 63
// characters are equal without regard to ASCII case.
bool IsSameLeadingText(std::wstring_view a, std::wstring_view b);

// The switches of "LogSettingFlags": on only when the value exists, has at
// most 6 bytes and byte 0 is non-zero; missing bytes count as zero.
struct DriverLogSwitches {
  bool master = false;
  bool errors = false;    // byte 2
  bool warnings = false;  // byte 3
  bool info = false;      // byte 4: information records and dumps
};
DriverLogSwitches ParseLogSettingFlags(const std::vector<std::uint8_t>* value);

// "LogFilePath" as UTF-16 up to its first terminator; empty (log off) when
// missing or longer than 259 characters.
std::u16string ParseLogFilePath(const std::vector<std::uint8_t>* value);

// Whether a record of |level| passes the switches (master already on).
bool DriverLevelEnabled(std::uint32_t level, const DriverLogSwitches& switches);

// ---- daily log

constexpr std::uint32_t kLevelConfigRead = 0x10000000;
constexpr std::uint32_t kLevelFrozen = 0x40000000;
constexpr std::uint32_t kLevelOff = 0x80000000;

// A registry value as a 4-byte number whatever its type: shorter values
// are zero-extended, longer ones count as missing.
std::optional<std::uint32_t> ConfigNumber(const ConfigValue& value);

// The level mask of a "LogLevel" preset; 0 (off) for 11 and above.
std::uint32_t PresetLevelMask(std::uint32_t preset);

struct SdkLogConfig {
  std::uint32_t mask = 0;
  std::uint32_t retention_units = 0;
};
// From the three registry values, each possibly missing.
SdkLogConfig ComputeSdkLogConfig(std::optional<std::uint32_t> level_flags,
                                 std::optional<std::uint32_t> level,
                                 std::optional<std::uint32_t> life_days);

// "[%02d/%02d %02d:%02d(%02d.%03d)] [%c] [%04d : %04d] : %s\r\n", the
// error in "%#08x" above 9999; letter 0 gives the message and CR LF alone.
std::wstring BuildSdkRecord(char letter, const LocalTime& now, std::uint32_t error, int line,
                            std::wstring_view message);

// The part of a source path from its last backslash (or slash), and the
// three characters of it that the repeat rule compares.
std::string_view SourceFilePart(std::string_view path);

constexpr std::string_view kBanner = "KVT Thermal Printer Logfile\r\n";
constexpr std::string_view kFailedMarker = "<=== Log output here failed\r\n";
constexpr std::string_view kSlowMarker = "File access time is abnormal\r\n";
constexpr std::uint64_t kRotateAboveBytes = 32000000;

std::u16string DailyFileName(std::u16string_view folder, const LocalTime& now);
std::u16string RotatedFileName(std::u16string_view folder, const LocalTime& now);

// |now| on the 100 ns file-time scale, taken as it is (no time-zone
// conversion), as SystemTimeToFileTime does with a local time.
std::uint64_t LocalTimeToFileTime(const LocalTime& now);

// Whether a file last written at |last_write| is older than the retention:
// its upper 32 bits plus |retention_units| (a 32-bit sum) below now's.
bool IsPastRetention(std::uint64_t last_write, std::uint32_t retention_units,
                     std::uint64_t now_file_time);

}  // namespace kvt::log
