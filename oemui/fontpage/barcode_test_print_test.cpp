// The barcode test prints: what test data is refused (code and log line),
// how the builder's error becomes a code, the job's head, and failures. The
// whole job's bytes are the sections' tests' to pin.
#include "oemui/fontpage/barcode_test_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/log_test_fixture.h"
#include "platform/fake/fake_spooler.h"

namespace kvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

class BarcodeTestPrint : public log::LogFixture {
 protected:
  BarcodeTestPrint() {
    printer_ = printers.Add(u"KVT QV-J27 Receipt");
    files.AddDirectory(u"C:\\Logs");
    printers.SetString(printer_, u"LogFilePath", u"C:\\Logs\\driver.log");
    printers.SetBytes(printer_, u"LogSettingFlags", {1, 0, 1, 1, 1, 0});
  }
  std::string Log() { return files.Content(u"C:\\Logs\\driver.log"); }
  void ClearLog() {
    files.files.erase(u"C:\\Logs\\driver.log");
    log::ResetDriverLogForTesting();
  }

  FakeSpooler spooler_;
  ScopedService<Spooler> use_spooler_{spooler_};
  PrinterHandle printer_ = nullptr;
};

TEST_F(BarcodeTestPrint, TestDataChecksGiveCodeAndLogLine) {
  struct Case {
    std::uint8_t system;
    bool hex;
    std::u16string text;
    std::uint32_t code;
    const char* logged;  // nullptr: nothing logged
  };
  const Case cases[] = {
      {0, false, u"012345678905", 0, nullptr},
      {0, false, u"0123456789", 20, "UPC Bad data length. [10]"},
      {2, false, u"49012345678", 20, "EAN13 Bad data length. [11]"},
      {3, false, u"490123470", 20, "EAN8 Bad data length. [9]"},
      {5, false, u"01234", 20, "ITF Bad data length. [5]"},
      {4, false, u"", 20, "Bad barcode data len"},
      {4, false, std::u16string(256, u'A'), 20, "code39/93/128/codebar Bad data length. [256]"},
      {7, false, u"{A{1AB{Bab", 0, nullptr},
      {4, false, u"AB\u00e9", 21, "Include non ascii code."},
      // 0x1B arrives from a hex pair: the check is on the converted bytes.
      {4, true, u"41 42 1B", 21, "Include non ascii code."},
      // Nothing but unpaired digits converts to nothing.
      {4, true, u"4 x", 20, "Bad barcode data len"},
      {9, false, u"4901234567890", 20, "JAN13 short data length. [13]"},
      {9, false, u"49012345678940A", 21, "Bad add data [A]"},
      {9, false, u"4901234567894012", 20, "Jan13 add2 Bad data length. [16]"},
      {10, false, u"490123456789400123A", 21, "Bad add data [A]"},
      {10, false, u"4901234567894", 20, "Jan13 add5 short data length. [13]"},
      {10, false, u"490123456789401234", 0, nullptr},
      {11, false, u"012345", 107, "Barcode unknown type. [11]"},
  };
  for (const Case& c : cases) {
    ClearLog();
    BarcodeFontSettings group{};
    group.bySystem = c.system;
    group.byHexInput = c.hex ? 1 : 0;
    SetThreadLastError(1234);
    EXPECT_EQ(CheckBarcodeTestData(group, c.text, printer_), c.code) << c.logged;
    EXPECT_EQ(GetThreadLastError(), 1234u);
    const std::string log = Log();
    if (c.logged == nullptr) {
      EXPECT_EQ(log.find("(Barcode)"), std::string::npos) << log;
    } else {
      EXPECT_NE(log.find(std::string("(Barcode) ") + c.logged), std::string::npos) << log;
    }
  }
}

TEST_F(BarcodeTestPrint, TwoDTestDataChecks) {
  struct Case {
    std::uint8_t system;
    bool hex;
    std::u16string text;
    std::uint32_t code;
    const char* logged;
  };
  const Case cases[] = {
      {0, false, u"ABC0123456789", 0, nullptr},
      {0, true, u"zz", 20, "Bad 0 data length."},
      {0, false, std::u16string(7090, u'A'), 20, "QR bad data length. [7090]"},
      {1, false, std::u16string(500, u'A'), 20, "PDF417 bad data length. [500]"},
  };
  for (const Case& c : cases) {
    ClearLog();
    Barcode2DFontSettings group{};
    group.bySystem = c.system;
    group.byHexInput = c.hex ? 1 : 0;
    EXPECT_EQ(CheckBarcode2DTestData(group, c.text, printer_), c.code);
    if (c.logged != nullptr) {
      EXPECT_NE(Log().find(std::string("(2D Barcode) ") + c.logged), std::string::npos) << Log();
    }
  }
}

TEST(BarcodeBuilderError, MapsToSectionCodes) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {13, 21}, {24, 20}, {87, 107}, {14, 21}, {0, 21}};
  for (const auto& [error, code] : cases) EXPECT_EQ(MapBarcodeBuilderError(error), code) << error;
}

TEST_F(BarcodeTestPrint, HeadByPositionAndInfo) {
  const std::vector<TestInfoLine> lines = {{u"System  \t:", u"UPC-A"}, {u"Position\t:", u"Center"}};
  EXPECT_EQ(BuildTestJobHead(TestPosition::kLeft, false, lines),
            (Bytes{0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x00}));
  EXPECT_EQ(BuildTestJobHead(TestPosition::kRight, false, lines),
            (Bytes{0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x02}));
  Bytes with_info = {0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x01, 0x1B, 0x21, 0x00};
  const Bytes text = Text("System  \t:UPC-A\nPosition\t:Center\n\n");
  with_info.insert(with_info.end(), text.begin(), text.end());
  EXPECT_EQ(BuildTestJobHead(TestPosition::kCenter, true, lines), with_info);
  // Lines longer than the area are cut at its end.
  const std::vector<TestInfoLine> long_lines(3, {u"Width   \t:", std::u16string(300, u'5')});
  EXPECT_EQ(BuildTestJobHead(TestPosition::kLeft, true, long_lines).size(), kTestJobHeadMax);
}

TEST_F(BarcodeTestPrint, FailuresAreCodesNeverSuccess) {
  struct Case {
    const char* fail;
    std::uint32_t write_limit;
    std::uint8_t system;  // 1D UPC-A with bad data makes the builder fail
    std::u16string text;
    std::uint32_t code;
  };
  const Case cases[] = {
      {"", 4, 0, u"012345678905", 107},  // a short write
      {"", UINT32_MAX, 0, u"01234567890A", 21},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    ScopedService<Spooler> use(spooler);
    spooler.fail = c.fail;
    spooler.fail_error = 1801;
    spooler.write_limit = c.write_limit;
    ClearLog();
    BarcodeFontSettings group{};
    group.bySystem = c.system;
    BarcodeTestJob job;
    job.printer = printer_;
    job.document_name = u"KVT BarCode Font Test Print";
    job.head = BuildTestJobHead(TestPosition::kLeft, false, {});
    job.group_1d = reinterpret_cast<std::uint8_t*>(&group);
    job.text = c.text;
    EXPECT_EQ(SendBarcodeTestJob(job), c.code) << c.fail;
    EXPECT_EQ(Log().find("Output Barcode"), std::string::npos) << Log();
    if (c.code == 21) {
      EXPECT_NE(Log().find("(Barcode) GetBarcodeCommand()"), std::string::npos) << Log();
    }
  }
}

}  // namespace
}  // namespace kvt
