// Pasted and typed text through the edit rules: whatever arrives, a paste
// never yields more than its room or a character the mode refuses, the
// checked text is the input cut at both ends, and the number read agrees
// with a wide reference read or fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "oemui/controls/edit_rules.h"

namespace {

// The reference: a 64-bit read of at most 12 digits, then the range check.
std::optional<std::int32_t> ReferenceRead(std::u16string_view text) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
  while (at < text.size() && text[at] == u'0') ++at;  // leading zeros do not count
  std::int64_t value = 0;
  int digits = 0;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    if (++digits > 12) return std::nullopt;
    value = value * 10 + (text[at] - u'0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const auto mode = static_cast<kvt::EditMode>(data[0] % 8);
  const char16_t separator = data[1] % 2 == 0 ? u'.' : u',';
  const std::size_t room = data[2];
  std::u16string text;
  for (std::size_t i = 3; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }

  const std::u16string pasted = kvt::FilterPaste(mode, text, separator, room);
  if (pasted.size() > room) std::abort();
  for (char16_t ch : pasted) {
    bool allowed = mode == kvt::EditMode::kAnyButBreaks ? ch != u'\r' && ch != u'\n'
                                                        : kvt::ModeAcceptsChar(mode, ch, separator);
    if (!allowed) std::abort();
  }

  const std::optional<std::u16string> checked = kvt::CheckEditText(text, mode, separator);
  if (checked) {
    if (checked->empty() || kvt::IsBlankOrControl(checked->front()) ||
        kvt::IsBlankOrControl(checked->back())) {
      std::abort();
    }
    if (text.substr(0, kvt::kEditCheckMaxChars).find(*checked) == std::u16string::npos) {
      std::abort();
    }
  }
  if (kvt::ReadLeadingInt32(text) != ReferenceRead(text)) std::abort();
  return 0;
}
