// The raw job every test print of the plug-in sends: one document of data
// type "RAW" on the sheet's printer handle, one page, one write. The
// printer is neither opened nor closed here; the sheet owns its handle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/spooler.h"

namespace kvt {

// Builds the job's bytes once the page has started; answers 0 or the
// caller's own code, which then ends the job without a write.
using RawJobBuilder = std::function<std::uint32_t(std::vector<std::uint8_t>* data)>;

// The spooler call that failed, if any.
enum class RawJobStep { kNone, kStartDocument, kStartPage, kBuild, kWrite, kEndPage, kEndDocument };

struct RawJobOutcome {
  // 0; the builder's code; or |failure_code| when a spooler call failed.
  std::uint32_t code = 0;
  RawJobStep failed_step = RawJobStep::kNone;
  // The spooler's last error right after the failed call (0 for none).
  std::uint32_t error = 0;
};

// StartDocPrinterW (|document_name|, "RAW") - StartPagePrinter - |build| -
// WritePrinter of the whole buffer - EndPagePrinter - EndDocPrinter.
// A refused document ends at once with |failure_code|. A refused page, a
// write that fails or takes fewer bytes than given, and a page or document
// that cannot be ended (the spooler hands the job to the port there) are
// |failure_code| too: nothing is written on a page that was never started,
// and a test print that did not reach the printer is never reported as
// printed. A started page and document are always ended; the first
// failure is the one reported.
RawJobOutcome WriteRawTestJob(PrinterHandle printer, const std::u16string& document_name,
                              std::uint32_t failure_code, const RawJobBuilder& build);

}  // namespace kvt
