// The sheet host's printer-properties path (sheet_host.exe --device ...):
// the printer's properties sheet as the universal driver opens it, with
// the plug-in's DevicePropertySheets as its sheet function.
#pragma once

namespace kvt::tools {

// |argv| starts after "--device". Answers the process's exit code.
int RunPrinterProperties(int argc, wchar_t** argv);

}  // namespace kvt::tools
