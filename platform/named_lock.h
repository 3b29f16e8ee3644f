// Machine-wide named lock port: serialises writers of one file across every
// process of the machine (Windows: a named mutex; Linux: flock on a lock
// file in a folder that every user can write).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/service.h"

namespace kvt {

class NamedLock {
 public:
  virtual ~NamedLock() = default;

  enum class Result {
    kAcquired,
    kAbandoned,  // the previous holder died holding it; we hold it now
    kTimeout,    // someone else held it for the whole wait
    kFailed,     // the lock could not be created or opened
  };

  // Releases the lock when destroyed.
  class Holder {
   public:
    virtual ~Holder() = default;
  };

  // Waits at most |timeout_ms| for the lock called |name| (for example
  // "Global\KVT_SDK_LOGS"). On kAcquired and kAbandoned, |*holder| keeps it.
  virtual Result Acquire(std::u16string_view name, std::uint32_t timeout_ms,
                         std::unique_ptr<Holder>* holder) = 0;
};

inline bool IsHeld(NamedLock::Result result) {
  return result == NamedLock::Result::kAcquired || result == NamedLock::Result::kAbandoned;
}

template <>
NamedLock& DefaultService<NamedLock>();

}  // namespace kvt
