#include "platform/spooler.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32Spooler final : public Spooler {
 public:
  DriverNameStatus GetPrinterDriverName(PrinterHandle printer,
                                        std::u16string* driver_name) override {
    DWORD needed = 0;
    ::GetPrinterW(static_cast<HANDLE>(printer), 2, nullptr, 0, &needed);
    if (needed == 0) return DriverNameStatus::kSizeQueryFailed;
    std::vector<BYTE> buffer(needed);
    if (!::GetPrinterW(static_cast<HANDLE>(printer), 2, buffer.data(), needed, &needed)) {
      return DriverNameStatus::kReadFailed;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    driver_name->clear();
    if (info->pDriverName != nullptr) {
      driver_name->assign(reinterpret_cast<const char16_t*>(info->pDriverName));
    }
    return DriverNameStatus::kOk;
  }

  std::uint32_t StartRawDocument(PrinterHandle printer, const std::u16string& document_name,
                                 const std::u16string& datatype) override {
    // DOC_INFO_1W takes writable strings; the spooler only reads them.
    std::u16string name = document_name;
    std::u16string type = datatype;
    DOC_INFO_1W info = {};
    info.pDocName = reinterpret_cast<LPWSTR>(name.data());
    info.pOutputFile = nullptr;
    info.pDatatype = reinterpret_cast<LPWSTR>(type.data());
    return ::StartDocPrinterW(static_cast<HANDLE>(printer), 1, reinterpret_cast<LPBYTE>(&info));
  }

  bool StartPage(PrinterHandle printer) override {
    return ::StartPagePrinter(static_cast<HANDLE>(printer)) != FALSE;
  }

  bool WritePrinter(PrinterHandle printer, const std::uint8_t* data, std::uint32_t length,
                    std::uint32_t* written) override {
    DWORD taken = 0;
    const BOOL ok = ::WritePrinter(static_cast<HANDLE>(printer), const_cast<std::uint8_t*>(data),
                                   length, &taken);
    *written = taken;
    return ok != FALSE;
  }

  bool EndPage(PrinterHandle printer) override {
    return ::EndPagePrinter(static_cast<HANDLE>(printer)) != FALSE;
  }

  bool EndDocument(PrinterHandle printer) override {
    return ::EndDocPrinter(static_cast<HANDLE>(printer)) != FALSE;
  }
};

}  // namespace

template <>
Spooler& DefaultService<Spooler>() {
  static Win32Spooler spooler;
  return spooler;
}

}  // namespace kvt
