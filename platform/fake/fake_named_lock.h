// A named lock for tests: answers |result| and counts what was asked.
#pragma once

#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/named_lock.h"

namespace kvt {

class FakeNamedLock final : public NamedLock {
 public:
  Result Acquire(std::u16string_view name, std::uint32_t timeout_ms,
                 std::unique_ptr<Holder>* holder) override {
    requests.emplace_back(name);
    timeouts.push_back(timeout_ms);
    if (!IsHeld(result)) {
      SetThreadLastError(result == Result::kTimeout ? 258 : 5);
      return result;
    }
    ++held;
    *holder = std::make_unique<FakeHolder>(this);
    return result;
  }

  Result result = Result::kAcquired;
  std::vector<std::u16string> requests;
  std::vector<std::uint32_t> timeouts;
  int held = 0;  // holders alive now

 private:
  class FakeHolder final : public Holder {
   public:
    explicit FakeHolder(FakeNamedLock* lock) : lock_(lock) {}
    ~FakeHolder() override { --lock_->held; }

   private:
    FakeNamedLock* lock_;
  };
};

}  // namespace kvt
