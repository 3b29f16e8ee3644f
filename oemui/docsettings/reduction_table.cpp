#include "oemui/docsettings/reduction_table.h"

#include <iterator>

#include "core/model_setting_table.h"

namespace kvt {
namespace {

constexpr ReductionRow kQvJ27Rows[] = {
    {u"縮小しない", u"None", 0, 1, 0},
    {u"80mm用紙にフィット", u"Fit 80mm Width", 72, 1, 1},
    {u"58mm用紙にフィット", u"Fit 58mm Width", 54, 1, 2},
    {u"指定倍率", u"Scale", 0, 1, 3},
};

constexpr ReductionTable kTables[] = {
    {u"KVT QV-J27", kQvJ27Rows, std::size(kQvJ27Rows)},
};

}  // namespace

const ReductionTable& SelectReductionTable(std::u16string_view driver_name) {
  return *SelectModelEntry(kTables, std::size(kTables), driver_name);
}

const char16_t* ReductionRowText(const ReductionRow& row, std::uint16_t language) {
  return language == kUiLanguageJapanese ? row.szJapanese : row.szEnglish;
}

const ReductionRow* ReductionRowForMode(const ReductionTable& table, std::uint8_t mode) {
  if (table.pRows == nullptr || table.count == 0) return nullptr;
  for (std::size_t i = 0; i < table.count; ++i) {
    if (table.pRows[i].byMode == mode) return &table.pRows[i];
  }
  return &table.pRows[0];
}

}  // namespace kvt
