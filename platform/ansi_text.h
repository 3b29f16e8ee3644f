// Conversion of UTF-16 text to the system's ANSI code page (Windows: the
// code page GetACP answers; Linux: UTF-8). Logs and test-print text are
// written in it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"
#include <string_view>

namespace kvt {

class AnsiText {
 public:
  virtual ~AnsiText() = default;

  // The ANSI code page: 932 on a Japanese system, 65001 for UTF-8.
  virtual std::uint32_t CodePage() = 0;

  // Converts |text| (UTF-16). Characters the code page lacks become the
  // code page's default character. False, with the thread's last error set,
  // when the conversion itself fails.
  virtual bool FromUtf16(std::u16string_view text, std::string* out) = 0;
};

template <>
AnsiText& DefaultService<AnsiText>();

}  // namespace kvt
