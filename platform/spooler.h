// Spooler port: what the plug-in asks of the print spooler about a printer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/last_error.h"
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

  // A raw job on an already open printer, one spooler call each:
  // StartDocPrinterW at level 1 (|document_name|, no output file,
  // |datatype|), StartPagePrinter, WritePrinter, EndPagePrinter,
  // EndDocPrinter. False (StartRawDocument: job id 0) on failure, with the
  // spooler's last error left behind; |*written| gets the bytes taken.
  // A spooler that cannot print (the record inspector's) keeps these
  // refusals with ERROR_NOT_SUPPORTED.
  virtual std::uint32_t StartRawDocument(PrinterHandle printer, const std::u16string& document_name,
                                         const std::u16string& datatype);
  virtual bool StartPage(PrinterHandle printer);
  virtual bool WritePrinter(PrinterHandle printer, const std::uint8_t* data, std::uint32_t length,
                            std::uint32_t* written);
  virtual bool EndPage(PrinterHandle printer);
  virtual bool EndDocument(PrinterHandle printer);
};

inline constexpr std::uint32_t kSpoolerNotSupported = 50;  // ERROR_NOT_SUPPORTED

inline std::uint32_t Spooler::StartRawDocument(PrinterHandle, const std::u16string&,
                                               const std::u16string&) {
  SetThreadLastError(kSpoolerNotSupported);
  return 0;
}
inline bool Spooler::StartPage(PrinterHandle) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::WritePrinter(PrinterHandle, const std::uint8_t*, std::uint32_t,
                                  std::uint32_t* written) {
  *written = 0;
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::EndPage(PrinterHandle) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::EndDocument(PrinterHandle) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}

template <>
Spooler& DefaultService<Spooler>();

}  // namespace kvt
