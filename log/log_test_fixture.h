// Fakes for every port the logs use, installed for one test.
#pragma once

#include <gtest/gtest.h>

#include "log/log_files.h"
#include "log/sdk_log_internal.h"
#include "platform/fake/fake_ansi_text.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_config_source.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_file_version.h"
#include "platform/fake/fake_named_lock.h"
#include "platform/fake/fake_printer_data.h"
#include "platform/fake/fake_system_info.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "log/testing/fake_log_ports.h"

namespace kvt::log {

class LogFixture : public ::testing::Test, public testing::FakeLogPorts {
 protected:
  LogFixture() {
    files.AddDirectory(u"C:\\ProgramData");
    SetThreadLastError(0);  // records print it; start every test from none
    ResetSdkLogForTesting();
    ResetDriverLogForTesting();
  }
  ~LogFixture() override {
    ResetSdkLogForTesting();
    ResetDriverLogForTesting();
  }

  FakePrinterData printers;
  FakeAnsiText ansi;
  ScopedService<PrinterData> use_printers{printers};
  ScopedService<AnsiText> use_ansi{ansi};
};

}  // namespace kvt::log
