// The stored-image test print: the block's bytes, and what a refused job
// answers and logs.
#include "oemui/watermark/nv_watermark_test_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/log_test_fixture.h"
#include "platform/fake/fake_spooler.h"

namespace kvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(NvTestBlock, ExactBytesByKeyCodeAndInfo) {
  const Bytes kInfoHead = {0x1B, 0x40, 0x1B, 0x61, 0x00, 0x1B, 0x21, 0x00};
  struct Case {
    std::uint8_t keycode;
    bool info;
    Bytes block;
  };
  const Case cases[] = {
      {0,
       false,
       {0x1B, 0x40, 0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, 0x30, 0x30, 0x01, 0x01, 0x1B, 0x4A,
        0xA8}},
      {5, true,
       Concat(
           {kInfoHead,
            Text("Keycode: 05 ( 30 35 )\n"),
            {0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, 0x30, 0x35, 0x01, 0x01, 0x1B, 0x4A, 0xA8}})},
      // Two digits name no key past 99.
      {100, false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildNvTestBlock(c.keycode, c.info), c.block) << int{c.keycode} << " " << c.info;
    EXPECT_LE(BuildNvTestBlock(c.keycode, c.info).size(), kNvTestBlockMax);
  }
}

class NvTestPrint : public log::LogFixture {
 protected:
  NvTestPrint() {
    printer_ = printers.Add(u"KVT QV-J27 Receipt");
    files.AddDirectory(u"C:\\Logs");
    printers.SetString(printer_, u"LogFilePath", u"C:\\Logs\\driver.log");
    printers.SetBytes(printer_, u"LogSettingFlags", {1, 0, 1, 1, 1, 0});
  }
  std::string Log() { return files.Content(u"C:\\Logs\\driver.log"); }

  FakeSpooler spooler_;
  ScopedService<Spooler> use_spooler_{spooler_};
  PrinterHandle printer_ = nullptr;
};

TEST_F(NvTestPrint, SentBlockLandsInOneRawJobAndIsDumped) {
  ASSERT_EQ(PrintNvWatermarkTest(printer_, 7, false), 0u);
  ASSERT_EQ(spooler_.documents.size(), 1u);
  EXPECT_EQ(spooler_.documents[0].name + spooler_.documents[0].datatype,
            u"KVT NV Watermark Test PrintRAW");
  EXPECT_EQ(spooler_.documents[0].data, BuildNvTestBlock(7, false));
  const std::string log = Log();
  EXPECT_NE(log.find("(Output command) Output Watermark"), std::string::npos) << log;
  EXPECT_NE(log.find("Output data dump. (16 byte)"), std::string::npos) << log;
}

TEST_F(NvTestPrint, RefusedJobsAnswer107AndAreLogged) {
  struct Case {
    const char* fail;
    const char* logged;  // the failed call's record
  };
  const Case cases[] = {
      // A refused document is no unreadable printer: 107, not 202, so the
      // page does not cancel the sheet.
      {"StartDoc", "Output Watermark"},
      {"StartPage", "StartPagePrinter"},
      {"Write", "WritePrinter"},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    ScopedService<Spooler> use(spooler);
    spooler.fail = c.fail;
    spooler.fail_error = 1801;
    files.files.erase(u"C:\\Logs\\driver.log");
    log::ResetDriverLogForTesting();
    EXPECT_EQ(PrintNvWatermarkTest(printer_, 12, true), 107u) << c.fail;
    const std::string log = Log();
    EXPECT_NE(log.find(std::string("(Output command) ") + c.logged), std::string::npos) << log;
    EXPECT_NE(log.find("(Output command) NV Watermark Test Print"), std::string::npos) << log;
    EXPECT_EQ(log.find("Output data dump"), std::string::npos) << log;
  }
}

}  // namespace
}  // namespace kvt
