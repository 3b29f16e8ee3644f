// Checks of one- and two-dimensional requests, and the hex text conversion.
#include <cstdarg>

#include "barcode/barcode_test_util.h"

namespace kvt::barcode_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::uint32_t Check1D(Group* group, const Bytes& data) {
  return RunCheck(CheckBarcodeParam, group, data);
}
std::uint32_t Check2D(Group* group, const Bytes& data) {
  return RunCheck(CheckBarcode2DParam, group, data);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  return buf;
}

// ---------------------------------------------------------------------------
// One-dimensional kinds, as the kind table lists them. The CODABAR row is
// the request whose start and stop characters come from the group.

struct Kind1DRow {
  std::uint8_t kind;
  const char* label;
  std::uint32_t min_length;
  std::uint32_t max_length;  // 0: no upper bound
  const char* allowed;       // nullptr: every byte up to 0x7F (CODE128, CODE93)
  const char* forbidden;     // GS1 Databar Expanded
  char filler;
  std::uint8_t min_height;
  bool ratio;
};

const Kind1DRow kKinds1D[] = {
    {0, "0 UPC-A", 11, 12, "0123456789", nullptr, '5', 1, false},
    {1, "1 UPC-E", 11, 12, "0123456789", nullptr, '5', 1, false},
    {2, "2 EAN13", 12, 13, "0123456789", nullptr, '5', 1, false},
    {3, "3 EAN8", 7, 8, "0123456789", nullptr, '5', 1, false},
    {4, "4 CODE39", 1, 150, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%+-./", nullptr, 'Q', 1, true},
    {5, "5 ITF", 2, 150, "0123456789", nullptr, '5', 1, true},
    {6, "6 CODABAR", 1, 148, "0123456789ABCD$+-./:", nullptr, '5', 1, true},
    {7, "7 CODE128", 2, 0, nullptr, nullptr, 'x', 1, false},
    {8, "8 CODE93", 1, 0, nullptr, nullptr, 'x', 1, false},
    {9, "9 JAN13 add on 2", 14, 15, "0123456789", nullptr, '5', 1, false},
    {10, "10 JAN13 add on 5", 17, 18, "0123456789", nullptr, '5', 1, false},
    {11, "11 GS1 Databar Omni-directional", 13, 13, "0123456789", nullptr, '5', 33, false},
    {12, "12 GS1 Databar Truncated", 13, 13, "0123456789", nullptr, '5', 13, false},
    {13, "13 GS1 Databar Limited", 13, 13, "0123456789", nullptr, '5', 10, false},
    {14, "14 GS1 Databar Expanded", 2, 255, nullptr, "#$@[\\]^`|}~", 'x', 34, false},
};

// Group1D's height of 162 passes every kind's minimum.
class Kind1DTest : public ::testing::TestWithParam<Kind1DRow> {};

// Every byte value at a position inside valid data: allowed bytes pass,
// the others fail at once with their position.
TEST_P(Kind1DTest, EveryByteValue) {
  const Kind1DRow& k = GetParam();
  const std::uint32_t length = std::max<std::uint32_t>(k.min_length, 4);
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<std::uint8_t>(value);
    Bytes data = Repeat(k.filler, length);
    data[1] = byte;
    bool allowed;
    if (k.allowed) {
      allowed =
          byte != 0 && std::string(k.allowed).find(static_cast<char>(byte)) != std::string::npos;
    } else if (k.forbidden) {
      allowed = std::string(k.forbidden).find(static_cast<char>(byte)) == std::string::npos;
    } else {
      allowed = byte <= 0x7F;
    }
    testing::SdkLogCapture capture;
    Group g = Group1D(k.kind);
    const std::uint32_t result = Check1D(&g, data);
    if (allowed) {
      EXPECT_EQ(result, 0u) << value;
      EXPECT_THAT(Messages(capture), IsEmpty()) << value;
    } else {
      EXPECT_EQ(result, 13u) << value;
      const unsigned shown =
          static_cast<unsigned>(static_cast<int>(static_cast<std::int8_t>(byte)));
      EXPECT_THAT(Messages(capture),
                  ElementsAre(Format(k.forbidden ? "%s bad data.[x%02x(1th byte)]"
                                                 : "%s bad data [x%02x(1th byte)]",
                                     k.label, shown)))
          << value;
    }
  }
}

// The length range; the kind's minimum height (0 stands for 162); NWRatio
// only where the kind has wide and narrow bars.
TEST_P(Kind1DTest, Ranges) {
  const Kind1DRow& k = GetParam();
  const std::string max_text = k.max_length ? std::to_string(k.max_length) : "4294967295";
  struct Case {
    std::uint32_t length;
    int height, ratio;
    bool bad_length, bad_height, bad_ratio;
  };
  std::vector<Case> cases = {{k.min_length, k.min_height, 2, false, false, false},
                             {k.min_length, 0, 0, false, false, false},
                             {k.min_length - 1, 255, 1, true, false, false},
                             {k.min_length, k.min_height - 1, 1, false, k.min_height > 1, false},
                             {k.min_length, k.min_height, 3, false, false, k.ratio}};
  if (k.max_length) {
    cases.push_back({k.max_length, 255, 1, false, false, false});
    cases.push_back({k.max_length + 1, 255, 1, true, false, false});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.length << " " << c.height << " " << c.ratio);
    testing::SdkLogCapture capture;
    Group g = Group1D(k.kind);
    g[barcode1d::kHeight] = static_cast<std::uint8_t>(c.height);
    g[barcode1d::kNwRatio] = static_cast<std::uint8_t>(c.ratio);
    std::vector<std::string> expected;
    if (c.bad_length) {
      expected.push_back(Format("%s bad data length. [%u-%s:%u]", k.label, k.min_length,
                                max_text.c_str(), c.length));
      if (k.kind == barcode1d::kItf && c.length % 2 != 0) {
        expected.push_back(Format("5 ITF data length not even. [(Even):%u]", c.length));
      }
    }
    if (c.bad_height) {
      expected.push_back(Format("%s bad Height. [%d-255:%d]", k.label, k.min_height, c.height));
    }
    if (c.bad_ratio) expected.push_back(Format("%s bad NWRatio. [0-2:3]", k.label));
    const bool too_short = c.bad_length || c.bad_height;
    EXPECT_EQ(Check1D(&g, Repeat(k.filler, c.length)), c.bad_ratio ? 87u : too_short ? 24u : 0u);
    EXPECT_EQ(Messages(capture), expected);
    if (c.height == 0) {
      EXPECT_EQ(g[barcode1d::kHeight], 162);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Barcode, Kind1DTest, ::testing::ValuesIn(kKinds1D),
                         [](const ::testing::TestParamInfo<Kind1DRow>& info) {
                           return "Kind" + std::to_string(info.param.kind);
                         });

// ---------------------------------------------------------------------------
// Two-dimensional kinds.

struct Kind2DRow {
  std::uint8_t kind;
  const char* label;
  std::uint32_t min_length, max_length;
  int min_size, max_size;      // -1: no size check
  int min_height, max_height;  // -1: no height check
  char filler;
};

const Kind2DRow kKinds2D[] = {
    {0, "0 QR Code Model-2", 1, 7089, 2, 16, -1, -1, 'x'},
    {1, "1 PDF417", 1, 499, 2, 8, 2, 127, 'x'},
    {2, "2 Data Matrix", 1, 3116, 2, 16, -1, -1, 'x'},
    {3, "3 Maxi Code", 1, 138, -1, -1, -1, -1, 'x'},  // mode 4
    {4, "4 GS1 Databar Stacked", 13, 13, 2, 16, -1, -1, '7'},
    {5, "5 GS1 Databar Stacked Omni-directional", 13, 13, 2, 16, 33, 255, '7'},
    {6, "6 GS1 Databar Expanded Stacked", 1, 255, 2, 16, -1, -1, 'x'},
};

class Kind2DTest : public ::testing::TestWithParam<Kind2DRow> {};

// Length, module size and height: the ends of each range pass, one past
// either end fails with its log line; size 0 becomes 3 for PDF417, else 6.
TEST_P(Kind2DTest, Ranges) {
  const Kind2DRow& k = GetParam();
  struct Range {
    const char* what;
    int low, high;       // low < 0: not checked
    std::size_t offset;  // 0: the data length
  };
  const Range ranges[] = {
      {"data length", static_cast<int>(k.min_length), static_cast<int>(k.max_length), 0},
      {"Size", k.min_size, k.max_size, barcode2d::kModuleSize},
      {"Height", k.min_height, k.max_height, barcode2d::kModuleHeight}};
  for (const Range& r : ranges) {
    if (r.low < 0) continue;
    for (int value : {r.low, r.high, r.low - 1, r.high + 1}) {
      if (value > 255 && r.offset != 0) continue;
      SCOPED_TRACE(std::string(r.what) + " " + std::to_string(value));
      const bool good = value >= r.low && value <= r.high;
      testing::SdkLogCapture capture;
      Group g = Group2D(k.kind);
      Bytes data = Repeat(k.filler, k.min_length);
      if (r.offset == 0) {
        data = Repeat(k.filler, static_cast<std::size_t>(value));
      } else {
        g[r.offset] = static_cast<std::uint8_t>(value);
      }
      EXPECT_EQ(Check2D(&g, data), good ? 0u : 24u);
      if (good) {
        EXPECT_THAT(Messages(capture), IsEmpty());
      } else {
        EXPECT_THAT(Messages(capture), ElementsAre(Format("%s bad %s. [%d-%d:%d]", k.label, r.what,
                                                          r.low, r.high, value)));
      }
    }
  }
  Group g = Group2D(k.kind);
  g[barcode2d::kModuleSize] = 0;
  Check2D(&g, Repeat(k.filler, k.min_length));
  EXPECT_EQ(g[barcode2d::kModuleSize], k.kind == barcode2d::kPdf417 ? 3 : 6);
}

INSTANTIATE_TEST_SUITE_P(Barcode, Kind2DTest, ::testing::ValuesIn(kKinds2D),
                         [](const ::testing::TestParamInfo<Kind2DRow>& info) {
                           return "Kind" + std::to_string(info.param.kind);
                         });

// ---------------------------------------------------------------------------
// Requests of both dimensions: the order of the checks, which code wins,
// the group values the checks put right.

Group G(bool two_d, std::uint8_t kind,
        std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  Group g = two_d ? Group2D(kind) : Group1D(kind);
  for (const auto& [offset, value] : set) g[offset] = value;
  return g;
}

struct CheckRow {
  const char* name;
  bool two_d;
  Group group;
  std::string data;
  std::uint32_t result;
  std::vector<std::string> messages;
  Group group_after = {};  // all zero: the group as given
};

class CheckTest : public ::testing::TestWithParam<CheckRow> {};

TEST_P(CheckTest, Result) {
  const CheckRow& row = GetParam();
  testing::SdkLogCapture capture;
  Group g = row.group;
  EXPECT_EQ((row.two_d ? Check2D : Check1D)(&g, Text(row.data)), row.result);
  EXPECT_EQ(Messages(capture), row.messages);
  EXPECT_EQ(g, row.group_after == Group{} ? row.group : row.group_after);
}

using namespace barcode1d;
namespace b2 = barcode2d;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, CheckTest,
    ::testing::Values(
        // Nothing else is looked at for an unknown kind.
        CheckRow{"UnknownKind", false, G(false, 15, {{kModuleWidth, 0}}), "x", 87,
                 {"Barcode unknown type. [type:15]"}},
        CheckRow{"WidthLow", false, G(false, kUpcA, {{kModuleWidth, 1}}), "01234567890", 24,
                 {"0 UPC-A bad Width. [2-6:1]"}},
        // A width of 0 stands for 3, and the replacement stays when the check fails.
        CheckRow{"ZeroWidthIsReplaced", false, G(false, kUpcA, {{kModuleWidth, 0}}), "0123", 24,
                 {"0 UPC-A bad data length. [11-12:4]"}, G(false, kUpcA)},
        CheckRow{"WidthThenHri", false, G(false, kUpcA, {{kModuleWidth, 7}, {kHri, 7}}),
                 "01234567890", 87, {"0 UPC-A bad Width. [2-6:7]", "0 UPC-A bad HRI pos. [0-6:7]"}},
        CheckRow{"ItfOddOnly", false, G(false, kItf), "123", 24,
                 {"5 ITF data length not even. [(Even):3]"}},
        CheckRow{"LengthThenCharacter", false, G(false, kUpcA), "12a", 13,
                 {"0 UPC-A bad data length. [11-12:3]", "0 UPC-A bad data [x61(2th byte)]"}},
        // CODABAR: start and stop characters from the data (0xFF) or the group.
        CheckRow{"CodabarOwnStartStop", false, G(false, kCodabar, {{kStartChar, 0xFF}}), "A1234B",
                 0, {}},
        CheckRow{"CodabarOwnStartNoStop", false, G(false, kCodabar, {{kStartChar, 0xFF}}), "A1234",
                 13, {"6 CODABAR bad stop code. [A-D:52]"}},
        CheckRow{"CodabarNoStartNoneGiven", false, G(false, kCodabar, {{kStartChar, 0xFF}}), "1234",
                 13, {"6 CODABAR bad start code. [A-D:49]"}},
        CheckRow{"CodabarLoneStartChar", false, G(false, kCodabar, {{kStartChar, 0xFF}}), "A", 13,
                 {"6 CODABAR bad start code. [A-D:65]"}},
        CheckRow{"CodabarOwn151", false, G(false, kCodabar, {{kStartChar, 0xFF}}),
                 "A" + std::string(149, '1') + "C", 24, {"6 CODABAR bad data length. [1-150:151]"}},
        CheckRow{"UnknownKind2D", true, G(true, 0, {{b2::kSystem, 7}, {b2::kModuleSize, 0}}), "", 87,
                 {"2D Barcode unknown type. [type:7]"}},
        CheckRow{"QrModel3", true, G(true, b2::kQrCode, {{b2::kModel, 3}}), "abc", 13,
                 {"0 QR Code Model-2 bad model. [1-2:3]"}},
        CheckRow{"QrErrorLevel4", true, G(true, b2::kQrCode, {{b2::kErrorLevel, 4}}), "abc", 13,
                 {"0 QR Code Model-2 bad ErrorCorrectLevel. [0-8:4]"}},
        // An empty request with bad lines or columns: their code wins over the length's.
        CheckRow{"Pdf417Rows2", true, G(true, b2::kPdf417, {{b2::kLines, 2}}), "", 13,
                 {"1 PDF417 bad Line. [3-90:2]"}},
        CheckRow{"Pdf417Columns31SkipsLength", true, G(true, b2::kPdf417, {{b2::kColumns, 31}}), "",
                 13, {"1 PDF417 bad Column. [1-30:31]"}},
        CheckRow{"Pdf417LengthThenMode", true, G(true, b2::kPdf417, {{b2::kMode, 2}}), "", 13,
                 {"1 PDF417 bad data length. [1-499:0]", "1 PDF417 bad Mode. [0-1:2]"}},
        CheckRow{"Pdf417SizeThenErrorLevel", true,
                 G(true, b2::kPdf417, {{b2::kModuleSize, 9}, {b2::kErrorLevel, 9}}), "abc", 13,
                 {"1 PDF417 bad Size. [2-8:9]", "1 PDF417 bad ErrorCorrectLevel. [0-8:9]"}},
        CheckRow{"DataMatrixCount31", true, G(true, b2::kDataMatrix, {{b2::kModuleHeight, 31}}), "",
                 13, {"2 Data Matrix bad Module count. [0-30:31]"}},
        CheckRow{"MaxiMode6", true, G(true, b2::kMaxiCode, {{b2::kMode, 6}}), "abc", 13,
                 {"3 Maxi Code bad mode. [mode6]"}},
        CheckRow{"MaxiMode2Length124", true, G(true, b2::kMaxiCode, {{b2::kMode, 2}}),
                 "123456" + std::string(118, 'x'), 24, {"3 Maxi Code bad data length. [1-123:124]"}},
        CheckRow{"MaxiMode2LetterAt5", true, G(true, b2::kMaxiCode, {{b2::kMode, 2}}),
                 "12345A7890123456", 13, {"3 Maxi Code bad data [x41(5th byte)]"}},
        // Shorter than the postal code: the position is the data length and
        // nothing past the data is read.
        CheckRow{"MaxiMode2ThreeBytes", true, G(true, b2::kMaxiCode, {{b2::kMode, 2}}), "123", 13,
                 {"3 Maxi Code bad data [x00(3th byte)]"}},
        CheckRow{"Gs1StackedLetter", true, G(true, b2::kGs1Stacked), "123456789012a", 13,
                 {"4 GS1 Databar Stacked bad data [x61(12th byte)]"}},
        CheckRow{"Gs1ExpStackedSegments21", true,
                 G(true, b2::kGs1ExpandedStacked, {{b2::kModuleHeight, 21}}), "abc", 13,
                 {"6 GS1 Databar Expanded Stacked bad Element. [Element21]"}},
        // Segments are lowered to an even number.
        CheckRow{"Gs1ExpStackedSegments3", true,
                 G(true, b2::kGs1ExpandedStacked, {{b2::kModuleHeight, 3}}), "abc", 0, {},
                 G(true, b2::kGs1ExpandedStacked, {{b2::kModuleHeight, 2}})},
        CheckRow{"Gs1ExpStackedForbidden", true, G(true, b2::kGs1ExpandedStacked), "ab~", 13,
                 {"6 GS1 Databar Expanded Stacked bad data.[x7e(2th byte)]"}}),
    [](const ::testing::TestParamInfo<CheckRow>& info) { return info.param.name; });
// clang-format on

// ---------------------------------------------------------------------------
// Hex text.

struct HexRow {
  const char* name;
  std::u16string text;
  int count;  // -2: the text's length
  Bytes bytes;
};

class HexTextTest : public ::testing::TestWithParam<HexRow> {};

TEST_P(HexTextTest, Converts) {
  const HexRow& row = GetParam();
  const int count = row.count == -2 ? static_cast<int>(row.text.size()) : row.count;
  // Exactly the text and count / 2 bytes of room, so overruns show under ASan.
  std::unique_ptr<char16_t[]> text(new char16_t[row.text.size() + 1]);
  std::copy(row.text.begin(), row.text.end(), text.get());
  const std::size_t room = count > 0 ? static_cast<std::size_t>(count) / 2 : 0;
  std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[room + 1]);
  const int written = HexTextToBytes(out.get(), text.get(), count);
  ASSERT_EQ(written, static_cast<int>(row.bytes.size()));
  EXPECT_EQ(Bytes(out.get(), out.get() + written), row.bytes);
}

// clang-format off
// The fuzz target checks any text against a plain pairwise reading; these
// are the rows that can fail differently.
INSTANTIATE_TEST_SUITE_P(
    Barcode, HexTextTest,
    ::testing::Values(
        HexRow{"BadLowDigitDropsPair", u"1G2A", -2, {0x2A}}, HexRow{"OddTail", u"aBC", -2, {0xAB}},
        HexRow{"CountLimitsReading", u"1B40", 3, {0x1B}}, HexRow{"NegativeCount", u"1B40", -1, {}}),
    [](const ::testing::TestParamInfo<HexRow>& info) { return info.param.name; });
// clang-format on

TEST(BarcodeHexText, MissingBuffers) {
  std::uint8_t out[4];
  EXPECT_EQ(HexTextToBytes(nullptr, u"1B40", 4), 0);
  EXPECT_EQ(HexTextToBytes(out, static_cast<const char16_t*>(nullptr), 4), 0);
}

}  // namespace
}  // namespace kvt::barcode_test
