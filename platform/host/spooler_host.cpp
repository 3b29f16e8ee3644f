#include "platform/spooler.h"

#include "platform/last_error.h"
#include "platform/service.h"

namespace kvt {
namespace {

// Linux has no spooler: every printer is unknown, as a handle the spooler
// does not recognise would be on Windows (ERROR_INVALID_HANDLE).
class HostSpooler final : public Spooler {
 public:
  DriverNameStatus GetPrinterDriverName(PrinterHandle, std::u16string*) override {
    SetThreadLastError(6);
    return DriverNameStatus::kSizeQueryFailed;
  }
  std::uint32_t StartRawDocument(PrinterHandle, const std::u16string&,
                                 const std::u16string&) override {
    SetThreadLastError(6);
    return 0;
  }
};

}  // namespace

template <>
Spooler& DefaultService<Spooler>() {
  static HostSpooler spooler;
  return spooler;
}

}  // namespace kvt
