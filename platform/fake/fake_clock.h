// A clock for tests: the local time is whatever the test sets, the tick
// count moves only when the code sleeps (or by |tick_step| per reading), and
// every sleep is recorded.
#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"

namespace kvt {

class FakeClock final : public Clock {
 public:
  LocalTime Now() override { return now; }
  std::uint32_t Ticks() override {
    const std::uint32_t value = ticks;
    ticks += tick_step;
    return value;
  }
  void Sleep(std::uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    ticks += milliseconds;
    if (on_sleep) on_sleep(milliseconds);
  }

  static LocalTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                      int milliseconds = 0) {
    LocalTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    t.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return t;
  }

  LocalTime now = At(2024, 1, 31, 12, 34, 56, 789);
  std::uint32_t ticks = 1000000;
  std::uint32_t tick_step = 0;
  std::vector<std::uint32_t> sleeps;
  std::function<void(std::uint32_t)> on_sleep;
};

}  // namespace kvt
