// Library loader port: the printer driver folder of the local machine and
// the loading of a library from a full path (Windows:
// GetPrinterDriverDirectoryW, GetShortPathNameW, LoadLibraryW, FreeLibrary;
// Linux: see host/library_loader_host.cpp).
#pragma once

#include <string>
#include <string_view>

#include "platform/service.h"

namespace kvt {

// An HMODULE on Windows; whatever the platform's loader gives elsewhere.
using ModuleHandle = void*;

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;

  // The local machine's printer driver folder for this platform's
  // environment ("C:\Windows\system32\spool\DRIVERS\x64"), however long.
  // False with the thread's last error set when the spooler cannot say.
  virtual bool PrinterDriverDirectory(std::u16string* folder) = 0;

  // The short (8.3) form of an existing path; false when there is none.
  virtual bool ShortPath(std::u16string_view path, std::u16string* short_path) = 0;

  // Loads the library at the full path |path|; null with the thread's last
  // error set when it cannot.
  virtual ModuleHandle Load(std::u16string_view path) = 0;
  virtual void Free(ModuleHandle module) = 0;
};

template <>
LibraryLoader& DefaultService<LibraryLoader>();

}  // namespace kvt
