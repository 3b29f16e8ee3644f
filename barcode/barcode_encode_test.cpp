// CODE93 full-ASCII and CODE128 escape encodings.
#include <string_view>

#include "barcode/barcode_test_util.h"

namespace kvt::barcode_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ---------------------------------------------------------------------------
// Code 93

// The full-ASCII rule, written from its runs: characters of the symbol set
// stand for themselves, every other byte is a shift value ($ 43, % 44,
// / 45, + 46) and a letter counted from the start of its run.
Bytes Code93Reference(int b) {
  constexpr std::string_view kSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  const auto shift = [&](std::uint8_t s, int letter) {
    return Bytes{s, static_cast<std::uint8_t>(kSet.find(static_cast<char>('A' + letter)))};
  };
  if (b != 0 && kSet.find(static_cast<char>(b)) != std::string_view::npos) {
    return {static_cast<std::uint8_t>(kSet.find(static_cast<char>(b)))};
  }
  if (b == 0) return shift(44, 'U' - 'A');
  if (b <= 0x1A) return shift(43, b - 0x01);
  if (b <= 0x1F) return shift(44, b - 0x1B);
  if (b <= 0x3A) return shift(45, b - 0x21);
  if (b <= 0x3F) return shift(44, b - 0x3B + 5);
  if (b == 0x40) return shift(44, 'V' - 'A');
  if (b <= 0x5F) return shift(44, b - 0x5B + 10);
  if (b == 0x60) return shift(44, 'W' - 'A');
  if (b <= 0x7A) return shift(46, b - 0x61);
  return shift(44, b - 0x7B + 15);
}

TEST(BarcodeCode93, EveryAsciiByteFollowsTheFullAsciiRule) {
  Bytes all_data;
  Bytes all_expected;
  for (int byte = 0; byte < 128; ++byte) {
    const Bytes expected = Code93Reference(byte);
    all_data.push_back(static_cast<std::uint8_t>(byte));
    all_expected.insert(all_expected.end(), expected.begin(), expected.end());
  }
  all_expected.push_back(47);
  EXPECT_EQ(CreateBufCode93(all_data.data(), 128), all_expected);
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
        Code128Row{"ShiftKeepsTheSet", "{A{Sa", std::nullopt,
                   {"CreateBufCode128 Data error [0xFF]"}},
        Code128Row{"ShiftThenCharacterOfTheSet", "{B{Sa", Bytes{104, 98, 65, 103}, {}},
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
