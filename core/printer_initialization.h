// What the plug-in does when the spooler initialises a newly installed
// printer (PrinterEvent with PRINTER_EVENT_INITIALIZE): it gives the
// printer its own GUID, "UtilityGUID", by which the printer utility tells
// printers apart, and switches automatic reprint off ("AutoReprint" 0).
#pragma once

#include <string>

#include "platform/framework_abi.h"
#include "platform/spooler.h"

namespace kvt {

inline constexpr char16_t kUtilityGuidValue[] = u"UtilityGUID";

// Writes "UtilityGUID" (a new GUID as braced text) and "AutoReprint" 0 to
// the printer's data. Failures are logged to the driver log and otherwise
// silent: the printer works without either value. Always S_OK.
HRESULT InitializePrinter(PWSTR printer_name);

// Reads "UtilityGUID" back. The value is stored without its terminating
// zero (other components of the driver package read it that way), so the
// text is taken from the stored bytes alone and ends at the first zero
// character, if any. False, with the thread's last error set, when the
// value cannot be read.
bool ReadUtilityGuid(PrinterHandle printer, std::u16string* guid);

}  // namespace kvt
