// The device fonts' two lists: the international character sets
// (byIntlCharSet) and the character code tables (byCodeTable). Each row
// holds both languages' texts and the printer command it stands for; the
// record keeps the row number, which is also the combo item's data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt {

inline constexpr std::size_t kDeviceFontCommandMax = 32;

struct DeviceFontRow {
  const char16_t* szJapanese;
  const char16_t* szEnglish;
  std::uint8_t abyCommand[kDeviceFontCommandMax];
  std::uint8_t byLength;  // of abyCommand
  std::uint8_t byValue;   // the command's parameter
};

struct DeviceFontTable {
  const DeviceFontRow* pRows;
  std::size_t count;
};

// 14 rows, ESC R n.
const DeviceFontTable& IntlCharSetTable();
// 15 rows, ESC t n.
const DeviceFontTable& CodeTableTable();

// The row's text in the UI language (Japanese for 0x411, else English).
const char16_t* DeviceFontRowText(const DeviceFontRow& row, std::uint16_t ui_language);

}  // namespace kvt
