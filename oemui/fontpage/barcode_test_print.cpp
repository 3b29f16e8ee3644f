#include "oemui/fontpage/barcode_test_print.h"

#include <algorithm>
#include <new>
#include <string>

#include "barcode/barcode_command.h"
#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/tools/raw_test_job.h"
#include "platform/ansi_text.h"
#include "platform/last_error.h"
#include "platform/service.h"

namespace kvt {
namespace {

constexpr std::uint32_t kResultBadLength = 20;
constexpr std::uint32_t kResultBadData = 21;
constexpr wchar_t kArea1D[] = L"Barcode";
constexpr wchar_t kArea2D[] = L"2D Barcode";

constexpr const char16_t* kSystemNames[] = {u"UPC-A",
                                            u"UPC-E",
                                            u"JAN13 (EAN13)",
                                            u"JAN8 (EAN8)",
                                            u"Code39",
                                            u"ITF",
                                            u"CODABAR",
                                            u"CODE128",
                                            u"CODE93",
                                            u"JAN13 (EAN13) add-on 2",
                                            u"JAN13 (EAN13) add-on 5"};
constexpr const char16_t* kDefaultData[] = {u"012345678905",
                                            u"012345000065",
                                            u"4901234567894",
                                            u"49012347",
                                            u"ABC012",
                                            u"012345",
                                            u"012345",
                                            u"{A{1AB{Bab",
                                            u"ABC012345",
                                            u"490123456789401",
                                            u"490123456789401234"};
constexpr const char16_t* kHriNames[] = {
    u"None",          u"Over (Font A)",  u"Under (Font A)",         u"Over and under (Font A)",
    u"Over (Font B)", u"Under (Font B)", u"Over and under (Font B)"};
constexpr const char16_t* k2DSystemNames[] = {u"QR Code Model-2", u"PDF417"};

template <std::size_t N>
std::u16string Pick(const char16_t* const (&table)[N], std::uint8_t index) {
  return index < N ? std::u16string(table[index]) : std::u16string();
}

// Logs at level 1 and gives |code| back; the caller's last error stays.
template <typename... Args>
std::uint32_t Refuse(const wchar_t* area, int line, PrinterHandle printer, std::uint32_t code,
                     const wchar_t* format, Args... args) {
  WriteDriverLog(LogSource{kModuleDriverUi, line, GetThreadLastError(), kLogError, area}, printer,
                 format, args...);
  return code;
}

void Append(std::vector<std::uint8_t>* out, const std::string& bytes) {
  const std::size_t room = kTestJobHeadMax - std::min(out->size(), kTestJobHeadMax);
  const std::size_t kept = std::min(room, bytes.size());
  out->insert(out->end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kept));
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::vector<std::uint8_t> BuildTestJobHead(TestPosition position, bool info,
                                           const std::vector<TestInfoLine>& lines) {
  std::vector<std::uint8_t> head = {0x1B, 0x40, 0x0A,
                                    0x1B, 0x61, static_cast<std::uint8_t>(position)};
  if (!info) return head;
  head.insert(head.end(), {0x1B, 0x21, 0x00});
  const std::uint32_t saved = GetThreadLastError();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::u16string line = lines[i].label + lines[i].value + u"\n";
    if (i + 1 == lines.size()) line += u"\n";
    std::string ansi;
    // A line the code page cannot take is left out rather than sent half.
    if (Service<AnsiText>().FromUtf16(line, &ansi)) Append(&head, ansi);
  }
  SetThreadLastError(saved);
  return head;
}

std::u16string BarcodeSystemName(std::uint8_t system) { return Pick(kSystemNames, system); }
std::u16string BarcodeHriName(std::uint8_t hri) { return Pick(kHriNames, hri); }
std::u16string Barcode2DSystemName(std::uint8_t system) { return Pick(k2DSystemNames, system); }
std::u16string BarcodeDefaultData(std::uint8_t system) { return Pick(kDefaultData, system); }
std::u16string Barcode2DDefaultData(std::uint8_t system) {
  return system < 2 ? std::u16string(u"ABC0123456789") : std::u16string();
}

std::uint32_t MapBarcodeBuilderError(std::uint32_t error) {
  switch (error) {
    case barcode_error::kInvalidData:
      return kResultBadData;
    case barcode_error::kBadLength:
      return kResultBadLength;
    case barcode_error::kInvalidParameter:
      return kResultInvalid;
    default:
      return kResultBadData;
  }
}

std::u16string TestDataUnderTest(bool hex, std::u16string_view text) {
  if (!hex) return std::u16string(text);
  const int count = static_cast<int>(std::min<std::size_t>(text.size(), kTestDataReadMax));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) / 2 + 1);
  const int converted = HexTextToBytes(bytes.data(), text.data(), count);
  return std::u16string(bytes.begin(), bytes.begin() + std::max(converted, 0));
}

std::uint32_t CheckBarcodeTestData(const BarcodeFontSettings& group, std::u16string_view text,
                                   PrinterHandle printer) {
  using namespace barcode1d;
  const wchar_t* area = kArea1D;
  if (group.bySystem > kJan13AddOn5) {
    return Refuse(area, __LINE__, printer, kResultInvalid, L"Barcode unknown type. [%d]",
                  int{group.bySystem});
  }
  const std::u16string data = TestDataUnderTest(group.byHexInput != 0, text);
  const int n = static_cast<int>(data.size());
  if (n == 0)
    return Refuse(area, __LINE__, printer, kResultBadLength, L"%ls", L"Bad barcode data len");
  for (char16_t c : data) {
    if (c < 32 || c > 126) {
      return Refuse(area, __LINE__, printer, kResultBadData, L"%ls", L"Include non ascii code.");
    }
  }
  if (group.bySystem == kJan13AddOn2 || group.bySystem == kJan13AddOn5) {
    const bool two = group.bySystem == kJan13AddOn2;
    const int minimum = two ? 14 : 17;
    if (n < minimum) {
      return Refuse(area, __LINE__, printer, kResultBadLength,
                    two ? L"JAN13 short data length. [%d]" : L"Jan13 add5 short data length. [%d]",
                    n);
    }
    for (int i = n - (two ? 2 : 5); i < n; ++i) {
      if (!IsDigit(data[static_cast<std::size_t>(i)])) {
        return Refuse(area, __LINE__, printer, kResultBadData, L"Bad add data [%c]",
                      static_cast<int>(data[static_cast<std::size_t>(i)]));
      }
    }
  }
  const wchar_t* bad = nullptr;
  switch (group.bySystem) {
    case kUpcA:
    case kUpcE:
      if (n != 11 && n != 12) bad = L"UPC Bad data length. [%d]";
      break;
    case kEan13:
      if (n != 12 && n != 13) bad = L"EAN13 Bad data length. [%d]";
      break;
    case kEan8:
      if (n != 7 && n != 8) bad = L"EAN8 Bad data length. [%d]";
      break;
    case kItf:
      if (n % 2 != 0) bad = L"ITF Bad data length. [%d]";
      break;
    case kJan13AddOn2:
      if (n != 14 && n != 15) bad = L"Jan13 add2 Bad data length. [%d]";
      break;
    case kJan13AddOn5:
      if (n != 17 && n != 18) bad = L"Jan13 add5 Bad data length. [%d]";
      break;
    default:  // Code39, CODABAR, CODE128, CODE93
      if (n > 255) bad = L"code39/93/128/codebar Bad data length. [%d]";
      break;
  }
  if (bad != nullptr) return Refuse(area, __LINE__, printer, kResultBadLength, bad, n);
  return kResultOk;
}

std::uint32_t CheckBarcode2DTestData(const Barcode2DFontSettings& group, std::u16string_view text,
                                     PrinterHandle printer) {
  const wchar_t* area = kArea2D;
  const std::u16string data = TestDataUnderTest(group.byHexInput != 0, text);
  const int n = static_cast<int>(data.size());
  if (n == 0)
    return Refuse(area, __LINE__, printer, kResultBadLength, L"%ls", L"Bad 0 data length.");
  if (group.bySystem == barcode2d::kQrCode && n > 7089) {
    return Refuse(area, __LINE__, printer, kResultBadLength, L"QR bad data length. [%d]", n);
  }
  if (group.bySystem == barcode2d::kPdf417 && n > 499) {
    return Refuse(area, __LINE__, printer, kResultBadLength, L"PDF417 bad data length. [%d]", n);
  }
  return kResultOk;
}

std::uint32_t SendBarcodeTestJob(const BarcodeTestJob& job) {
  std::vector<std::uint8_t> sent;
  const RawJobOutcome outcome = WriteRawTestJob(
      job.printer, job.document_name, kResultInvalid, [&](std::vector<std::uint8_t>* data) {
        std::vector<std::uint8_t> command;
        const auto count =
            static_cast<std::uint32_t>(std::min<std::size_t>(job.text.size(), kTestDataReadMax));
        if (!GetBarcodeCommand(job.group_1d, job.group_2d, job.text.data(), count, &command)) {
          const std::uint32_t error = GetThreadLastError();
          Refuse(job.log_area, __LINE__, job.printer, 0, L"%ls", L"GetBarcodeCommand()");
          return MapBarcodeBuilderError(error);
        }
        try {
          data->reserve(job.head.size() + command.size() + 3);
        } catch (const std::bad_alloc&) {
          Refuse(job.log_area, __LINE__, job.printer, 0, L"%ls", L"GetBarcodeCommand() pBuf");
          return kResultNoMemory;
        }
        data->assign(job.head.begin(), job.head.end());
        data->insert(data->end(), command.begin(), command.end());
        data->insert(data->end(), {0x1B, 0x4A, 0xA8});
        sent = *data;
        return kResultOk;
      });
  if (outcome.failed_step != RawJobStep::kNone && outcome.failed_step != RawJobStep::kBuild) {
    SetThreadLastError(outcome.error);
    Refuse(job.log_area, __LINE__, job.printer, 0, L"%ls", L"WriteRawTestJob()");
  }
  if (outcome.code == kResultOk) {
    WriteDriverLogDump(
        LogSource{kModuleDriverUi, __LINE__, GetThreadLastError(), kLogInfo, job.log_area},
        job.printer, sent.data(), static_cast<std::uint32_t>(sent.size()), nullptr, 0, L"%ls",
        job.dump_title);
  }
  return outcome.code;
}

}  // namespace kvt
