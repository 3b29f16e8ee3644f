// The user-interface plug-in of a printer's driver, found the way the
// universal driver finds it: among the driver's dependent files is its
// configuration file (.ini), whose [OEMFiles] entry OEMConfigFile1 names
// the plug-in, a file of the driver's own folder.
#pragma once

#include <windows.h>

#include <string>

namespace kvt::tools {

// The plug-in's full path; empty, with |error| saying why, when the driver
// names none.
std::wstring DriverPluginPath(HANDLE printer, std::wstring* error);

}  // namespace kvt::tools
