#include "platform/guid_text.h"

#include <windows.h>
#include <objbase.h>

namespace kvt {
namespace {

// StringFromGUID2 needs 39 characters; the buffer leaves room to spare.
constexpr int kGuidTextChars = 256;

class Win32GuidText final : public GuidText {
 public:
  bool NewGuidText(std::u16string* text) override {
    GUID guid;
    const HRESULT created = ::CoCreateGuid(&guid);
    if (FAILED(created)) {
      ::SetLastError(static_cast<DWORD>(created));
      return false;
    }
    wchar_t buffer[kGuidTextChars] = {};
    const int length = ::StringFromGUID2(guid, buffer, kGuidTextChars);
    if (length <= 1) {
      ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return false;
    }
    // The length counts the terminator.
    text->assign(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length - 1));
    return true;
  }
};

}  // namespace

template <>
GuidText& DefaultService<GuidText>() {
  static Win32GuidText guids;
  return guids;
}

}  // namespace kvt
