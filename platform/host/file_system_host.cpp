#include "platform/host/host_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_pattern.h"
#include "platform/host/host_path.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

using host::SetLastErrorFromErrno;
using host::ToHostPath;

class HostFile final : public FileSystem::File {
 public:
  explicit HostFile(int fd) : fd_(fd) {}
  ~HostFile() override { close(fd_); }  // also drops the flock

  bool Size(std::uint64_t* size) override {
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
      SetLastErrorFromErrno(errno);
      return false;
    }
    *size = static_cast<std::uint64_t>(info.st_size);
    return true;
  }

  bool Append(std::string_view data) override {
    // O_APPEND puts every write at the end, even one racing a writer that
    // does not use the flock.
    while (!data.empty()) {
      const ssize_t written = write(fd_, data.data(), data.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        SetLastErrorFromErrno(errno);
        return false;
      }
      data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

 private:
  int fd_;
};

// Opens with |flags| and takes the exclusive flock that stands for
// "no sharing"; -1 with the last error set when either fails.
// errno is kept for the caller.
int OpenUnshared(const std::string& path, int flags) {
  const int fd = open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return -1;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    SetLastErrorFromErrno(error);
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// 100 ns units between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t kFileTimeUnixEpoch = 116444736000000000ull;

}  // namespace

std::unique_ptr<FileSystem::File> HostFileSystem::OpenExclusive(std::u16string_view path) {
  const std::string host_path = ToHostPath(path);
  // An existing file is opened as it is. A new one is made readable and
  // writable by every user whatever the umask, since every user's processes
  // write the shared log files.
  for (int attempt = 0; attempt < 3; ++attempt) {
    int fd = OpenUnshared(host_path, O_WRONLY | O_APPEND);
    if (fd >= 0) return std::make_unique<HostFile>(fd);
    if (errno != ENOENT) return nullptr;
    fd = open(host_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fchmod(fd, 0666);
      if (flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<HostFile>(fd);
      SetLastErrorFromErrno(errno);
      close(fd);
      return nullptr;
    }
    if (errno != EEXIST) {
      SetLastErrorFromErrno(errno);
      return nullptr;
    }
  }
  return nullptr;
}

bool HostFileSystem::ReadPrefix(std::u16string_view path, std::size_t count, std::string* bytes) {
  const int fd = OpenUnshared(ToHostPath(path), O_RDONLY);
  if (fd < 0) return false;
  bytes->assign(count, '\0');
  std::size_t total = 0;
  while (total < count) {
    const ssize_t got = read(fd, bytes->data() + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      SetLastErrorFromErrno(errno);
      close(fd);
      return false;
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  bytes->resize(total);
  close(fd);
  return true;
}

bool HostFileSystem::IsDirectory(std::u16string_view path) {
  struct stat info {};
  if (path.empty() || stat(ToHostPath(path).c_str(), &info) != 0) {
    SetLastErrorFromErrno(path.empty() ? ENOENT : errno);
    return false;
  }
  return S_ISDIR(info.st_mode);
}

bool HostFileSystem::MakeDirectory(std::u16string_view path) {
  if (mkdir(ToHostPath(path).c_str(), 0777) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  return true;
}

bool HostFileSystem::Rename(std::u16string_view from, std::u16string_view to) {
  const std::string source = ToHostPath(from);
  const std::string target = ToHostPath(to);
  // Windows' MoveFileW never replaces an existing file; renameat2 with
  // RENAME_NOREPLACE keeps that, and a link/unlink pair stands in where the
  // file system lacks it.
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno == EINVAL || errno == ENOSYS) {
    if (link(source.c_str(), target.c_str()) == 0) {
      unlink(source.c_str());
      return true;
    }
  }
  SetLastErrorFromErrno(errno);
  return false;
}

bool HostFileSystem::Delete(std::u16string_view path) {
  if (unlink(ToHostPath(path).c_str()) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  return true;
}

std::vector<FileSystem::Entry> HostFileSystem::List(std::u16string_view folder,
                                                    std::u16string_view pattern) {
  std::vector<Entry> entries;
  const std::string host_folder = ToHostPath(folder);
  DIR* dir = opendir(host_folder.c_str());
  if (dir == nullptr) {
    SetLastErrorFromErrno(errno);
    return entries;
  }
  while (const dirent* item = readdir(dir)) {
    const std::u16string name = Utf8ToUtf16(item->d_name);
    if (!MatchesFilePattern(pattern, name)) continue;
    struct stat info {};
    if (fstatat(dirfd(dir), item->d_name, &info, 0) != 0) continue;
    Entry entry;
    entry.name = name;
    entry.is_directory = S_ISDIR(info.st_mode);
    const std::int64_t ticks =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 10000000 + info.st_mtim.tv_nsec / 100;
    entry.last_write = kFileTimeUnixEpoch + static_cast<std::uint64_t>(ticks);
    entries.push_back(std::move(entry));
  }
  closedir(dir);
  return entries;
}

bool HostFileSystem::GrantUsersFullAccess(std::u16string_view folder) {
  // Only the owner may change the mode; a folder that another user made
  // and opened up already is fine as it is.
  const std::string host_folder = ToHostPath(folder);
  struct stat info {};
  if (stat(host_folder.c_str(), &info) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  if ((info.st_mode & 0777) == 0777) return true;
  if (chmod(host_folder.c_str(), 0777) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  return true;
}

bool HostFileSystem::CommonAppDataFolder(std::u16string* folder) {
  if (common_app_data_.empty()) {
    SetThreadLastError(2);
    return false;
  }
  *folder = Utf8ToUtf16(common_app_data_);
  return true;
}

template <>
FileSystem& DefaultService<FileSystem>() {
  static HostFileSystem files([] {
    const char* folder = std::getenv("KVT_COMMON_APPDATA");
    return std::string(folder != nullptr && *folder != '\0' ? folder : "/var/tmp");
  }());
  return files;
}

}  // namespace kvt
