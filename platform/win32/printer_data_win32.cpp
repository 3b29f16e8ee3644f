#include "platform/printer_data.h"

#include <windows.h>
#include <winspool.h>

#include <string>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32PrinterData final : public PrinterData {
 public:
  bool Open(std::u16string_view printer_name, PrinterHandle* printer) override {
    std::wstring name(printer_name.begin(), printer_name.end());
    HANDLE handle = nullptr;
    if (!::OpenPrinterW(name.data(), &handle, nullptr)) return false;
    *printer = handle;
    return true;
  }

  bool OpenWithAccess(std::u16string_view printer_name, std::uint32_t access,
                      PrinterHandle* printer) override {
    std::wstring name(printer_name.begin(), printer_name.end());
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE handle = nullptr;
    if (!::OpenPrinterW(name.data(), &handle, &defaults)) return false;
    *printer = handle;
    return true;
  }

  void Close(PrinterHandle printer) override { ::ClosePrinter(static_cast<HANDLE>(printer)); }

  bool Get(PrinterHandle printer, std::u16string_view value_name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) override {
    std::wstring name(value_name.begin(), value_name.end());
    // Most values (switch bytes, a path) fit the first buffer, so one call
    // usually does; a bigger value is read again at its size, a few times
    // in case it grows in between.
    data->assign(1024, 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD value_type = 0;
      DWORD needed = 0;
      const DWORD status =
          ::GetPrinterDataW(static_cast<HANDLE>(printer), name.data(), &value_type, data->data(),
                            static_cast<DWORD>(data->size()), &needed);
      if (status == ERROR_MORE_DATA && needed > data->size()) {
        data->assign(needed, 0);
        continue;
      }
      if (status != ERROR_SUCCESS) {
        ::SetLastError(status);
        return false;
      }
      data->resize(needed < data->size() ? needed : data->size());
      *type = value_type;
      return true;
    }
    ::SetLastError(ERROR_MORE_DATA);
    return false;
  }

  bool Set(PrinterHandle printer, std::u16string_view value_name, std::uint32_t type,
           const void* data, std::uint32_t size) override {
    std::wstring name(value_name.begin(), value_name.end());
    // SetPrinterDataW answers its error instead of setting the last error.
    const DWORD status = ::SetPrinterDataW(static_cast<HANDLE>(printer), name.data(), type,
                                           static_cast<BYTE*>(const_cast<void*>(data)), size);
    if (status != ERROR_SUCCESS) {
      ::SetLastError(status);
      return false;
    }
    return true;
  }
};

}  // namespace

template <>
PrinterData& DefaultService<PrinterData>() {
  static Win32PrinterData printers;
  return printers;
}

}  // namespace kvt
