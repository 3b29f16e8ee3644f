// The barcode and 2D barcode test prints of the Font page: the check of the
// test data, the job's head (reset, position and the optional information
// lines) and the raw job that carries the builder's command to the printer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/private_settings.h"
#include "platform/spooler.h"

namespace kvt {

// The head of a test job (reset, line feed, position, the information
// text) never grows past this many bytes.
inline constexpr std::size_t kTestJobHeadMax = 512;
// The test data edit holds at most this many characters; a print reads up
// to kTestDataReadMax of them.
inline constexpr int kTestDataLimit = 64;
inline constexpr int kTestDataReadMax = 255;

enum class TestPosition : std::uint8_t { kLeft = 0, kCenter = 1, kRight = 2 };

// One information line: its label (for example "System  \t:") and value.
struct TestInfoLine {
  std::u16string label;
  std::u16string value;
};

// 1B 40 0A 1B 61 p; with |info| also 1B 21 00 and one line per entry, label
// and value in the ANSI code page and a line feed, the last line with a
// second one. Every part is cut to what still fits in kTestJobHeadMax.
std::vector<std::uint8_t> BuildTestJobHead(TestPosition position, bool info,
                                           const std::vector<TestInfoLine>& lines);

// The ASCII names the information prints: the barcode systems (0 to 10),
// the HRI choices (0 to 6) and the 2D systems (0 and 1). Empty past the
// end.
std::u16string BarcodeSystemName(std::uint8_t system);
std::u16string BarcodeHriName(std::uint8_t hri);
std::u16string Barcode2DSystemName(std::uint8_t system);
// The test data each system proposes. Empty past the end.
std::u16string BarcodeDefaultData(std::uint8_t system);
std::u16string Barcode2DDefaultData(std::uint8_t system);

// The builder's last error as the section's code: 13 gives 21, 24 gives 20,
// 87 gives 107, anything else (no error at all included) 21.
std::uint32_t MapBarcodeBuilderError(std::uint32_t error);

// The test data as the printer would get it: hex pairs turned into one
// character per byte when |hex| is set, else the text itself.
std::u16string TestDataUnderTest(bool hex, std::u16string_view text);

// 0, or the code (20, 21, 107) of test data the barcode print refuses; the
// reason goes to the driver log of |printer| (area "Barcode").
std::uint32_t CheckBarcodeTestData(const BarcodeFontSettings& group, std::u16string_view text,
                                   PrinterHandle printer);
// The same for a 2D code (area "2D Barcode").
std::uint32_t CheckBarcode2DTestData(const Barcode2DFontSettings& group, std::u16string_view text,
                                     PrinterHandle printer);

// What a test print sends and where it logs.
struct BarcodeTestJob {
  PrinterHandle printer = nullptr;
  std::u16string document_name;
  const wchar_t* log_area = L"Barcode";
  const wchar_t* dump_title = L"Output Barcode";
  std::vector<std::uint8_t> head;    // BuildTestJobHead
  std::uint8_t* group_1d = nullptr;  // the group in the working record,
  std::uint8_t* group_2d = nullptr;  // one of the two
  std::u16string text;               // the test data as typed
};

// Sends the head, the builder's command for the group and the test data,
// and 1B 4A A8 (feed 168 dots) as one raw job, and logs a dump of what was
// written. 0; the builder's mapped code; 220 when the job's buffer cannot
// be had; 107 when the spooler refuses the document, the page or the
// write, or takes fewer bytes than given.
std::uint32_t SendBarcodeTestJob(const BarcodeTestJob& job);

}  // namespace kvt
