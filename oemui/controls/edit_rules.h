// The rules of CMyEdit as plain functions over text: which characters each
// input mode lets in, what is left of pasted text, the check that a
// number field's text must pass before it is read, and the number read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "oemui/controls/dialog_port.h"

namespace kvt {

// Only this much of an edit's text is looked at by the text check.
inline constexpr std::size_t kEditCheckMaxChars = 519;

// True for the characters that pass in every mode: Backspace and the
// control characters of Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z.
bool IsEditingKey(char16_t ch);

// True when |mode| accepts |ch| as typed. |decimal_separator| is the user
// locale's decimal character.
bool ModeAcceptsChar(EditMode mode, char16_t ch, char16_t decimal_separator);

// The part of |clipboard| that a paste into an edit of |mode| inserts: the
// characters the mode does not accept are dropped (in mode 0 only carriage
// returns and line feeds), and what is left is cut to |room| characters so
// that the edit's limit is never passed.
std::u16string FilterPaste(EditMode mode, std::u16string_view clipboard, char16_t decimal_separator,
                           std::size_t room);

// How many characters may replace a selection of |selected| characters in a
// text of |length| characters under a limit of |limit|.
std::size_t InsertRoom(std::size_t length, std::size_t selected, std::size_t limit);

// Classifies a character as the locale's space, blank or control class
// (the characters the text check cuts from both ends).
using BlankClassifier = bool (*)(char16_t ch);
bool IsBlankOrControl(char16_t ch);

// The text check: |text| (only its first kEditCheckMaxChars characters)
// with blanks cut from its end and then from its start; nothing when the
// result is empty or, in the number modes 1 to 4, does not start like a
// number, is a lone sign or separator, or holds a second separator.
std::optional<std::u16string> CheckEditText(std::u16string_view text, EditMode mode,
                                            char16_t decimal_separator,
                                            BlankClassifier is_blank = IsBlankOrControl);

// The leading decimal integer of |text|: an optional sign, then digits up
// to the first non-digit (none read as 0). Nothing when it does not fit in
// 32 bits.
std::optional<std::int32_t> ReadLeadingInt32(std::u16string_view text);

// |text| with a to f written as A to F; other characters unchanged.
std::u16string UpperCaseHexDigits(std::u16string_view text);

}  // namespace kvt
