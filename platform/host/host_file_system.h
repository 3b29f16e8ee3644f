// Linux files and folders. "Without sharing" is kept among the processes
// that use this class: an open file carries a non-blocking exclusive flock,
// so a second exclusive open fails (as a sharing violation) while the first
// is open, and the caller's retry rule applies just as on Windows.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace kvt {

class HostFileSystem final : public FileSystem {
 public:
  // |common_app_data| plays Windows' common application-data folder; the
  // default service uses $KVT_COMMON_APPDATA, else /var/tmp.
  explicit HostFileSystem(std::string common_app_data)
      : common_app_data_(std::move(common_app_data)) {}

  std::unique_ptr<File> OpenExclusive(std::u16string_view path) override;
  bool ReadPrefix(std::u16string_view path, std::size_t count, std::string* bytes) override;
  bool IsDirectory(std::u16string_view path) override;
  bool MakeDirectory(std::u16string_view path) override;
  bool Rename(std::u16string_view from, std::u16string_view to) override;
  bool Delete(std::u16string_view path) override;
  std::vector<Entry> List(std::u16string_view folder, std::u16string_view pattern) override;
  bool GrantUsersFullAccess(std::u16string_view folder) override;
  bool CommonAppDataFolder(std::u16string* folder) override;

 private:
  std::string common_app_data_;
};

}  // namespace kvt
