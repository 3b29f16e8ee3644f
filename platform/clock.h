// Clock port: the local wall-clock time, a millisecond tick count and sleep.
// The logs' waiting and refresh rules are written against this port so that
// tests can run a 10-second rule in microseconds with a fake clock.
#pragma once

#include <cstdint>

#include "platform/service.h"

namespace kvt {

// A local date and time as Windows' GetLocalTime gives it.
struct LocalTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;  // 1..12
  std::uint16_t day = 0;    // 1..31
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  virtual LocalTime Now() = 0;

  // Milliseconds since some fixed moment, wrapping at 2^32 like
  // GetTickCount; compare ticks only by unsigned difference.
  virtual std::uint32_t Ticks() = 0;

  // Sleep(0) gives up the rest of the time slice.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

template <>
Clock& DefaultService<Clock>();

}  // namespace kvt
