#include "platform/ansi_text.h"

#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt {
namespace {

// Linux's "ANSI" code page is UTF-8.
class HostAnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return 65001; }
  bool FromUtf16(std::u16string_view text, std::string* out) override {
    *out = Utf16ToUtf8(text);
    return true;
  }
};

}  // namespace

template <>
AnsiText& DefaultService<AnsiText>() {
  static HostAnsiText ansi;
  return ansi;
}

}  // namespace kvt
