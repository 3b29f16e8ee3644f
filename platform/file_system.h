// Files and folders port, as the logs use them: exclusive opens that fail
// while another writer has the file (so callers can retry), append, size,
// rename, listing, deletion, folder creation and access for every local user.
//
// Paths are UTF-16 with backslashes as separators, as Windows takes them;
// the Linux implementation maps backslashes to slashes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/service.h"

namespace kvt {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // A file open for writing; closed when destroyed.
  class File {
   public:
    virtual ~File() = default;
    virtual bool Size(std::uint64_t* size) = 0;
    // Writes all of |data| at the current end of the file.
    virtual bool Append(std::string_view data) = 0;
  };

  struct Entry {
    std::u16string name;  // file name only
    bool is_directory = false;
    std::uint64_t last_write = 0;  // 100 ns units since 1601-01-01 UTC (FILETIME)
  };

  // Opens |path| for writing without sharing, creating it when missing.
  // Null, with the thread's last error set, when it cannot be opened now
  // (for example because another writer holds it).
  virtual std::unique_ptr<File> OpenExclusive(std::u16string_view path) = 0;

  // Opens |path| for reading without sharing and reads at most |count|
  // bytes from its start.
  virtual bool ReadPrefix(std::u16string_view path, std::size_t count, std::string* bytes) = 0;

  virtual bool IsDirectory(std::u16string_view path) = 0;
  // Creates one folder; its parent must exist.
  virtual bool MakeDirectory(std::u16string_view path) = 0;
  // Fails when |to| exists.
  virtual bool Rename(std::u16string_view from, std::u16string_view to) = 0;
  virtual bool Delete(std::u16string_view path) = 0;

  // Entries of |folder| whose names match |pattern| (* and ?, without
  // regard to case), as FindFirstFileW gives them.
  virtual std::vector<Entry> List(std::u16string_view folder, std::u16string_view pattern) = 0;

  // Lets every local user create, change and delete files in |folder| and
  // below. Windows: an inherited generic-all entry for the built-in Users
  // group; Linux: mode 0777.
  virtual bool GrantUsersFullAccess(std::u16string_view folder) = 0;

  // The machine's common application-data folder, without creating it.
  virtual bool CommonAppDataFolder(std::u16string* folder) = 0;
};

template <>
FileSystem& DefaultService<FileSystem>();

}  // namespace kvt
