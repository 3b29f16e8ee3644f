// UTF-16 and the platform's wchar_t text (UTF-16 on Windows, UTF-32 on
// Linux). Log formats are wchar_t; record fields and Windows calls are UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kvt {

std::u16string WideToUtf16(std::wstring_view text);
std::wstring Utf16ToWide(std::u16string_view text);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// |value| in decimal digits, with a leading '-' when negative and zeros in
// front up to |min_digits| digits: the numbers the pages show in their
// boxes and lists.
std::u16string DecimalText(long long value, int min_digits = 1);

}  // namespace kvt
