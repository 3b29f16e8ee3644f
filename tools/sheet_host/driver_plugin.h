// The user-interface plug-in of a printer's driver, found the way the
// universal driver finds it: among the driver's dependent files is its
// configuration file (.ini), whose [OEMFiles] entry OEMConfigFile1 names
// the plug-in, a file of the driver's own folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/framework_abi.h"

namespace kvt::tools {

// The plug-in's full path; empty, with |error| saying why, when the driver
// names none.
std::wstring DriverPluginPath(HANDLE printer, std::wstring* error);

// The plug-in object of the loaded plug-in |module|, made through its
// class factory as the universal driver makes it; null when it cannot be.
IPrintOemUI* CreatePlugin(HMODULE module);

// The plug-in for |printer|, as the universal driver loads it: the one its
// driver names, or the one at |path| when that is not empty. Says what it
// loaded, or why it could not, through |print|; null when it cannot be
// created.
IPrintOemUI* LoadPlugin(HANDLE printer, const std::wstring& path,
                        const std::function<void(const std::wstring&)>& print, HMODULE* module);

// The printer |printer_name| opened and its plug-in loaded by LoadPlugin,
// each step said through |print| ("printer: NAME" first). False, with
// nothing left open, when either fails.
bool OpenPrinterAndPlugin(const std::wstring& printer_name, const std::wstring& path,
                          const std::function<void(const std::wstring&)>& print, HANDLE* printer,
                          HMODULE* module, IPrintOemUI** plugin);

}  // namespace kvt::tools
