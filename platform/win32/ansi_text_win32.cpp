#include "platform/ansi_text.h"

#include <windows.h>

#include <climits>

#include "platform/service.h"

namespace kvt {
namespace {

class Win32AnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return ::GetACP(); }

  bool FromUtf16(std::u16string_view text, std::string* out) override {
    out->clear();
    if (text.empty()) return true;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
      ::SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return false;
    out->resize(static_cast<std::size_t>(needed));
    const int written =
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, out->data(), needed, nullptr, nullptr);
    if (written <= 0) {
      out->clear();
      return false;
    }
    out->resize(static_cast<std::size_t>(written));
    return true;
  }
};

}  // namespace

template <>
AnsiText& DefaultService<AnsiText>() {
  static Win32AnsiText ansi;
  return ansi;
}

}  // namespace kvt
