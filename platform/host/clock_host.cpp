#include "platform/clock.h"

#include <cerrno>

#include <sched.h>
#include <time.h>

#include "platform/service.h"

namespace kvt {
namespace {

class HostClock final : public Clock {
 public:
  LocalTime Now() override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalTime out;
    out.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    out.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    out.day = static_cast<std::uint16_t>(local.tm_mday);
    out.hour = static_cast<std::uint16_t>(local.tm_hour);
    out.minute = static_cast<std::uint16_t>(local.tm_min);
    // A leap second (60) is shown as 59, as Windows would.
    out.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
    out.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
    return out;
  }

  std::uint32_t Ticks() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
  }

  void Sleep(std::uint32_t milliseconds) override {
    if (milliseconds == 0) {
      sched_yield();
      return;
    }
    timespec wait{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
  }
};

}  // namespace

template <>
Clock& DefaultService<Clock>() {
  static HostClock clock;
  return clock;
}

}  // namespace kvt
