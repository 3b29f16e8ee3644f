#include "platform/host/host_named_lock.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/host/host_path.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

class FlockHolder final : public NamedLock::Holder {
 public:
  explicit FlockHolder(int fd) : fd_(fd) {}
  // Closing the only descriptor of the open file drops the flock.
  ~FlockHolder() override { close(fd_); }

 private:
  int fd_;
};

std::uint64_t MonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000u +
         static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

// Opens the lock file, creating it readable by everyone when missing. An
// existing file is opened without O_CREAT first: in a sticky world-writable
// folder (/tmp) Linux refuses O_CREAT on another user's file.
int OpenLockFile(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) return fd;
    fd = open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fchmod(fd, 0666);  // whatever the umask, every user may open it
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

}  // namespace

std::string HostNamedLock::LockFilePath(std::u16string_view name) const {
  std::string file = Utf16ToUtf8(name);
  for (char& c : file) {
    if (c == '\\' || c == '/') c = '-';
  }
  return folder_ + "/kvt-" + file + ".lock";
}

std::string HostNamedLock::CachedLockFilePath(std::u16string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& [known, path] : paths_) {
    if (known == name) return path;
  }
  paths_.emplace_back(std::u16string(name), LockFilePath(name));
  return paths_.back().second;
}

NamedLock::Result HostNamedLock::Acquire(std::u16string_view name, std::uint32_t timeout_ms,
                                         std::unique_ptr<Holder>* holder) {
  const int fd = OpenLockFile(CachedLockFilePath(name));
  if (fd < 0) {
    host::SetLastErrorFromErrno(errno);
    return Result::kFailed;
  }
  // flock cannot time out, so poll: first by yielding (a writer holds the
  // lock for well under a millisecond), then with sleeps growing to 2 ms.
  const std::uint64_t deadline = MonotonicMicros() + std::uint64_t{timeout_ms} * 1000u;
  long pause_us = 0;
  for (int round = 0;; ++round) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      *holder = std::make_unique<FlockHolder>(fd);
      return Result::kAcquired;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      host::SetLastErrorFromErrno(errno);
      close(fd);
      return Result::kFailed;
    }
    if (MonotonicMicros() >= deadline) {
      close(fd);
      SetThreadLastError(258);  // WAIT_TIMEOUT
      return Result::kTimeout;
    }
    if (round < 50) {
      sched_yield();
    } else {
      pause_us = pause_us == 0 ? 20 : (pause_us * 2 > 2000 ? 2000 : pause_us * 2);
      timespec wait{0, pause_us * 1000};
      nanosleep(&wait, nullptr);
    }
  }
}

template <>
NamedLock& DefaultService<NamedLock>() {
  static HostNamedLock lock([] {
    const char* folder = std::getenv("KVT_LOCK_DIR");
    return std::string(folder != nullptr && *folder != '\0' ? folder : "/var/tmp");
  }());
  return lock;
}

}  // namespace kvt
