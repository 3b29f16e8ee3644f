// Printer data port: a printer opened by name and the named values of its
// printer data (GetPrinterDataW), such as "LogFilePath".
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/service.h"
#include "platform/spooler.h"

namespace kvt {

class PrinterData {
 public:
  virtual ~PrinterData() = default;

  // OpenPrinterW without defaults. False with the thread's last error set.
  virtual bool Open(std::u16string_view printer_name, PrinterHandle* printer) = 0;
  virtual void Close(PrinterHandle printer) = 0;

  // The value's type and bytes. False, with the thread's last error set,
  // when the value is missing or the handle is not a printer.
  virtual bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
                   std::vector<std::uint8_t>* data) = 0;
};

template <>
PrinterData& DefaultService<PrinterData>();

}  // namespace kvt
