// CODE93 full-ASCII and CODE128 escape encodings.
#include <map>
#include <string_view>

#include "barcode/barcode_test_util.h"

namespace kvt::barcode_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ---------------------------------------------------------------------------
// Code 93

// The published Code 93 full-ASCII table for 0x00 to 0x7F, sixteen a line:
// a plain Code 93 character, or a shift "($)", "(%)", "(/)" or "(+)" and the
// base character; entries end with a space, "SP" is the space character.
constexpr const char* kCode93FullAscii =
    "(%)U ($)A ($)B ($)C ($)D ($)E ($)F ($)G ($)H ($)I ($)J ($)K ($)L ($)M ($)N ($)O "
    "($)P ($)Q ($)R ($)S ($)T ($)U ($)V ($)W ($)X ($)Y ($)Z (%)A (%)B (%)C (%)D (%)E "
    "SP (/)A (/)B (/)C $ % (/)F (/)G (/)H (/)I (/)J + (/)L - . / "
    "0 1 2 3 4 5 6 7 8 9 (/)Z (%)F (%)G (%)H (%)I (%)J "
    "(%)V A B C D E F G H I J K L M N O "
    "P Q R S T U V W X Y Z (%)K (%)L (%)M (%)N (%)O "
    "(%)W (+)A (+)B (+)C (+)D (+)E (+)F (+)G (+)H (+)I (+)J (+)K (+)L (+)M (+)N (+)O "
    "(+)P (+)Q (+)R (+)S (+)T (+)U (+)V (+)W (+)X (+)Y (+)Z (%)P (%)Q (%)R (%)S (%)T ";

// Code 93 symbol values: the 43 characters in value order, then the shifts.
Bytes Code93Values(std::string_view entry) {
  static const std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  static const std::map<std::string_view, std::uint8_t> kShifts = {
      {"($)", 43}, {"(%)", 44}, {"(/)", 45}, {"(+)", 46}};
  Bytes values;
  if (entry.size() == 4) {
    values.push_back(kShifts.at(entry.substr(0, 3)));
    entry.remove_prefix(3);
  }
  EXPECT_EQ(entry.size(), 1u);
  const std::size_t value = kCharacters.find(entry[0]);
  EXPECT_NE(value, std::string_view::npos) << entry;
  values.push_back(static_cast<std::uint8_t>(value));
  return values;
}

std::vector<std::string> Code93Table() {
  std::vector<std::string> entries;
  std::string_view rest = kCode93FullAscii;
  while (!rest.empty()) {
    const std::size_t end = rest.find(' ');
    const std::string_view entry = rest.substr(0, end);
    entries.push_back(entry == "SP" ? " " : std::string(entry));
    rest.remove_prefix(end + 1);
  }
  EXPECT_EQ(entries.size(), 128u);
  return entries;
}

TEST(BarcodeCode93, FullAsciiTable) {
  const std::vector<std::string> table = Code93Table();
  Bytes all_data;
  Bytes all_expected;
  for (int byte = 0; byte < 128; ++byte) {
    const Bytes data = {static_cast<std::uint8_t>(byte)};
    Bytes expected = Code93Values(table[byte]);
    all_data.push_back(data[0]);
    all_expected.insert(all_expected.end(), expected.begin(), expected.end());
    expected.push_back(47);
    const auto encoded = CreateBufCode93(data.data(), 1);
    ASSERT_TRUE(encoded) << byte;
    EXPECT_EQ(*encoded, expected) << "byte " << byte << " " << table[byte];
  }
  all_expected.push_back(47);
  const auto encoded = CreateBufCode93(all_data.data(), 128);
  ASSERT_TRUE(encoded);
  EXPECT_EQ(*encoded, all_expected);
}

TEST(BarcodeCode93, LongestCaseAndBytesAbove0x7F) {
  EXPECT_EQ(CreateBufCode93(nullptr, 0), Bytes({47}));
  const Bytes lower = Repeat('z', 100);  // the worst case: 2n + 1 values
  EXPECT_EQ(CreateBufCode93(lower.data(), 100)->size(), 201u);
  for (int byte : {0x80, 0xFF}) {
    testing::SdkLogCapture capture;
    SetThreadLastError(0);
    const Bytes data = {'A', static_cast<std::uint8_t>(byte), 'B'};
    EXPECT_FALSE(CreateBufCode93(data.data(), 3));
    char expected[64];
    std::snprintf(expected, sizeof expected, "CreateBufCode93 Data error [%02x]", byte);
    EXPECT_THAT(Messages(capture), ElementsAre(expected));
  }
}

// ---------------------------------------------------------------------------
// Code 128

// The published code sets: A holds ASCII 32-95 as values 0-63 and the
// control characters 0-31 as values 64-95; B holds ASCII 32-127 as values
// 0-95; C holds the digit pairs 00-99.
int PublishedValue(char set, int byte) {
  switch (set) {
    case 'A':
      if (byte >= 32 && byte <= 95) return byte - 32;
      if (byte >= 0 && byte <= 31) return byte + 64;
      return -1;
    case 'B':
      return byte >= 32 && byte <= 127 ? byte - 32 : -1;
    default:
      return byte <= 99 ? byte : -1;
  }
}

struct Encoded {
  std::optional<Bytes> values;
  std::vector<std::string> messages;
};

Encoded Encode128(const std::string& text) {
  testing::SdkLogCapture capture;
  SetThreadLastError(0);
  // An exact heap copy, so that reading past the data shows under ASan.
  // The byte past the data is an escape letter, so reading it changes the result.
  std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[text.size() + 1]);
  std::copy(text.begin(), text.end(), data.get());
  data[text.size()] = 'A';
  Encoded result;
  result.values = CreateBufCode128(data.get(), static_cast<std::uint32_t>(text.size()));
  result.messages = Messages(capture);
  if (result.values) {
    EXPECT_LE(result.values->size(), text.size() + 1);
  }
  return result;
}

TEST(BarcodeCode128, EveryByteInEveryCodeSet) {
  for (char set : {'A', 'B', 'C'}) {
    const Bytes start = {static_cast<std::uint8_t>(set == 'A' ? 103 : set == 'B' ? 104 : 105)};
    for (int byte = 0; byte < 256; ++byte) {
      if (byte == '{') continue;  // always an escape
      const std::string text = std::string("{") + set + static_cast<char>(byte);
      const Encoded e = Encode128(text);
      const int value = PublishedValue(set, byte);
      if (value >= 0) {
        ASSERT_TRUE(e.values) << set << " " << byte;
        EXPECT_EQ(*e.values, Bytes({start[0], static_cast<std::uint8_t>(value), 103}))
            << set << " " << byte;
        EXPECT_THAT(e.messages, IsEmpty());
      } else {
        EXPECT_FALSE(e.values) << set << " " << byte;
        EXPECT_THAT(e.messages, ElementsAre("CreateBufCode128 Data error [0xFF]"))
            << set << " " << byte;
      }
    }
  }
}

// One row per escape letter; per current set (none, A, B, C) the value it
// emits, or -1 when the escape is not allowed there.
struct EscapeRow {
  char letter;
  int value[4];  // current set: none, A, B, C
};

const EscapeRow kEscapes[] = {
    {'A', {103, -1, 101, 101}}, {'B', {104, 100, -1, 100}}, {'C', {105, 99, 99, -1}},
    {'S', {-1, 98, 98, -1}},    {'1', {-1, 102, 102, 102}}, {'2', {-1, 97, 97, -1}},
    {'3', {-1, 96, 96, -1}},    {'4', {-1, 101, 100, -1}},  {'{', {-1, -1, 91, -1}},
};

TEST(BarcodeCode128, EveryEscapeInEveryCurrentSet) {
  const char* const kPrefix[4] = {"", "{A", "{B", "{C"};
  const std::uint8_t kStart[4] = {0, 103, 104, 105};
  const char* const kSetNumber[4] = {"03", "00", "01", "02"};
  for (const EscapeRow& row : kEscapes) {
    for (int set = 0; set < 4; ++set) {
      const std::string text = std::string(kPrefix[set]) + "{" + row.letter;
      const Encoded e = Encode128(text);
      Bytes expected;
      if (set != 0) expected.push_back(kStart[set]);
      if (row.value[set] >= 0) {
        expected.push_back(static_cast<std::uint8_t>(row.value[set]));
        expected.push_back(103);
        ASSERT_TRUE(e.values) << text;
        EXPECT_EQ(*e.values, expected) << text;
        EXPECT_THAT(e.messages, IsEmpty()) << text;
      } else {
        EXPECT_FALSE(e.values) << text;
        EXPECT_THAT(e.messages, ElementsAre(std::string("CreateBufCode128 ") + row.letter +
                                            ":[Startcode:" + kSetNumber[set] + "]"))
            << text;
      }
    }
  }
}

TEST(BarcodeCode128, UnknownEscapeLetters) {
  for (const char* prefix : {"", "{A", "{B", "{C"}) {
    for (int letter : {0, int{'D'}, int{'s'}, 0xC1}) {
      const Encoded e = Encode128(std::string(prefix) + "{" + static_cast<char>(letter));
      EXPECT_FALSE(e.values);
      char expected[64];
      std::snprintf(expected, sizeof expected, "CreateBufCode128 unknown:[code:%02x]", letter);
      EXPECT_THAT(e.messages, ElementsAre(expected)) << prefix << " " << letter;
    }
  }
}

struct Code128Row {
  const char* name;
  std::string text;
  std::optional<Bytes> values;
  std::vector<std::string> messages;
};

Bytes LongB() {
  Bytes v{104};
  v.insert(v.end(), 300, 'x' - 32);
  v.push_back(103);
  return v;
}

class Code128Test : public ::testing::TestWithParam<Code128Row> {};

TEST_P(Code128Test, Encodes) {
  const Encoded e = Encode128(GetParam().text);
  EXPECT_EQ(e.values, GetParam().values);
  EXPECT_EQ(e.messages, GetParam().messages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, Code128Test,
    ::testing::Values(
        Code128Row{"Empty", "", Bytes{103}, {}},
        Code128Row{"SwitchToC", std::string("{BNo.{C\x0C\x22"),
                   Bytes{104, 46, 79, 14, 99, 12, 34, 103}, {}},
        Code128Row{"SwitchAToB", "{A{Ba", Bytes{103, 100, 65, 103}, {}},
        Code128Row{"SwitchCToA", std::string("{C\x05{A\x05"), Bytes{105, 5, 101, 69, 103}, {}},
        Code128Row{"ShiftKeepsTheSet", "{A{Sa", std::nullopt,
                   {"CreateBufCode128 Data error [0xFF]"}},
        Code128Row{"ShiftThenCharacterOfTheSet", "{B{Sa", Bytes{104, 98, 65, 103}, {}},
        Code128Row{"Fnc1InC", std::string("{C{1\x01"), Bytes{105, 102, 1, 103}, {}},
        Code128Row{"NoStart", "abc", std::nullopt,
                   {"CreateBufCode128 Data error [byStartCode:03]"}},
        Code128Row{"LoneBraceAtEnd", "{Babc{", std::nullopt, {}},
        Code128Row{"LongB", "{B" + std::string(300, 'x'),
                   LongB(),
                   {}}),
    [](const ::testing::TestParamInfo<Code128Row>& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace kvt::barcode_test
