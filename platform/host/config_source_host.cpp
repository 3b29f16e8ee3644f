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
  explicit FolderKey(std::string folder) : folder_(std::move(folder)) {}

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
};

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
  std::string folder = root_;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string_view part = path.substr(start, end - start);
    if (!IsSafeName(part)) {
      SetThreadLastError(2);
      return nullptr;
    }
    folder += "/" + Utf16ToUtf8(part);
    start = end + 1;
  }
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    SetThreadLastError(2);  // ERROR_FILE_NOT_FOUND, as RegOpenKeyExW says
    return nullptr;
  }
  return std::make_unique<FolderKey>(std::move(folder));
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
