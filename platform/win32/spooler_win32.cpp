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

  std::uint32_t PrinterInfo2Size(PrinterHandle printer) override {
    DWORD needed = 0;
    ::GetPrinterW(static_cast<HANDLE>(printer), 2, nullptr, 0, &needed);
    return needed;
  }

  bool ReadPrinterInfo2(PrinterHandle printer, void* buffer, std::uint32_t size) override {
    DWORD needed = 0;
    return ::GetPrinterW(static_cast<HANDLE>(printer), 2, static_cast<BYTE*>(buffer), size,
                         &needed) != FALSE;
  }

  std::int32_t DocumentProperties(PrinterHandle printer, const char16_t* printer_name,
                                  DEVMODEW* out, std::uint32_t mode) override {
    // The spooler only reads the name; the API takes it writable.
    auto* name = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(printer_name));
    return ::DocumentPropertiesW(nullptr, static_cast<HANDLE>(printer), name, out, nullptr, mode);
  }

  bool SetPrinterInfo2(PrinterHandle printer, void* info) override {
    return ::SetPrinterW(static_cast<HANDLE>(printer), 2, static_cast<BYTE*>(info), 0) != FALSE;
  }

  bool ResetPrinter(PrinterHandle printer, const char16_t* datatype, DEVMODEW* devmode) override {
    PRINTER_DEFAULTSW defaults = {};
    defaults.pDatatype = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(datatype));
    defaults.pDevMode = devmode;
    defaults.DesiredAccess = 0;
    return ::ResetPrinterW(static_cast<HANDLE>(printer), &defaults) != FALSE;
  }

  bool DriverVersion(PrinterHandle printer, std::uint64_t* version) override {
    DWORD needed = 0;
    ::GetPrinterDriverW(static_cast<HANDLE>(printer), nullptr, 6, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_6W)) return false;
    std::vector<BYTE> buffer(needed);
    if (!::GetPrinterDriverW(static_cast<HANDLE>(printer), nullptr, 6, buffer.data(), needed,
                             &needed)) {
      return false;
    }
    *version = reinterpret_cast<const DRIVER_INFO_6W*>(buffer.data())->dwlDriverVersion;
    return true;
  }

  bool PrintProcessorDirectory(std::u16string* folder) override {
    DWORD needed = 0;
    ::GetPrintProcessorDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    if (needed < sizeof(WCHAR)) return false;
    std::vector<BYTE> buffer(needed + sizeof(WCHAR), 0);
    if (!::GetPrintProcessorDirectoryW(nullptr, nullptr, 1, buffer.data(), needed, &needed)) {
      return false;
    }
    folder->assign(reinterpret_cast<const char16_t*>(buffer.data()));
    while (!folder->empty() && folder->back() == u'\\') folder->pop_back();
    return true;
  }
};

}  // namespace

template <>
Spooler& DefaultService<Spooler>() {
  static Win32Spooler spooler;
  return spooler;
}

}  // namespace kvt
