// What the barcode and 2D barcode sections share: their texts, the radio
// groups of the test print, the two fonts of their scaling and the job's
// information lines.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "oemui/controls/dialog_port.h"
#include "oemui/fontpage/barcode_test_print.h"

namespace kvt {

// String |id| of the module, or |fallback| when it cannot be loaded.
std::u16string LoadSectionText(std::uint32_t id, const char16_t* fallback);
// "IPD Barcode%d"-style text with |number| in place of its %d.
std::u16string FormatFontName(const std::u16string& pattern, int number);

// |id| of |group| clicked: it alone is checked and kept in |*selected|.
// False when it was the selected one already.
bool SelectRadio(DialogPort& port, std::initializer_list<int> group, int id, int* selected);

// Scales every child to |factor| thousandths. The dialog's font made
// smaller by the section step goes to every child; a child whose text is at
// least as wide as its new width gets a second, smaller one.
void ScaleWithSecondFont(DialogPort& port, int factor, const DialogFont* font);

// The decimal value of an edit's digits, at most |max| (so no run of digits
// overflows); |min| - 1 for text without leading digits.
int EditDigitsValue(const std::u16string& text, int min, int max);

// The labels and values the information lines take from the string table.
std::u16string InfoLabel(std::uint32_t id);
std::u16string RotateInfoText(std::uint8_t rotate);
std::u16string PositionInfoText(TestPosition position);
std::u16string HexInputInfoText(bool enabled);

}  // namespace kvt
