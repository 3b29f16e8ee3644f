// The folder that plays the Windows folder on Linux: a tree laid out as
// below C:\Windows ("System32", "System32\spool\drivers\x64\3", ...) that
// holds the driver package's Windows files, so the system information
// report and the resource library loader find them as they would on
// Windows. $KVT_WINDOWS_DIR, else /opt/kvt/windows.
#pragma once

#include <cstdlib>
#include <string>

namespace kvt::host {

inline std::string WindowsFolder() {
  const char* folder = std::getenv("KVT_WINDOWS_DIR");
  return std::string(folder != nullptr && *folder != '\0' ? folder : "/opt/kvt/windows");
}

}  // namespace kvt::host
