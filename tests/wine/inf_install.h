// The test bed's printer drivers installed from the driver package's INF,
// in the two steps of the printer class installer: the model's install
// section copies its files (a setup file queue, committed without any
// window), then the spooler adds the driver with the files the INF names
// and moves them into the driver's own folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kvt::testbed {

struct InfInstall {
  std::wstring install_section;  // of the model
  std::wstring data_file;        // DataFile=
  // Names of the files the section copied into the printer-driver folder.
  std::vector<std::wstring> driver_files;
  // Full path of every file the queue copied, wherever it went.
  std::vector<std::wstring> copied;
  // What went wrong, one line each.
  std::vector<std::wstring> errors;
};

// The printer-driver folder of this machine (spool\drivers\x64).
std::wstring PrinterDriverFolder();

// Opens the INF, finds |model| in its models section for 64-bit Windows and
// copies the files of the model's install section from the INF's folder.
// False, with |result->errors| saying why, when any step fails.
bool CopyModelFiles(const std::wstring& inf_path, const std::wstring& model, InfInstall* result);

// Adds the driver |driver_name| with the data file and the dependent files
// that |install| names. Wine has no universal driver: its PostScript driver
// stands in for the rendering and the configuration module. A driver of
// that name is replaced, its printers kept.
bool AddDriverFromInf(const InfInstall& install, const std::wstring& driver_name,
                      std::wstring* error);

}  // namespace kvt::testbed
