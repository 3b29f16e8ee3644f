// Package library loading for tests: the two folders are what the test
// sets; loads succeed for the paths in |loadable|, each with a handle of its
// own, exports are what |entries| holds, and every load and free is
// recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/package_library.h"

namespace kvt {

class FakePackageLibraryLoader final : public PackageLibraryLoader {
 public:
  bool OwnFolder(std::u16string* folder) override {
    if (own_folder.empty()) {
      SetThreadLastError(2);
      return false;
    }
    *folder = own_folder;
    return true;
  }
  bool SystemFolder(std::u16string* folder) override {
    if (system_folder.empty()) {
      SetThreadLastError(2);
      return false;
    }
    *folder = system_folder;
    return true;
  }
  ModuleHandle Load(std::u16string_view path) override {
    loads.emplace_back(path);
    auto it = loadable.find(std::u16string(path));
    if (it == loadable.end()) {
      SetThreadLastError(126);  // ERROR_MOD_NOT_FOUND
      return nullptr;
    }
    return it->second;
  }
  void Free(ModuleHandle module) override { freed.push_back(module); }
  LibraryEntry FindEntry(ModuleHandle module, const char* name) override {
    auto it = entries.find({module, name});
    if (it == entries.end()) {
      SetThreadLastError(127);  // ERROR_PROC_NOT_FOUND
      return nullptr;
    }
    return it->second;
  }

  // Makes |path| loadable and answers the handle its loads will give.
  ModuleHandle AddLibrary(const std::u16string& path) {
    ModuleHandle handle = &tokens_[loadable.size() % kTokens];
    loadable[path] = handle;
    return handle;
  }

  std::u16string own_folder = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3";
  std::u16string system_folder = u"C:\\Windows\\system32";
  std::map<std::u16string, ModuleHandle> loadable;
  // The exports of the loadable libraries, by handle and name.
  std::map<std::pair<ModuleHandle, std::string>, LibraryEntry> entries;
  std::vector<std::u16string> loads;
  std::vector<ModuleHandle> freed;

 private:
  static constexpr std::size_t kTokens = 8;
  char tokens_[kTokens] = {};
};

}  // namespace kvt
