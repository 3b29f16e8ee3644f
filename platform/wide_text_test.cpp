#include "platform/wide_text.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(WideText, RoundTripsAcrossPlanes) {
  const std::u16string text = u"KVT \u30ab\u30ca \U0001F600 end";
  EXPECT_EQ(WideToUtf16(Utf16ToWide(text)), text);
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"\u30ab"), "\xE3\x82\xAB");
}

TEST(WideText, BrokenInputBecomesReplacementCharacters) {
  const std::u16string lone_surrogate = {u'a', 0xD800, u'b'};
  EXPECT_EQ(Utf16ToUtf8(lone_surrogate),
            "a\xEF\xBF\xBD"
            "b");
  // A lead byte without its continuation bytes, at the end and in the middle.
  EXPECT_EQ(Utf8ToUtf16("x\xE3\x82"), u"x\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE3"
                        "a"),
            u"\uFFFDa");
  EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
  if constexpr (sizeof(wchar_t) == 4) {
    // A surrogate code in a 32-bit wide string is no character either.
    EXPECT_EQ(WideToUtf16(std::wstring(1, static_cast<wchar_t>(0xDC00))), u"\uFFFD");
  }
}

}  // namespace
}  // namespace kvt
