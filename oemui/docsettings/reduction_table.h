// ReductionTable: the reduction modes a printer model offers, with their
// texts in both languages. The General section lists the rows in its
// Reduction combo; the settings list shows the row of the stored mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvt {

inline constexpr std::uint16_t kUiLanguageJapanese = 0x411;

struct ReductionRow {
  const char16_t* szJapanese;
  const char16_t* szEnglish;
  std::uint32_t dwWidthMm;  // printable width the page is fitted to; 0: none
  std::uint8_t byEnabled;   // 1: offered
  std::uint8_t byMode;      // the value stored in byReduction
};

struct ReductionTable {
  const char16_t* szModelName;
  const ReductionRow* pRows;
  std::size_t count;
};

// The table of the model whose name begins |driver_name| (case-insensitive),
// else the first model's.
const ReductionTable& SelectReductionTable(std::u16string_view driver_name);

// The row's text in UI language |language|: Japanese for 0x411, English for
// any other.
const char16_t* ReductionRowText(const ReductionRow& row, std::uint16_t language);

// The row that stores |mode|; the first row when none does. Null only for a
// table without rows.
const ReductionRow* ReductionRowForMode(const ReductionTable& table, std::uint8_t mode);

}  // namespace kvt
