#include "log/driver_log.h"

#include <gtest/gtest.h>

#include "log/log_test_fixture.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr char16_t kPath[] = u"C:\\Logs\\driver.log";

class DriverLogTest : public log::LogFixture {
 protected:
  DriverLogTest() {
    files.AddDirectory(u"C:\\Logs");
    printer = printers.Add(u"KVT QV-J27 Receipt");
    printers.SetString(printer, u"LogFilePath", kPath);
    SetFlags({1, 0, 1, 1, 1, 0});
  }
  void SetFlags(std::vector<std::uint8_t> flags) {
    printers.SetBytes(printer, u"LogSettingFlags", std::move(flags));
  }
  std::string Log() { return files.Content(kPath); }
  static LogSource Source(std::uint32_t level, int line = 10, std::uint32_t error = 0,
                          const wchar_t* area = L"Tools") {
    LogSource source;
    source.level = level;
    source.line = line;
    source.lastError = error;
    source.area = area;
    return source;
  }

  PrinterHandle printer = nullptr;
};

TEST_F(DriverLogTest, WritesTheRecordWithItsLevelAndError) {
  EXPECT_EQ(WriteDriverLog(Source(kLogError, 11, 5), printer, L"OpenPrinter %ls", L"failed"), 1);
  EXPECT_EQ(WriteDriverLog(Source(kLogAlways, 14), printer, L"always"), 1);
  EXPECT_EQ(
      Log(),
      "2024/01/31 12:34:056 <03000000>, [ERR] DRV UI\t: (Tools) OpenPrinter failed [11 / e:5]\r\n"
      "2024/01/31 12:34:056 <03000000>, [ERR] DRV UI\t: (Tools) always [14]\r\n");
}

TEST_F(DriverLogTest, RepeatsAreSuppressedByTheirFirstSixtyThreeCharacters) {
  EXPECT_EQ(WriteDriverLog(Source(kLogError, 10, 5), printer, L"same"), 1);
  EXPECT_EQ(WriteDriverLog(Source(kLogError, 10, 5), printer, L"SAME"), 1);  // case ignored
  EXPECT_EQ(WriteDriverLog(Source(kLogError, 10, 5, L"Font manager"), printer, L"same"), 1);
  EXPECT_EQ(WriteDriverLog(Source(kLogError, 11, 5, L"Font manager"), printer, L"same"), 1);
  const std::string log = Log();
  EXPECT_EQ(log,
            "2024/01/31 12:34:056 <03000000>, [ERR] DRV UI\t: (Tools) same [10 / e:5]\r\n"
            "2024/01/31 12:34:056 <03000000>, [ERR] DRV UI\t: (Font manager) same [10 / e:5]\r\n"
            "2024/01/31 12:34:056 <03000000>, [ERR] DRV UI\t: (Font manager) same [11 / e:5]\r\n");
}

TEST_F(DriverLogTest, DumpWithoutDataWritesTheTextAlone) {
  EXPECT_EQ(WriteDriverLogDump(Source(kLogWarning, 8), printer, nullptr, 5, nullptr, 0, L""), 1);
  const std::uint8_t data[] = {1};
  EXPECT_EQ(WriteDriverLogDump(Source(kLogWarning, 8), printer, data, 0, data, 0, nullptr), 1);
  EXPECT_EQ(WriteDriverLogDump(Source(kLogWarning, 9), printer, nullptr, 0, nullptr, 0, L"only"),
            1);
  EXPECT_EQ(Log(),
            "2024/01/31 12:34:056 <03000000>, [INF] \r\n"
            "2024/01/31 12:34:056 <03000000>, [INF] \r\n"
            "2024/01/31 12:34:056 <03000000>, [INF] DRV UI\t: (Tools) only [9]\r\n");
}

TEST_F(DriverLogTest, DumpsNeedTheInformationSwitch) {
  const std::uint8_t data[] = {1};
  SetFlags({1, 0, 1, 1, 0, 0});
  SetThreadLastError(1);
  EXPECT_EQ(WriteDriverLogDump(Source(kLogError, 1, 4), printer, data, 1, nullptr, 0, L"x"), 0);
  EXPECT_EQ(GetThreadLastError(), 4u);
  SetFlags({0, 0, 0, 0, 1, 0});
  EXPECT_EQ(WriteDriverLogDump(Source(kLogError, 1, 4), printer, data, 1, nullptr, 0, L"x"), 0);
  SetFlags({1, 0, 0, 0, 1, 0});  // the level is not consulted
  EXPECT_EQ(WriteDriverLogDump(Source(8, 1, 4), printer, data, 1, nullptr, 0, L"x"), 1);
}

}  // namespace
}  // namespace kvt
