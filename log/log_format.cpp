#include "log/log_format.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace kvt::log {
namespace {

// Formats into |room| characters (terminator included); the length, or -1
// when the text does not fit or the runtime refuses the format. Runtimes
// differ on what they leave in the buffer when the text does not fit, so
// only a complete result is used.
int TryFormat(wchar_t* buffer, std::size_t room, const wchar_t* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int written = std::vswprintf(buffer, room, format, copy);
  va_end(copy);
  if (written < 0 || static_cast<std::size_t>(written) >= room) return -1;
  return written;
}

constexpr std::size_t kFirstRoom = 256;
constexpr int kFormatTries = 10;

std::wstring Widen(const char* ascii) {
  std::wstring out;
  for (; *ascii != '\0'; ++ascii) out.push_back(static_cast<unsigned char>(*ascii));
  return out;
}

// printf's "%0*d": the sign, then zeros up to |width| characters in all.
// Records are built on every call of the log, so this avoids printf's cost.
template <class String>
void AppendDecimal(String* out, long long value, int width) {
  char digits[24];
  int count = 0;
  unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) {
    out->push_back('-');
    --width;
  }
  for (int pad = width - count; pad > 0; --pad) out->push_back('0');
  while (count > 0) out->push_back(digits[--count]);
}

// printf's "%0*X" (upper) or "%0*x".
template <class String>
void AppendHex(String* out, unsigned long long value, int width, bool upper) {
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char digits[20];
  int count = 0;
  do {
    digits[count++] = alphabet[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int pad = width - count; pad > 0; --pad) out->push_back('0');
  while (count > 0) out->push_back(digits[--count]);
}

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

std::uint32_t Retention(std::optional<std::uint32_t> life_days) {
  if (!life_days) return (10 + 1) * 202;
  if (*life_days == 0) return 0;
  if (*life_days >= 90) return 18181;
  return (*life_days + 1) * 202;
}

std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<std::int64_t>(day_of_era);
}

}  // namespace

std::wstring FormatCut(std::size_t max_chars, const wchar_t* format, va_list args) {
  if (format == nullptr) return std::wstring();
  wchar_t first[kFirstRoom];
  int written = TryFormat(first, kFirstRoom, format, args);
  if (written >= 0) return std::wstring(first, std::min<std::size_t>(written, max_chars));
  // Too long for the first buffer: format it whole, then cut.
  std::vector<wchar_t> buffer;
  std::size_t room = kFirstRoom;
  for (int attempt = 1; attempt < kFormatTries; ++attempt) {
    room *= 2;
    buffer.resize(room);
    written = TryFormat(buffer.data(), room, format, args);
    if (written >= 0) {
      return std::wstring(buffer.data(), std::min<std::size_t>(written, max_chars));
    }
  }
  return std::wstring();
}

bool FormatGrowing(const wchar_t* format, va_list args, std::wstring* out) {
  if (format == nullptr) return false;
  std::vector<wchar_t> buffer;
  std::size_t room = kFirstRoom;
  for (int attempt = 0; attempt < kFormatTries; ++attempt, room *= 2) {
    buffer.resize(room);
    const int written = TryFormat(buffer.data(), room, format, args);
    if (written >= 0) {
      out->assign(buffer.data(), static_cast<std::size_t>(written));
      return true;
    }
  }
  return false;
}

const wchar_t* ModuleTag(std::uint32_t module_id) {
  switch (module_id) {
    case 0x01000000:
      return L"UTLITY\t:";
    case 0x03000000:
      return L"DRV UI\t:";
    case 0x04000000:
      return L"DRV UNI\t:";
    case 0x05000000:
      return L"APIDLL\t:";
    case 0x05100000:
      return L"SRV IO\t:";
    case 0x05200000:
      return L"PRT IO\t:";
    case 0x06100000:
      return L"LNG MN\t:";
    case 0x06300000:
      return L"PRT MN\t:";
    default:
      return L"SYSTEM\t:";
  }
}

const char* DriverLevelText(std::uint32_t level) {
  switch (level) {
    case kLogWarning:
      return "WAR";
    case kLogInfo:
      return "INF";
    default:
      return "ERR";
  }
}

std::wstring BuildDriverLogText(const LogSource& source, std::wstring_view message,
                                bool with_error) {
  std::wstring text = ModuleTag(source.moduleId);
  text += L" (";
  if (source.area != nullptr) text += source.area;
  text += L") ";
  text += message;
  // " [%d / e:%d]" or " [%d]"; the error is printed signed, as it always was.
  text += L" [";
  AppendDecimal(&text, source.line, 0);
  if (with_error) {
    text += L" / e:";
    AppendDecimal(&text, static_cast<std::int32_t>(source.lastError), 0);
  }
  text += L']';
  if (text.size() > kMaxDriverTextChars) text.resize(kMaxDriverTextChars);
  return text;
}

std::string BuildDriverLogLine(const LocalTime& now, std::uint32_t module_id, std::uint32_t level,
                               std::string_view ansi_text) {
  // The second is printed with three digits (000 to 059): the file format
  // has always looked so, and tools that read these files expect it.
  // "%04d/%02d/%02d %02d:%02d:%03d <%08x>, [%s] "
  std::string line;
  line.reserve(ansi_text.size() + 48);
  AppendDecimal(&line, now.year, 4);
  line.push_back('/');
  AppendDecimal(&line, now.month, 2);
  line.push_back('/');
  AppendDecimal(&line, now.day, 2);
  line.push_back(' ');
  AppendDecimal(&line, now.hour, 2);
  line.push_back(':');
  AppendDecimal(&line, now.minute, 2);
  line.push_back(':');
  AppendDecimal(&line, now.second, 3);
  line.append(" <");
  AppendHex(&line, module_id, 8, false);
  line.append(">, [");
  line.append(DriverLevelText(level));
  line.append("] ");
  line.append(ansi_text);
  line.append("\r\n");
  return line;
}

std::wstring BuildHexDump(bool sent, std::wstring_view text, const std::uint8_t* data,
                          std::uint32_t length) {
  constexpr std::uint32_t kMaxDumpBytes = 256;
  const std::uint32_t shown = length < kMaxDumpBytes ? length : kMaxDumpBytes;
  std::wstring block(text);
  // Space, line feed, carriage return, in that order, as readers of these
  // files have always seen it.
  block += sent ? L" \n\rOutput data dump. (" : L" \n\rRecive data dump. (";
  block += std::to_wstring(static_cast<std::int32_t>(length));
  block += L" byte)\r\nAddr : +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n";
  for (std::uint32_t row = 0; row < shown; row += 16) {
    AppendHex(&block, row, 4, true);  // "%04X :"
    block += L" :";
    for (std::uint32_t i = row; i < shown && i < row + 16; ++i) {
      block += L' ';  // " %02X"
      AppendHex(&block, data[i], 2, true);
    }
    block += L"\r\n";
  }
  if (length > kMaxDumpBytes) {
    char tail[96];
    std::snprintf(tail, sizeof(tail), "continue another %d bytes... (max dump size:256byte)",
                  static_cast<int>(length - kMaxDumpBytes));
    block += Widen(tail);
  }
  const std::size_t capacity = std::size_t{shown} * 5 + 255;
  if (block.size() > capacity) block.resize(capacity);
  return block;
}

bool IsSameLeadingText(std::wstring_view a, std::wstring_view b) {
  const std::size_t count_a = std::min(a.size(), kRepeatCompareChars);
  const std::size_t count_b = std::min(b.size(), kRepeatCompareChars);
  if (count_a != count_b) return false;
  for (std::size_t i = 0; i < count_a; ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

DriverLogSwitches ParseLogSettingFlags(const std::vector<std::uint8_t>* value) {
  DriverLogSwitches switches;
  if (value == nullptr || value->size() > 6 || value->empty() || (*value)[0] == 0) return switches;
  auto byte = [&](std::size_t i) { return i < value->size() && (*value)[i] != 0; };
  switches.master = true;
  switches.errors = byte(2);
  switches.warnings = byte(3);
  switches.info = byte(4);
  return switches;
}

std::u16string ParseLogFilePath(const std::vector<std::uint8_t>* value) {
  constexpr std::size_t kMaxPathChars = 259;
  std::u16string path;
  if (value == nullptr) return path;
  for (std::size_t i = 0; i + 1 < value->size(); i += 2) {
    const auto c = static_cast<char16_t>((*value)[i] | ((*value)[i + 1] << 8));
    if (c == 0) break;
    if (path.size() == kMaxPathChars) return std::u16string();  // would not fit: off
    path.push_back(c);
  }
  return path;
}

bool DriverLevelEnabled(std::uint32_t level, const DriverLogSwitches& switches) {
  switch (level) {
    case kLogError:
      return switches.errors;
    case kLogWarning:
      return switches.warnings;
    case kLogInfo:
      return switches.info;
    case kLogAlways:
      return true;
    default:
      return false;
  }
}

std::optional<std::uint32_t> ConfigNumber(const ConfigValue& value) {
  if (value.data.size() > 4) return std::nullopt;
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    number |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
  }
  return number;
}

std::uint32_t PresetLevelMask(std::uint32_t preset) {
  static constexpr std::uint32_t kPresets[] = {0x1,  0x2,  0x6,  0x16,  0x116, 0x316,
                                               0x36, 0x76, 0x96, 0xB96, 0xB96};
  return preset < sizeof(kPresets) / sizeof(kPresets[0]) ? kPresets[preset] : 0;
}

SdkLogConfig ComputeSdkLogConfig(std::optional<std::uint32_t> level_flags,
                                 std::optional<std::uint32_t> level,
                                 std::optional<std::uint32_t> life_days) {
  SdkLogConfig config;
  config.mask = level_flags ? *level_flags : (level ? PresetLevelMask(*level) : 0);
  config.retention_units = config.mask == 0 ? 0 : Retention(life_days);
  return config;
}

std::wstring BuildSdkRecord(char letter, const LocalTime& now, std::uint32_t error, int line,
                            std::wstring_view message) {
  std::wstring record;
  record.reserve(message.size() + 48);
  if (letter != 0) {
    // "[%02d/%02d %02d:%02d(%02d.%03d)] [%c] [%04d : %04d] : "
    record += L'[';
    AppendDecimal(&record, now.month, 2);
    record += L'/';
    AppendDecimal(&record, now.day, 2);
    record += L' ';
    AppendDecimal(&record, now.hour, 2);
    record += L':';
    AppendDecimal(&record, now.minute, 2);
    record += L'(';
    AppendDecimal(&record, now.second, 2);
    record += L'.';
    AppendDecimal(&record, now.milliseconds, 3);
    record += L")] [";
    record += static_cast<wchar_t>(static_cast<unsigned char>(letter));
    record += L"] [";
    if (error <= 9999) {
      AppendDecimal(&record, error, 4);
    } else {
      // Above 9999 the code is an HRESULT or similar: "%#08x", hex with
      // its 0x, so 0x80070057 reads as itself.
      record += L"0x";
      AppendHex(&record, error, 6, false);
    }
    record += L" : ";
    AppendDecimal(&record, line, 4);
    record += L"] : ";
  }
  record += message;
  record += L"\r\n";
  return record;
}

std::string_view SourceFilePart(std::string_view path) {
  // Windows builds pass paths with backslashes; a slash stands in for one
  // in paths from other compilers, so two files are never taken for one.
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut);
}

std::u16string DailyFileName(std::u16string_view folder, const LocalTime& now) {
  char name[32];
  std::snprintf(name, sizeof(name), "\\%04d%02d%02d.log", now.year, now.month, now.day);
  std::u16string path(folder);
  for (const char* c = name; *c != '\0'; ++c) path.push_back(static_cast<char16_t>(*c));
  return path;
}

std::u16string RotatedFileName(std::u16string_view folder, const LocalTime& now) {
  char name[48];
  std::snprintf(name, sizeof(name), "\\%04d%02d%02d_%02d%02d%02d.log", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  std::u16string path(folder);
  for (const char* c = name; *c != '\0'; ++c) path.push_back(static_cast<char16_t>(*c));
  return path;
}

std::uint64_t LocalTimeToFileTime(const LocalTime& now) {
  if (now.month < 1 || now.month > 12 || now.day < 1 || now.day > 31 || now.year < 1601) return 0;
  const std::int64_t days = DaysFromCivil(now.year, now.month, now.day) - DaysFromCivil(1601, 1, 1);
  const std::int64_t seconds = days * 86400 + now.hour * 3600 + now.minute * 60 + now.second;
  return static_cast<std::uint64_t>(seconds) * 10000000u +
         static_cast<std::uint64_t>(now.milliseconds) * 10000u;
}

bool IsPastRetention(std::uint64_t last_write, std::uint32_t retention_units,
                     std::uint64_t now_file_time) {
  const auto file_units = static_cast<std::uint32_t>(last_write >> 32);
  const auto now_units = static_cast<std::uint32_t>(now_file_time >> 32);
  return static_cast<std::uint32_t>(file_units + retention_units) < now_units;
}

}  // namespace kvt::log
