// The calling thread's last-error value: GetLastError/SetLastError on
// Windows, a thread_local on Linux.
#pragma once

#include <cstdint>

namespace kvt {

std::uint32_t GetThreadLastError();
void SetThreadLastError(std::uint32_t error);

// Puts the thread's last-error value back as it was when the guard was made,
// for code that must not disturb its caller's last error (the logs).
class LastErrorGuard {
 public:
  LastErrorGuard() : saved_(GetThreadLastError()) {}
  ~LastErrorGuard() { SetThreadLastError(saved_); }
  LastErrorGuard(const LastErrorGuard&) = delete;
  LastErrorGuard& operator=(const LastErrorGuard&) = delete;
  std::uint32_t saved() const { return saved_; }

 private:
  std::uint32_t saved_;
};

}  // namespace kvt
