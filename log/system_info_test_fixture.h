// Fakes for every port the system information report and the system
// queries use, with the daily log switched on, installed for one test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "log/log_format.h"
#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "log/system_queries.h"
#include "platform/fake/fake_ansi_text.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_file_version.h"
#include "platform/fake/fake_library_loader.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_system_info.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "log/testing/fake_log_ports.h"

namespace kvt::log {

constexpr char16_t kLogKey[] = u"SOFTWARE\\KVT\\ThermalPrinterSdk";
constexpr char16_t kVersionKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char16_t kLogFolder[] = u"C:\\ProgramData\\KVT\\Logs";
constexpr char16_t kDailyFile[] = u"C:\\ProgramData\\KVT\\Logs\\20240131.log";
constexpr char16_t kReportFile[] = u"C:\\ProgramData\\KVT\\Logs\\KvtSysInfo.txt";

class SystemInfoFixture : public ::testing::Test, public testing::FakeLogPorts {
 public:  // table-driven cases set values through a reference
  SystemInfoFixture() {
    files.AddDirectory(u"C:\\ProgramData");
    config.SetNumber(kLogKey, u"LogLevelFlags", 0x86);  // errors, warnings, debug
    ResetSdkLogForTesting();
    ResetResourceLibraryForTesting();
    // Records of calls that pass no error print the thread's own.
    SetThreadLastError(0);
  }
  ~SystemInfoFixture() override {
    ResetSdkLogForTesting();
    ResetResourceLibraryForTesting();
  }

  void SetVersionNumber(const char16_t* name, std::uint32_t value) {
    config.SetNumber(kVersionKey, name, value);
  }
  // A registry text: UTF-16 little-endian with its terminator.
  void SetVersionText(const char16_t* name, std::u16string_view text) {
    ConfigValue value{kValueString, {}};
    for (char16_t c : text) {
      value.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
      value.data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    value.data.push_back(0);
    value.data.push_back(0);
    config.Set(kVersionKey, name, std::move(value));
  }
  void SetWindows10() {
    SetVersionNumber(u"CurrentMajorVersionNumber", 10);
    SetVersionNumber(u"CurrentMinorVersionNumber", 0);
    SetVersionText(u"CurrentBuildNumber", u"19045");
  }

  // The daily file's lines after its banner, each with its CR LF.
  std::vector<std::string> DailyLines() {
    std::vector<std::string> lines;
    const std::string& content = files.Content(kDailyFile);
    std::size_t start = content.compare(0, kBanner.size(), kBanner) == 0 ? kBanner.size() : 0;
    while (start < content.size()) {
      std::size_t end = content.find("\r\n", start);
      end = end == std::string::npos ? content.size() : end + 2;
      lines.push_back(content.substr(start, end - start));
      start = end;
    }
    return lines;
  }

  FakeAnsiText ansi;
  FakeLibraryLoader loader;
  ScopedService<AnsiText> use_ansi{ansi};
  ScopedService<LibraryLoader> use_loader{loader};
};

// Whether |record| is a daily-log error record from |error| with |message|,
// whatever its source line.
inline ::testing::AssertionResult IsErrorRecord(const std::string& record, const char* error,
                                                const std::string& message) {
  const std::string head = std::string("[01/31 12:34(56.789)] [E] [") + error + " : ";
  const std::string tail = "] : " + message + "\r\n";
  if (record.size() == head.size() + 4 + tail.size() && record.compare(0, head.size(), head) == 0 &&
      record.compare(record.size() - tail.size(), tail.size(), tail) == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "record: " << record;
}

}  // namespace kvt::log
