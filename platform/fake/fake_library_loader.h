// A library loader for tests: the driver folder and short paths are what
// the test sets; loads succeed for the paths in |loadable| and are recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/library_loader.h"

namespace kvt {

class FakeLibraryLoader final : public LibraryLoader {
 public:
  bool PrinterDriverDirectory(std::u16string* folder) override {
    ++directory_queries;
    if (driver_directory.empty()) {
      SetThreadLastError(1797);  // ERROR_UNKNOWN_PRINTER_DRIVER
      return false;
    }
    *folder = driver_directory;
    return true;
  }
  bool ShortPath(std::u16string_view path, std::u16string* short_path) override {
    auto it = short_paths.find(std::u16string(path));
    if (it == short_paths.end()) {
      SetThreadLastError(2);
      return false;
    }
    *short_path = it->second;
    return true;
  }
  ModuleHandle Load(std::u16string_view path) override {
    loads.emplace_back(path);
    if (loadable.count(std::u16string(path)) == 0) {
      SetThreadLastError(126);  // ERROR_MOD_NOT_FOUND
      return nullptr;
    }
    return &module_token;
  }
  void Free(ModuleHandle module) override { freed.push_back(module); }

  std::u16string driver_directory = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64";
  std::map<std::u16string, std::u16string> short_paths;
  std::set<std::u16string> loadable;
  std::vector<std::u16string> loads;
  std::vector<ModuleHandle> freed;
  int directory_queries = 0;
  int module_token = 0;  // its address is the handle of every load
};

}  // namespace kvt
