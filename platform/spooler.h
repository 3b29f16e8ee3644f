// Spooler port: what the plug-in asks of the print spooler about a printer.
#pragma once

#include <string>

#include "platform/service.h"

namespace kvt {

using PrinterHandle = void*;

class Spooler {
 public:
  virtual ~Spooler() = default;

  enum class DriverNameStatus {
    kOk,
    kSizeQueryFailed,  // the level-2 size query answered 0 bytes
    kReadFailed,       // the level-2 read itself failed
  };

  // The driver name from the printer's level-2 information. On failure the
  // thread's last error is what the spooler left.
  virtual DriverNameStatus GetPrinterDriverName(PrinterHandle printer,
                                                std::u16string* driver_name) = 0;
};

template <>
Spooler& DefaultService<Spooler>();

}  // namespace kvt
