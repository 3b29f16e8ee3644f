// Linux named lock: flock on "<folder>/kvt-<name>.lock". The kernel drops a
// flock when its holder dies, so a killed holder never blocks the next one.
#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/named_lock.h"

namespace kvt {

class HostNamedLock final : public NamedLock {
 public:
  // |folder| must be writable by every user that logs; the default service
  // uses $KVT_LOCK_DIR, else /var/tmp.
  explicit HostNamedLock(std::string folder) : folder_(std::move(folder)) {}

  Result Acquire(std::u16string_view name, std::uint32_t timeout_ms,
                 std::unique_ptr<Holder>* holder) override;

  // The lock file that stands for |name|.
  std::string LockFilePath(std::u16string_view name) const;

 private:
  // The lock file of each name asked for, so a record does not rebuild it.
  std::string CachedLockFilePath(std::u16string_view name);

  std::string folder_;
  std::mutex mutex_;
  std::vector<std::pair<std::u16string, std::string>> paths_;
};

}  // namespace kvt
