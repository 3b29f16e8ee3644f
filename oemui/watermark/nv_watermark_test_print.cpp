#include "oemui/watermark/nv_watermark_test_print.h"

#include <cstdio>

#include "core/result_codes.h"
#include "log/driver_log.h"
#include "oemui/tools/raw_test_job.h"
#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr wchar_t kLogArea[] = L"Output command";
constexpr char16_t kDocumentName[] = u"KVT NV Watermark Test Print";
// The info line, at most 29 characters with its line feed.
constexpr std::size_t kInfoTextMax = 29;

void LogError(int line, std::uint32_t error, PrinterHandle printer, const wchar_t* what) {
  WriteDriverLog(LogSource{kModuleDriverUi, line, error, kLogError, kLogArea}, printer, L"%ls",
                 what);
}

}  // namespace

std::vector<std::uint8_t> BuildNvTestBlock(std::uint8_t keycode, bool info) {
  if (keycode > kNvKeycodeMax) return {};
  const auto k1 = static_cast<std::uint8_t>('0' + keycode / 10);
  const auto k2 = static_cast<std::uint8_t>('0' + keycode % 10);
  std::vector<std::uint8_t> block = {0x1B, 0x40};
  if (info) {
    block.insert(block.end(), {0x1B, 0x61, 0x00, 0x1B, 0x21, 0x00});
    char text[kInfoTextMax + 1];
    const int length = std::snprintf(text, sizeof(text), "Keycode: %02d ( %2x %2x )\n",
                                     static_cast<int>(keycode), k1, k2);
    if (length > 0) {
      const std::size_t kept = static_cast<std::size_t>(length) < kInfoTextMax
                                   ? static_cast<std::size_t>(length)
                                   : kInfoTextMax;
      block.insert(block.end(), text, text + kept);
    }
  }
  block.insert(block.end(),
               {0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, k1, k2, 0x01, 0x01, 0x1B, 0x4A, 0xA8});
  return block;
}

std::uint32_t SendNvTestJob(PrinterHandle printer, const std::uint8_t* bytes,
                            std::uint32_t length) {
  if (length > kNvTestBlockMax) return kResultInvalid;
  const RawJobOutcome outcome =
      WriteRawTestJob(printer, kDocumentName, kResultInvalid, [&](std::vector<std::uint8_t>* data) {
        data->assign(bytes, bytes + length);
        return kResultOk;
      });
  switch (outcome.failed_step) {
    case RawJobStep::kStartDocument:
      LogError(__LINE__, outcome.error, printer, L"Output Watermark");
      break;
    case RawJobStep::kStartPage:
      LogError(__LINE__, outcome.error, printer, L"StartPagePrinter");
      break;
    case RawJobStep::kWrite:
      LogError(__LINE__, outcome.error, printer, L"WritePrinter");
      break;
    case RawJobStep::kEndPage:
      LogError(__LINE__, outcome.error, printer, L"EndPagePrinter");
      break;
    case RawJobStep::kEndDocument:
      LogError(__LINE__, outcome.error, printer, L"EndDocPrinter");
      break;
    default:
      break;
  }
  return outcome.code;
}

std::uint32_t PrintNvWatermarkTest(PrinterHandle printer, std::uint8_t keycode, bool info) {
  // The driver log is kept per printer: without a handle there is nowhere
  // to say so.
  if (printer == nullptr) return kResultInvalid;
  const std::vector<std::uint8_t> block = BuildNvTestBlock(keycode, info);
  if (block.empty()) {
    LogError(__LINE__, GetThreadLastError(), printer, L"NV Watermark key code");
    return kResultInvalid;
  }
  const auto length = static_cast<std::uint32_t>(block.size());
  const std::uint32_t code = SendNvTestJob(printer, block.data(), length);
  if (code != kResultOk) {
    LogError(__LINE__, GetThreadLastError(), printer, L"NV Watermark Test Print");
    return code;
  }
  WriteDriverLogDump(LogSource{kModuleDriverUi, __LINE__, GetThreadLastError(), kLogInfo, kLogArea},
                     printer, block.data(), length, nullptr, 0, L"%ls", L"Output Watermark");
  return kResultOk;
}

}  // namespace kvt
