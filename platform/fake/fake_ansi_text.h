// ANSI conversion for tests: UTF-8, or a failure when |fail| is set.
#pragma once

#include "platform/ansi_text.h"
#include "platform/last_error.h"
#include "platform/wide_text.h"

namespace kvt {

class FakeAnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return 65001; }
  bool FromUtf16(std::u16string_view text, std::string* out) override {
    ++conversions;
    if (fail) {
      SetThreadLastError(1113);  // ERROR_NO_UNICODE_TRANSLATION
      return false;
    }
    *out = Utf16ToUtf8(text);
    return true;
  }
  bool fail = false;
  int conversions = 0;
};

}  // namespace kvt
