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
};

}  // namespace

template <>
Spooler& DefaultService<Spooler>() {
  static Win32Spooler spooler;
  return spooler;
}

}  // namespace kvt
