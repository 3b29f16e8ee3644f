// The spooler's level-2 printer information (PRINTER_INFO_2W) and the
// values around it that the device sheet and the Tools page read, for both
// toolchains: mingw-w64's declaration on Windows, the same x64 layout
// declared here on Linux.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/framework_abi.h"

namespace kvt {

#if defined(_WIN32)
using PrinterInfo2 = PRINTER_INFO_2W;
#else
struct PrinterInfo2 {
  WCHAR* pServerName;
  WCHAR* pPrinterName;
  WCHAR* pShareName;
  WCHAR* pPortName;
  WCHAR* pDriverName;
  WCHAR* pComment;
  WCHAR* pLocation;
  DEVMODEW* pDevMode;
  WCHAR* pSepFile;
  WCHAR* pPrintProcessor;
  WCHAR* pDatatype;
  WCHAR* pParameters;
  void* pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};
#endif
static_assert(sizeof(PrinterInfo2) == 136);
static_assert(offsetof(PrinterInfo2, pDevMode) == 56);
static_assert(offsetof(PrinterInfo2, pDatatype) == 80);
static_assert(offsetof(PrinterInfo2, Attributes) == 104);

// PRINTER_ATTRIBUTE_ENABLE_BIDI: bidirectional communication is on.
inline constexpr std::uint32_t kPrinterAttributeEnableBidi = 0x800;
// DocumentPropertiesW's mode that fills the output buffer, and its success.
inline constexpr std::uint32_t kDmOutBuffer = 2;
inline constexpr std::int32_t kDocumentPropertiesOk = 1;  // IDOK
inline constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace kvt
