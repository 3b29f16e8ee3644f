// Spooler port: what the plug-in asks of the print spooler about a printer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/framework_abi.h"
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

  // The printer's defaults and facts, one spooler call each. A spooler
  // without printers (the record inspector's) refuses them all with
  // ERROR_NOT_SUPPORTED.
  // GetPrinterW level 2 without a buffer: the bytes needed, 0 on failure.
  virtual std::uint32_t PrinterInfo2Size(PrinterHandle printer);
  // GetPrinterW level 2 into |buffer| (a PrinterInfo2 and its strings).
  virtual bool ReadPrinterInfo2(PrinterHandle printer, void* buffer, std::uint32_t size);
  // DocumentPropertiesW without a window or input: |out| null and |mode| 0
  // ask for the size; DM_OUT_BUFFER fills |out| and answers IDOK.
  virtual std::int32_t DocumentProperties(PrinterHandle printer, const char16_t* printer_name,
                                          DEVMODEW* out, std::uint32_t mode);
  // SetPrinterW level 2 with |info| (a PrinterInfo2), no command.
  virtual bool SetPrinterInfo2(PrinterHandle printer, void* info);
  // ResetPrinterW with |datatype| and |devmode|, no access request.
  virtual bool ResetPrinter(PrinterHandle printer, const char16_t* datatype, DEVMODEW* devmode);
  // The driver's version (GetPrinterDriverW level 6, dwlDriverVersion).
  virtual bool DriverVersion(PrinterHandle printer, std::uint64_t* version);
  // The local machine's print processor folder for this environment
  // (GetPrintProcessorDirectoryW level 1), without a trailing backslash.
  virtual bool PrintProcessorDirectory(std::u16string* folder);
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

inline std::uint32_t Spooler::PrinterInfo2Size(PrinterHandle) {
  SetThreadLastError(kSpoolerNotSupported);
  return 0;
}
inline bool Spooler::ReadPrinterInfo2(PrinterHandle, void*, std::uint32_t) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline std::int32_t Spooler::DocumentProperties(PrinterHandle, const char16_t*, DEVMODEW*,
                                                std::uint32_t) {
  SetThreadLastError(kSpoolerNotSupported);
  return -1;
}
inline bool Spooler::SetPrinterInfo2(PrinterHandle, void*) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::ResetPrinter(PrinterHandle, const char16_t*, DEVMODEW*) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::DriverVersion(PrinterHandle, std::uint64_t*) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}
inline bool Spooler::PrintProcessorDirectory(std::u16string*) {
  SetThreadLastError(kSpoolerNotSupported);
  return false;
}

template <>
Spooler& DefaultService<Spooler>();

}  // namespace kvt
