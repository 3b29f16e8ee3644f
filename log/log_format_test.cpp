#include "log/log_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kvt::log {
namespace {

TEST(DriverTextTest, ErrorRecordsCarryTheLastError) {
  LogSource source;
  source.area = L"Tools";
  source.line = 321;
  source.lastError = 5;
  EXPECT_EQ(BuildDriverLogText(source, L"OpenPrinter", true),
            L"DRV UI\t: (Tools) OpenPrinter [321 / e:5]");
  EXPECT_EQ(BuildDriverLogText(source, L"OpenPrinter", false),
            L"DRV UI\t: (Tools) OpenPrinter [321]");
  source.area = nullptr;
  source.moduleId = kModuleSystem;
  EXPECT_EQ(BuildDriverLogText(source, L"GetPrinter size = 0", true),
            L"SYSTEM\t: () GetPrinter size = 0 [321 / e:5]");
}

TEST(DriverTextTest, TextIsCutAt1023Characters) {
  LogSource source;
  // The text around the area is 17 characters: 1006 fit, 1007 make one too many.
  for (std::size_t n : {1006, 1007, 2000}) {
    const std::wstring area(n, L'a');
    source.area = area.c_str();
    const std::wstring text = BuildDriverLogText(source, L"m", false);
    EXPECT_EQ(text.size(), std::min<std::size_t>(n + 17, 1023)) << n;
    EXPECT_EQ(text.substr(0, 10), L"DRV UI\t: (");
  }
}

TEST(DriverLineTest, LevelTextsAndThreeDigitSeconds) {
  const LocalTime at{2024, 1, 31, 9, 5, 7, 999};
  const struct {
    std::uint32_t level;
    const char* tag;
  } cases[] = {
      {kLogError, "ERR"}, {kLogWarning, "WAR"}, {kLogInfo, "INF"}, {kLogAlways, "ERR"}, {3, "ERR"}};
  for (const auto& c : cases) {
    EXPECT_EQ(BuildDriverLogLine(at, kModuleDriverUi, c.level, "text"),
              std::string("2024/01/31 09:05:007 <03000000>, [") + c.tag + "] text\r\n");
  }
  EXPECT_EQ(BuildDriverLogLine(LocalTime{1999, 12, 31, 23, 59, 59, 0}, 0x0510abcd, 4, ""),
            "1999/12/31 23:59:059 <0510abcd>, [INF] \r\n");
}

TEST(DriverLineTest, RepeatComparisonUsesSixtyThreeCharactersWithoutCase) {
  const std::wstring base(63, L'a');
  EXPECT_TRUE(IsSameLeadingText(base + L"one", base + L"two"));
  EXPECT_FALSE(IsSameLeadingText(std::wstring(62, L'a') + L"b", base));
}

std::vector<std::uint8_t> Bytes(std::size_t n) {
  std::vector<std::uint8_t> data(n);
  for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(i);
  return data;
}

constexpr wchar_t kRuler[] = L"Addr : +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n";

TEST(HexDumpTest, ReceivedDataAndShortLastRow) {
  const std::uint8_t data[] = {0xAB, 0xCD, 0xEF, 0x10, 0x1B, 0x40, 0x00, 0xFF, 0x7F,
                               0x80, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0xFE};
  EXPECT_EQ(BuildHexDump(false, L"", data, sizeof(data)),
            std::wstring(L" \n\rRecive data dump. (18 byte)\r\n") + kRuler +
                L"0000 : AB CD EF 10 1B 40 00 FF 7F 80 20 21 22 23 24 25\r\n"
                L"0010 : 26 FE\r\n");
}

TEST(HexDumpTest, ThreeHundredBytesShowSixteenRowsAndTheRest) {
  const auto data = Bytes(300);
  const std::wstring dump = BuildHexDump(true, L"Send", data.data(), 300);
  const std::wstring head = std::wstring(L"Send \n\rOutput data dump. (300 byte)\r\n") + kRuler;
  ASSERT_EQ(dump.substr(0, head.size()), head);
  // Rows of 56 characters with their line end; the last one shown holds 0xF0 to 0xFF.
  const std::wstring tail =
      L"00F0 : F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF\r\n"
      L"continue another 44 bytes... (max dump size:256byte)";
  EXPECT_EQ(dump.size(), head.size() + 15 * 56 + tail.size());
  EXPECT_EQ(dump.substr(dump.size() - tail.size()), tail);
}

TEST(HexDumpTest, BlockIsCutToItsBuffer) {
  // A long text leaves less room than the rows need: the block is cut at
  // n * 5 + 255 characters, never overrun.
  const auto data = Bytes(2);
  const std::wstring text(1023, L't');
  const std::wstring dump = BuildHexDump(true, text, data.data(), 2);
  EXPECT_EQ(dump, std::wstring(265, L't'));
  EXPECT_EQ(BuildHexDump(true, L"", data.data(), 0),
            std::wstring(L" \n\rOutput data dump. (0 byte)\r\n") + kRuler);
}

TEST(SwitchTest, LogSettingFlags) {
  using V = std::vector<std::uint8_t>;
  const struct {
    V value;
    bool present, master, errors, warnings, info;
  } cases[] = {
      {V{1, 0, 1, 1, 1, 0}, true, true, true, true, true},
      {V{0, 1, 1, 1, 1, 1}, true, false, false, false, false},
      {V{1, 0, 1, 1, 1, 0, 0}, true, false, false, false, false},  // 7 bytes: off
      {V{1, 0, 1}, true, true, true, false, false},                // short: rest zero
      {V{}, true, false, false, false, false},
  };
  for (const auto& c : cases) {
    const DriverLogSwitches s = ParseLogSettingFlags(c.present ? &c.value : nullptr);
    EXPECT_EQ(s.master, c.master);
    EXPECT_EQ(s.errors, c.errors);
    EXPECT_EQ(s.warnings, c.warnings);
    EXPECT_EQ(s.info, c.info);
  }
}

// Each level has its own switch; "always" needs none, unknown levels are off.
TEST(SwitchTest, LevelFilter) {
  DriverLogSwitches s;
  s.master = true;
  for (bool* on : {&s.errors, &s.warnings, &s.info, static_cast<bool*>(nullptr)}) {
    EXPECT_TRUE(DriverLevelEnabled(kLogAlways, s));
    EXPECT_EQ(DriverLevelEnabled(kLogError, s), s.errors);
    EXPECT_EQ(DriverLevelEnabled(kLogWarning, s), s.warnings);
    EXPECT_EQ(DriverLevelEnabled(kLogInfo, s), s.info);
    EXPECT_FALSE(DriverLevelEnabled(3, s) || DriverLevelEnabled(8, s));
    if (on != nullptr) *on = true;
  }
}

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text, bool terminator = true) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (terminator) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

TEST(SwitchTest, LogFilePath) {
  const auto path = Utf16Bytes(u"C:\\Logs\\drv.log");
  EXPECT_EQ(ParseLogFilePath(&path), u"C:\\Logs\\drv.log");
  const auto unterminated = Utf16Bytes(u"C:\\a.log", false);
  EXPECT_EQ(ParseLogFilePath(&unterminated), u"C:\\a.log");
  const auto longest = Utf16Bytes(std::u16string(259, u'p'));
  EXPECT_EQ(ParseLogFilePath(&longest).size(), 259u);
  const auto too_long = Utf16Bytes(std::u16string(260, u'p'));
  EXPECT_EQ(ParseLogFilePath(&too_long), u"");
  EXPECT_EQ(ParseLogFilePath(nullptr), u"");
  const std::vector<std::uint8_t> odd = {'A', 0, 'B'};
  EXPECT_EQ(ParseLogFilePath(&odd), u"A");
}

TEST(ConfigTest, NumbersAreFourBytesWhateverTheirType) {
  EXPECT_EQ(ConfigNumber(ConfigValue{kValueDword, {0x96, 0x0B, 0, 0}}), 0xB96u);
  EXPECT_EQ(ConfigNumber(ConfigValue{kValueBinary, {2}}), 2u);
  EXPECT_EQ(ConfigNumber(ConfigValue{kValueDword, {1, 0, 0, 0, 0}}), std::nullopt);
}

TEST(ConfigTest, PresetsAndRetention) {
  const std::uint32_t masks[] = {0x1, 0x2, 0x6, 0x16, 0x116, 0x316, 0x36, 0x76, 0x96, 0xB96, 0xB96};
  for (std::uint32_t preset = 0; preset < 11; ++preset) {
    EXPECT_EQ(PresetLevelMask(preset), masks[preset]) << preset;
  }
  EXPECT_EQ(PresetLevelMask(11), 0u);
  EXPECT_EQ(PresetLevelMask(0xFFFFFFFF), 0u);

  using O = std::optional<std::uint32_t>;
  const struct {
    O flags, level, days;
    std::uint32_t mask, units;
  } cases[] = {
      {std::nullopt, std::nullopt, std::nullopt, 0, 0},  // neither value: off
      {std::nullopt, 1, std::nullopt, 0x2, 2222},
      {0x80000082, 1, 0, 0x80000082, 0},  // flags win over the preset
      {0x2, std::nullopt, 1, 0x2, 404},
      {0x2, std::nullopt, 89, 0x2, 18180},
      {0x2, std::nullopt, 90, 0x2, 18181},
      {0, 9, 10, 0, 0},  // a zero mask never reads the days
  };
  for (const auto& c : cases) {
    const SdkLogConfig config = ComputeSdkLogConfig(c.flags, c.level, c.days);
    EXPECT_EQ(config.mask, c.mask);
    EXPECT_EQ(config.retention_units, c.units);
  }
}

TEST(SdkRecordTest, Layouts) {
  const LocalTime at{2024, 1, 31, 12, 34, 56, 789};
  const struct {
    char letter;
    std::uint32_t error;
    int line;
    const wchar_t* expected;
  } cases[] = {
      {'E', 5, 123, L"[01/31 12:34(56.789)] [E] [0005 : 0123] : msg\r\n"},
      {'D', 9999, 12345, L"[01/31 12:34(56.789)] [D] [9999 : 12345] : msg\r\n"},
      {'E', 10000, 1, L"[01/31 12:34(56.789)] [E] [0x002710 : 0001] : msg\r\n"},
      {'E', 0x80070057, 88, L"[01/31 12:34(56.789)] [E] [0x80070057 : 0088] : msg\r\n"},
      {0, 0x80070057, 88, L"msg\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildSdkRecord(c.letter, at, c.error, c.line, L"msg"), c.expected);
  }
}

TEST(SdkRecordTest, SourceFilePart) {
  EXPECT_EQ(SourceFilePart(".\\Barcode.cpp"), "\\Barcode.cpp");
  EXPECT_EQ(SourceFilePart("/work/main/barcode/encode.cpp"), "/encode.cpp");
  EXPECT_EQ(SourceFilePart("plain.cpp"), "plain.cpp");
}

TEST(FileNameTest, DailyAndRotatedNames) {
  const LocalTime at{2024, 1, 31, 7, 8, 9, 10};
  EXPECT_EQ(DailyFileName(u"C:\\ProgramData\\KVT\\Logs", at),
            u"C:\\ProgramData\\KVT\\Logs\\20240131.log");
  EXPECT_EQ(RotatedFileName(u"C:\\L", at), u"C:\\L\\20240131_070809.log");
}

TEST(RetentionTest, FileTimeScaleAndUnsignedSum) {
  // 2024-01-31 00:00:00 as a file time (SystemTimeToFileTime's answer).
  EXPECT_EQ(LocalTimeToFileTime(LocalTime{2024, 1, 31, 0, 0, 0, 0}), 133511328000000000ull);
  EXPECT_EQ(LocalTimeToFileTime(LocalTime{2024, 13, 1, 0, 0, 0, 0}), 0ull);

  const std::uint64_t now = std::uint64_t{40000} << 32;
  EXPECT_TRUE(IsPastRetention(std::uint64_t{37777} << 32, 2222, now));
  EXPECT_FALSE(IsPastRetention(std::uint64_t{37778} << 32, 2222, now));  // equal is kept
  // Only the upper 32 bits count.
  EXPECT_TRUE(IsPastRetention((std::uint64_t{37778} << 32) - 1, 2222, now));
  EXPECT_FALSE(IsPastRetention(std::uint64_t{37778} << 32, 2222, now + 0xFFFFFFFF));
  // The sum wraps at 32 bits: a far-future time plus the units comes out
  // small, so that file counts as old.
  EXPECT_TRUE(IsPastRetention(std::uint64_t{0xFFFFFF00} << 32, 0x200, now));
}

}  // namespace
}  // namespace kvt::log
