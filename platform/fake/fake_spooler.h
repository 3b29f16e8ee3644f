// In-memory spooler for tests: printers are keyed by their handle value.
#pragma once

#include <map>
#include <string>

#include "platform/last_error.h"
#include "platform/spooler.h"

namespace kvt {

class FakeSpooler final : public Spooler {
 public:
  struct Printer {
    std::u16string driver_name;
    DriverNameStatus status = DriverNameStatus::kOk;
    std::uint32_t error = 0;  // last error left on failure
  };

  void AddPrinter(PrinterHandle handle, Printer printer) { printers_[handle] = std::move(printer); }

  DriverNameStatus GetPrinterDriverName(PrinterHandle handle,
                                        std::u16string* driver_name) override {
    ++driver_name_calls;
    auto it = printers_.find(handle);
    if (it == printers_.end()) {
      SetThreadLastError(6);  // ERROR_INVALID_HANDLE
      return DriverNameStatus::kSizeQueryFailed;
    }
    if (it->second.status != DriverNameStatus::kOk) {
      SetThreadLastError(it->second.error);
      return it->second.status;
    }
    *driver_name = it->second.driver_name;
    return DriverNameStatus::kOk;
  }

  int driver_name_calls = 0;

 private:
  std::map<PrinterHandle, Printer> printers_;
};

}  // namespace kvt
