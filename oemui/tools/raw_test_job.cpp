#include "oemui/tools/raw_test_job.h"

#include <cstdint>

#include "platform/last_error.h"

namespace kvt {
namespace {

constexpr char16_t kRawDatatype[] = u"RAW";

}  // namespace

RawJobOutcome WriteRawTestJob(PrinterHandle printer, const std::u16string& document_name,
                              std::uint32_t failure_code, const RawJobBuilder& build) {
  Spooler& spooler = Service<Spooler>();
  RawJobOutcome outcome;
  const auto fail = [&](RawJobStep step) {
    if (outcome.failed_step != RawJobStep::kNone) return;
    outcome.error = GetThreadLastError();
    outcome.failed_step = step;
    outcome.code = failure_code;
  };

  if (spooler.StartRawDocument(printer, document_name, kRawDatatype) == 0) {
    fail(RawJobStep::kStartDocument);
    return outcome;
  }
  if (!spooler.StartPage(printer)) {
    fail(RawJobStep::kStartPage);
  } else {
    std::vector<std::uint8_t> data;
    const std::uint32_t built = build ? build(&data) : 0;
    if (built != 0) {
      outcome.code = built;
      outcome.failed_step = RawJobStep::kBuild;
    } else if (data.size() > UINT32_MAX) {
      // One WritePrinter call takes a 32-bit count.
      fail(RawJobStep::kWrite);
    } else if (!data.empty()) {
      std::uint32_t written = 0;
      const auto length = static_cast<std::uint32_t>(data.size());
      if (!spooler.WritePrinter(printer, data.data(), length, &written) || written != length) {
        fail(RawJobStep::kWrite);
      }
    }
    if (!spooler.EndPage(printer)) fail(RawJobStep::kEndPage);
  }
  if (!spooler.EndDocument(printer)) fail(RawJobStep::kEndDocument);
  return outcome;
}

}  // namespace kvt
