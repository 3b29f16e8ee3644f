#include "platform/host/folder_config_source.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/host/host_path.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// Values are small; a file larger than this is not a value of ours.
constexpr std::size_t kMaxValueBytes = 1 << 20;

// A value or key name may not climb out of the root.
bool IsSafeName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (c == u'/' || c == 0) return false;
  }
  return true;
}

class FolderKey final : public ConfigSource::Key {
 public:
  FolderKey(std::string folder, bool writable) : folder_(std::move(folder)), writable_(writable) {}

  std::uint32_t WriteBinary(std::u16string_view name, const std::uint8_t* data,
                            std::uint32_t size) override {
    if (!writable_) return kConfigAccessDenied;
    if (!IsSafeName(name) || name.find(u'\\') != std::u16string_view::npos) return 87;
    const std::string path = folder_ + "/" + Utf16ToUtf8(name);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return kConfigAccessDenied;
    std::uint32_t total = 0;
    while (total < size) {
      const ssize_t put = write(fd, data + total, size - total);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) break;
      total += static_cast<std::uint32_t>(put);
    }
    const bool closed = close(fd) == 0;
    return total == size && closed ? 0 : 29;  // ERROR_WRITE_FAULT
  }

  std::uint32_t DeleteValue(std::u16string_view name) override {
    if (!writable_) return kConfigAccessDenied;
    if (!IsSafeName(name) || name.find(u'\\') != std::u16string_view::npos) return 2;
    if (unlink((folder_ + "/" + Utf16ToUtf8(name)).c_str()) == 0) return 0;
    return errno == ENOENT ? 2 : kConfigAccessDenied;
  }

  bool Read(std::u16string_view name, ConfigValue* value) override {
    if (!IsSafeName(name) || name.find(u'\\') != std::u16string_view::npos) {
      SetThreadLastError(2);
      return false;
    }
    value->type = kValueBinary;
    return ReadSmallFile(folder_ + "/" + Utf16ToUtf8(name), &value->data);
  }

 private:
  std::string folder_;
  bool writable_;
};

// The folder of key |path| below |root|; false for a path that names no
// key or climbs out of the root. With |create| missing folders are made.
bool KeyFolder(const std::string& root, std::u16string_view path, bool create,
               std::string* folder) {
  *folder = root;
  if (create && mkdir(folder->c_str(), 0700) != 0 && errno != EEXIST) return false;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string_view part = path.substr(start, end - start);
    if (!IsSafeName(part)) return false;
    *folder += "/" + Utf16ToUtf8(part);
    if (create && mkdir(folder->c_str(), 0700) != 0 && errno != EEXIST) return false;
    start = end + 1;
  }
  struct stat info {};
  return stat(folder->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool ReadSmallFile(const std::string& path, std::vector<std::uint8_t>* data) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    host::SetLastErrorFromErrno(errno);
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::size_t>(info.st_size) > kMaxValueBytes) {
    close(fd);
    SetThreadLastError(2);
    return false;
  }
  data->assign(static_cast<std::size_t>(info.st_size), 0);
  std::size_t total = 0;
  while (total < data->size()) {
    const ssize_t got = read(fd, data->data() + total, data->size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
  }
  data->resize(total);
  close(fd);
  return true;
}

std::unique_ptr<ConfigSource::Key> FolderConfigSource::OpenMachineKey(std::u16string_view path) {
  std::string folder;
  if (!KeyFolder(root_, path, false, &folder)) {
    SetThreadLastError(2);  // ERROR_FILE_NOT_FOUND, as RegOpenKeyExW says
    return nullptr;
  }
  return std::make_unique<FolderKey>(std::move(folder), false);
}

std::unique_ptr<ConfigSource::Key> FolderConfigSource::OpenUserKey(std::u16string_view path) {
  std::string folder;
  if (!KeyFolder(root_ + "/" + kUserFolder, path, false, &folder)) {
    SetThreadLastError(2);
    return nullptr;
  }
  return std::make_unique<FolderKey>(std::move(folder), false);
}

std::unique_ptr<ConfigSource::Key> FolderConfigSource::CreateUserKey(std::u16string_view path) {
  std::string folder;
  if (!KeyFolder(root_ + "/" + kUserFolder, path, true, &folder)) {
    SetThreadLastError(kConfigAccessDenied);
    return nullptr;
  }
  return std::make_unique<FolderKey>(std::move(folder), true);
}

template <>
ConfigSource& DefaultService<ConfigSource>() {
  static FolderConfigSource config([] {
    const char* root = std::getenv("KVT_CONFIG_ROOT");
    return std::string(root != nullptr && *root != '\0' ? root : "/etc/kvt/config");
  }());
  return config;
}

}  // namespace kvt
