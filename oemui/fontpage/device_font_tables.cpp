#include "oemui/fontpage/device_font_tables.h"

#include <iterator>

namespace kvt {
namespace {

constexpr std::uint16_t kJapanese = 0x411;

// ESC R n: the international character set.
constexpr DeviceFontRow CharSet(const char16_t* japanese, const char16_t* english, std::uint8_t n) {
  return {japanese, english, {0x1B, 0x52, n}, 3, n};
}
// ESC t n: the character code table.
constexpr DeviceFontRow CodeTable(const char16_t* japanese, const char16_t* english,
                                  std::uint8_t n) {
  return {japanese, english, {0x1B, 0x74, n}, 3, n};
}
// Only the user page has a Japanese text of its own.
constexpr DeviceFontRow CodeTable(const char16_t* text, std::uint8_t n) {
  return CodeTable(text, text, n);
}

constexpr DeviceFontRow kCharSets[] = {
    CharSet(u"アメリカ (USA)", u"USA", 0),
    CharSet(u"フランス (France)", u"France", 1),
    CharSet(u"ドイツ (Germany)", u"Germany", 2),
    CharSet(u"イギリス (United Kingdom)", u"United Kingdom", 3),
    CharSet(u"デンマークⅠ (Denmark Ⅰ)", u"Denmark I", 4),
    CharSet(u"スウェーデン (Sweden)", u"Sweden", 5),
    CharSet(u"イタリア (Italy)", u"Italy", 6),
    CharSet(u"スペインⅠ (Spain Ⅰ)", u"Spain I", 7),
    CharSet(u"日本 (Japan)", u"Japan", 8),
    CharSet(u"ノルウェー (Norway)", u"Norway", 9),
    CharSet(u"デンマークⅡ (Denmark II)", u"Denmark II", 10),
    CharSet(u"スペインⅡ (Spain II)", u"Spain II", 11),
    CharSet(u"ラテンアメリカ (Latin America)", u"Latin America", 12),
    CharSet(u"アラビア (Arabia)", u"Arabia", 17),
};

constexpr DeviceFontRow kCodeTables[] = {
    CodeTable(u"USA, Standard Europe (Code Page437)", 0),
    CodeTable(u"Katakana", 1),
    CodeTable(u"Multilingual (Code Page850)", 2),
    CodeTable(u"Portuguese (Code Page860)", 3),
    CodeTable(u"Canadian-French (Code Page863)", 4),
    CodeTable(u"Nordic (Code Page865)", 5),
    CodeTable(u"Latin (Code Page1252)", 16),
    CodeTable(u"Eastern Europe (Code Page852)", 18),
    CodeTable(u"Euro (Code Page858)", 19),
    CodeTable(u"Arabic (Code Page864)", 37),
    CodeTable(u"Central European (Code Page1250)", 45),
    CodeTable(u"Cyrillic (Code Page1251)", 46),
    CodeTable(u"Greek (Code Page1253)", 47),
    CodeTable(u"Turkish (Code Page1254)", 48),
    CodeTable(u"ユーザーページ", u"User Page", 255),
};

constexpr DeviceFontTable kCharSetTable = {kCharSets, std::size(kCharSets)};
constexpr DeviceFontTable kCodeTableTable = {kCodeTables, std::size(kCodeTables)};

}  // namespace

const DeviceFontTable& IntlCharSetTable() { return kCharSetTable; }
const DeviceFontTable& CodeTableTable() { return kCodeTableTable; }

const char16_t* DeviceFontRowText(const DeviceFontRow& row, std::uint16_t ui_language) {
  return ui_language == kJapanese ? row.szJapanese : row.szEnglish;
}

}  // namespace kvt
