// Printer data port: a printer opened by name and the named values of its
// printer data (GetPrinterDataW, SetPrinterDataW), such as "LogFilePath".
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
  // OpenPrinterW asking for |access| (for example PRINTER_ALL_ACCESS,
  // 0xF000C, which writing printer data needs). False with the thread's
  // last error set.
  virtual bool OpenWithAccess(std::u16string_view printer_name, std::uint32_t access,
                              PrinterHandle* printer) = 0;
  virtual void Close(PrinterHandle printer) = 0;

  // The value's type and bytes. False, with the thread's last error set,
  // when the value is missing or the handle is not a printer.
  virtual bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
                   std::vector<std::uint8_t>* data) = 0;

  // Stores |size| bytes of |data| as the value, with registry type |type|
  // (REG_SZ 1, REG_DWORD 4). The bytes are written as given: a string's
  // terminator is stored only when |size| counts it. False, with the
  // thread's last error set, when the value cannot be written.
  virtual bool Set(PrinterHandle printer, std::u16string_view value_name, std::uint32_t type,
                   const void* data, std::uint32_t size) = 0;
};

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kPrinterAllAccess = 0xF000C;

template <>
PrinterData& DefaultService<PrinterData>();

}  // namespace kvt
