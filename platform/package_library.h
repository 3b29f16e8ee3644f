// Package library port: the folders the driver package's libraries may be
// loaded from, and their loading by full path (Windows: the folder of the
// plug-in's own file, GetSystemDirectoryW, LoadLibraryW with the plug-in's
// activation context active, GetProcAddress, FreeLibrary; Linux: see
// host/package_library_host.cpp).
//
// A library of the package is never loaded by its bare name: the default
// search order starts in the application's folder and the current folder,
// so a file planted beside a document would run inside the print dialog.
#pragma once

#include <string>
#include <string_view>

#include "platform/library_loader.h"
#include "platform/service.h"

namespace kvt {

// An exported function of a loaded library, before it is cast to its type.
using LibraryEntry = void (*)();

class PackageLibraryLoader {
 public:
  virtual ~PackageLibraryLoader() = default;

  // The folder of the file this plug-in was loaded from, without a trailing
  // separator. False with the thread's last error set when unknown.
  virtual bool OwnFolder(std::u16string* folder) = 0;
  // The system folder ("C:\Windows\system32"). False with the thread's last
  // error set when unknown.
  virtual bool SystemFolder(std::u16string* folder) = 0;
  // Loads the library at the full path |path|; null with the thread's last
  // error set when it cannot.
  virtual ModuleHandle Load(std::u16string_view path) = 0;
  virtual void Free(ModuleHandle module) = 0;
  // The export |name| of |module| (GetProcAddress); null with the thread's
  // last error set when the library has none. Cast to the export's type.
  virtual LibraryEntry FindEntry(ModuleHandle module, const char* name) = 0;
};

template <>
PackageLibraryLoader& DefaultService<PackageLibraryLoader>();

}  // namespace kvt
