#include "platform/clock.h"

#include <windows.h>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    LocalTime out;
    out.year = now.wYear;
    out.month = now.wMonth;
    out.day = now.wDay;
    out.hour = now.wHour;
    out.minute = now.wMinute;
    out.second = now.wSecond;
    out.milliseconds = now.wMilliseconds;
    return out;
  }
  std::uint32_t Ticks() override { return ::GetTickCount(); }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

template <>
Clock& DefaultService<Clock>() {
  static Win32Clock clock;
  return clock;
}

}  // namespace kvt
