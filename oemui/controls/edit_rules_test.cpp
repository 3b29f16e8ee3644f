#include "oemui/controls/edit_rules.h"

#include <limits>

#include <gtest/gtest.h>

namespace kvt {
namespace {

struct ModeCase {
  EditMode mode;
  std::u16string accepted;
  std::u16string refused;
};

TEST(EditRulesTest, EachModeLetsInOnlyItsCharacters) {
  const ModeCase cases[] = {
      {EditMode::kAnyButBreaks, u"aZ9 -.\u00e9\u3042", u"\r\n\t"},
      {EditMode::kSignedDecimal, u"0123456789-.", u"a+ ,e"},
      {EditMode::kUnsignedDecimal, u"09.", u"-a "},
      {EditMode::kSignedInteger, u"09-", u".a "},
      {EditMode::kDigits, u"0123456789", u"-.a \u0660"},
      {EditMode::kLatin1, u"a\u00ff\r ", u"\u0100\u3042"},
      {EditMode::kPrintableAscii, u" ~aZ", u"\x1f\x7f\u00e9"},
      {EditMode::kHex, u"09afAF", u"gG-x "},
  };
  for (const ModeCase& c : cases) {
    for (char16_t ch : c.accepted) {
      EXPECT_TRUE(ModeAcceptsChar(c.mode, ch, u'.')) << int(c.mode) << " " << int(ch);
    }
    for (char16_t ch : c.refused) {
      EXPECT_FALSE(ModeAcceptsChar(c.mode, ch, u'.')) << int(c.mode) << " " << int(ch);
    }
  }
}

TEST(EditRulesTest, DecimalSeparatorIsTheLocalesOwn) {
  EXPECT_TRUE(ModeAcceptsChar(EditMode::kSignedDecimal, u',', u','));
  EXPECT_FALSE(ModeAcceptsChar(EditMode::kSignedDecimal, u'.', u','));
}

TEST(EditRulesTest, PasteKeepsWhatTheModeAcceptsWithinTheRoom) {
  struct Case {
    EditMode mode;
    std::u16string clipboard;
    std::size_t room;
    std::u16string kept;
  };
  const Case cases[] = {
      {EditMode::kDigits, u"1-2.5", 10, u"125"},
      {EditMode::kSignedInteger, u"-5", 10, u"-5"},
      {EditMode::kDigits, u"-5", 10, u"5"},
      // Mode 0 drops line breaks only; a pasted tab stays.
      {EditMode::kAnyButBreaks, u"a\r\nb\tc", 10, u"ab\tc"},
      // Longer than the room: cut, never more.
      {EditMode::kDigits, u"123456789", 4, u"1234"},
      {EditMode::kDigits, u"12", 0, u""},
      // A cut must not split a surrogate pair.
      {EditMode::kAnyButBreaks, u"a\U0001F600", 2, u"a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterPaste(c.mode, c.clipboard, u'.', c.room), c.kept);
  }
}

TEST(EditRulesTest, InsertRoomCountsTheSelectionAsFreed) {
  EXPECT_EQ(InsertRoom(2, 0, 4), 2u);
  EXPECT_EQ(InsertRoom(4, 2, 4), 2u);
  EXPECT_EQ(InsertRoom(4, 0, 4), 0u);
  // A text already over its limit (the limit was lowered) leaves no room.
  EXPECT_EQ(InsertRoom(9, 1, 4), 0u);
  EXPECT_EQ(InsertRoom(3, 7, 4), 4u);
}

TEST(EditRulesTest, TextCheck) {
  struct Case {
    std::u16string text;
    EditMode mode;
    std::optional<std::u16string> checked;
  };
  const Case cases[] = {
      {u"  12 \t", EditMode::kDigits, u"12"},
      {u"\u3000 7\r\n", EditMode::kSignedInteger, u"7"},
      {u"   ", EditMode::kAnyButBreaks, std::nullopt},
      {u" hello world ", EditMode::kAnyButBreaks, u"hello world"},
      {u"-", EditMode::kSignedInteger, std::nullopt},
      {u".", EditMode::kUnsignedDecimal, std::nullopt},
      {u"-5", EditMode::kSignedInteger, u"-5"},
      {u"-5", EditMode::kDigits, std::nullopt},
      {u".5", EditMode::kUnsignedDecimal, u".5"},
      {u".5", EditMode::kSignedInteger, std::nullopt},
      {u"1.2.3", EditMode::kSignedDecimal, std::nullopt},
      // Later characters are the input filter's business, not the check's.
      {u"1-2", EditMode::kSignedInteger, u"1-2"},
      {std::u16string{0x7F, u'7', 0x9F}, EditMode::kDigits, u"7"},  // control codes are blank
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckEditText(c.text, c.mode, u'.'), c.checked)
        << std::string(c.text.begin(), c.text.end());
  }
}

TEST(EditRulesTest, TextCheckLooksOnlyAtTheFirst519Characters) {
  std::u16string text(kEditCheckMaxChars, u'1');
  EXPECT_EQ(CheckEditText(text + u"..", EditMode::kSignedDecimal, u'.'), text);
  text[kEditCheckMaxChars - 1] = u' ';
  EXPECT_EQ(CheckEditText(text + u"5", EditMode::kDigits, u'.')->size(), kEditCheckMaxChars - 1);
}

// The edit rules' fuzzer checks every text against a 64-bit reference;
// these are the rows that fail differently.
TEST(EditRulesTest, LeadingNumberFailsInsteadOfWrapping) {
  struct Case {
    std::u16string text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {u"125", 125},
      {u"-74", -74},
      {u"12-3", 12},
      {u"abc", 0},
      {u"2147483647", std::numeric_limits<std::int32_t>::max()},
      {u"2147483648", std::nullopt},
      {u"4294967296", std::nullopt},
      {u"000000000000000000042", 42},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadLeadingInt32(c.text), c.value) << std::string(c.text.begin(), c.text.end());
  }
}

}  // namespace
}  // namespace kvt
