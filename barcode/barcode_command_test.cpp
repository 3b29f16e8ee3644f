// Command assembly: exact byte images, the data conversion and the failures.
#include "barcode/barcode_internal.h"
#include "barcode/barcode_test_util.h"
#include "platform/ansi_text.h"
#include "platform/service.h"

namespace kvt::barcode_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A code page with one- and two-byte characters (like 932), one character
// that needs three bytes, and one that cannot be converted at all.
class FakeAnsiText final : public AnsiText {
 public:
  std::uint32_t CodePage() override { return 932; }
  bool FromUtf16(std::u16string_view text, std::string* out) override {
    ++calls;
    out->clear();
    for (char16_t c : text) {
      if (c == u'\uFFFF') {
        SetThreadLastError(1113);  // ERROR_NO_UNICODE_TRANSLATION
        return false;
      }
      if (c < 0x80) {
        out->push_back(static_cast<char>(c));
      } else if (c == u'\u3042') {  // HIRAGANA LETTER A
        out->append("\x82\xA0");
      } else if (c == u'\u20AC') {  // EURO SIGN, as if three bytes were needed
        out->append("\xE2\x82\xAC");
      } else {
        out->push_back('?');
      }
    }
    return true;
  }
  int calls = 0;
};

struct Result {
  bool ok;
  std::uint32_t last_error;
  Bytes command;
  std::vector<std::string> messages;
};

// Runs GetBarcodeCommand on an exact heap copy of |text| through the fake
// code page, with the last error cleared first.
Result Build(Group* group_1d, Group* group_2d, const std::u16string& text) {
  FakeAnsiText ansi;
  ScopedService<AnsiText> scoped(ansi);
  testing::SdkLogCapture capture;
  std::unique_ptr<char16_t[]> exact(new char16_t[text.size() + 1]);
  std::copy(text.begin(), text.end(), exact.get());
  SetThreadLastError(0);
  Result r;
  r.ok = GetBarcodeCommand(group_1d ? group_1d->data() : nullptr,
                           group_2d ? group_2d->data() : nullptr, exact.get(),
                           static_cast<std::uint32_t>(text.size()), &r.command);
  r.last_error = GetThreadLastError();
  r.messages = Messages(capture);
  return r;
}

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

Bytes Concat(const std::string& hex, const std::string& data) {
  Bytes out = Hex(hex);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

// ---------------------------------------------------------------------------
// One-dimensional commands.

Group G1(std::uint8_t kind, std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  Group g = Group1D(kind);
  for (const auto& [offset, value] : set) g[offset] = value;
  return g;
}

using namespace barcode1d;

struct Image1DRow {
  const char* name;
  Group group;
  std::string text;
  std::string expected_hex;   // command bytes ...
  std::string expected_tail;  // ... followed by these characters
};

// HRI off, height 162, width 3, rotation 0: the common start.
const std::string kStart = "1D 48 00 1D 68 A2 1D 77 03 1D 6A 00 ";

class Image1DTest : public ::testing::TestWithParam<Image1DRow> {};

TEST_P(Image1DTest, ExactBytes) {
  const Image1DRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(&g, nullptr, U16(row.text));
  ASSERT_TRUE(r.ok) << ::testing::PrintToString(r.messages);
  EXPECT_EQ(ToHex(r.command), ToHex(Concat(row.expected_hex, row.expected_tail)));
  EXPECT_THAT(r.messages, IsEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, Image1DTest,
    ::testing::Values(
        Image1DRow{"UpcAHriUnder", G1(kUpcA, {{kHri, 2}}), "01234567890",
                   "1D 48 02 1D 66 00 1D 68 A2 1D 77 03 1D 6A 00 1D 6B 41 0B", "01234567890"},
        Image1DRow{"UpcANoHriNoRotation", G1(kUpcA, {{kRotate, 4}}), "01234567890",
                   "1D 48 00 1D 68 A2 1D 77 03 1D 6B 41 0B", "01234567890"},
        Image1DRow{"UpcE", G1(kUpcE), "012345678905", kStart + "1D 6B 42 0C", "012345678905"},
        Image1DRow{"Ean13", G1(kEan13), "490123456789", kStart + "1D 6B 43 0C", "490123456789"},
        Image1DRow{"Ean8", G1(kEan8), "4901234", kStart + "1D 6B 44 07", "4901234"},
        Image1DRow{"Code39Ratio", G1(kCode39, {{kNwRatio, 2}}), "AB-1 $",
                   kStart + "12 3A 02 1D 6B 45 06", "AB-1 $"},
        Image1DRow{"ItfRatio", G1(kItf, {{kNwRatio, 1}}), "1234", kStart + "12 3A 01 1D 6B 46 04",
                   "1234"},
        Image1DRow{"CodabarAddedStartStop", G1(kCodabar, {{kStartChar, 0}, {kStopChar, 3}}), "1234",
                   kStart + "12 3A 01 1D 6B 47 06 41 31 32 33 34 44", ""},
        Image1DRow{"CodabarOwnStartStop", G1(kCodabar, {{kStartChar, 0xFF}, {kStopChar, 0}}),
                   "A1234B", kStart + "12 3A 01 1D 6B 47 06", "A1234B"},
        Image1DRow{"CodabarStopNotGiven", G1(kCodabar, {{kStartChar, 1}, {kStopChar, 4}}), "1234",
                   kStart + "12 3A 01 1D 6B 47 04", "1234"},
        Image1DRow{"CodabarOwnAndAdded", G1(kCodabar, {{kStartChar, 2}, {kStopChar, 1}}), "A12B",
                   kStart + "12 3A 01 1D 6B 47 06 43 41 31 32 42 42", ""},
        Image1DRow{"Code128", G1(kCode128), "{Babc", kStart + "1D 6B 49 05 68 41 42 43 67", ""},
        Image1DRow{"Code93", G1(kCode93), "ABC", kStart + "1D 6B 48 04 0A 0B 0C 2F", ""},
        Image1DRow{"AddOn2Of14", G1(kJan13AddOn2), "12345678901234",
                   kStart + "1D 6B 57 0C 31 32 33 34 35 36 37 38 39 30 31 32 02 33 34", ""},
        Image1DRow{"AddOn5Of17", G1(kJan13AddOn5), "12345678901234567",
                   kStart + "1D 6B 57 0C 31 32 33 34 35 36 37 38 39 30 31 32 05 33 34 35 36 37",
                   ""},
        Image1DRow{"Gs1Omni", G1(kGs1Omni), "0123456789012", kStart + "1D 6B 4B 0D",
                   "0123456789012"},
        Image1DRow{"Gs1Truncated", G1(kGs1Truncated), "0123456789012", kStart + "1D 6B 4C 0D",
                   "0123456789012"},
        Image1DRow{"Gs1Limited", G1(kGs1Limited), "0123456789012", kStart + "1D 6B 4D 0D",
                   "0123456789012"},
        Image1DRow{"Gs1Expanded", G1(kGs1Expanded), "(01)9012", kStart + "1D 6B 4E 08", "(01)9012"},
        Image1DRow{"Gs1Expanded255", G1(kGs1Expanded), std::string(255, 'x'),
                   kStart + "1D 6B 4E FF", std::string(255, 'x')},
        Image1DRow{"WidthHeightAsSet", G1(kUpcA, {{kModuleWidth, 6}, {kHeight, 1}}), "01234567890",
                   "1D 48 00 1D 68 01 1D 77 06 1D 6A 00 1D 6B 41 0B", "01234567890"}),
    [](const ::testing::TestParamInfo<Image1DRow>& info) { return info.param.name; });
// clang-format on

TEST(GetBarcodeCommand, HriPositionAndFont) {
  const char* const kHriBytes[7] = {"1D 48 00",          "1D 48 01 1D 66 00", "1D 48 02 1D 66 00",
                                    "1D 48 03 1D 66 00", "1D 48 01 1D 66 01", "1D 48 02 1D 66 01",
                                    "1D 48 03 1D 66 01"};
  for (std::uint8_t hri = 0; hri <= 6; ++hri) {
    Group g = G1(kEan8, {{kHri, hri}});
    const Result r = Build(&g, nullptr, u"1234567");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(ToHex(r.command),
              ToHex(Concat(std::string(kHriBytes[hri]) + " 1D 68 A2 1D 77 03 1D 6A 00 1D 6B 44 07",
                           "1234567")))
        << int{hri};
  }
}

TEST(GetBarcodeCommand, Rotation) {
  for (int rotate : {0, 3, 4, 255}) {
    Group g1 = G1(kEan8, {{kRotate, static_cast<std::uint8_t>(rotate)}});
    const Result r1 = Build(&g1, nullptr, u"1234567");
    ASSERT_TRUE(r1.ok);
    const std::string rotation =
        rotate < 4 ? "1D 6A 0" + std::to_string(rotate) + " " : std::string();
    EXPECT_EQ(ToHex(r1.command),
              ToHex(Concat("1D 48 00 1D 68 A2 1D 77 03 " + rotation + "1D 6B 44 07", "1234567")));

    Group g2 = Group2D(barcode2d::kMaxiCode);
    g2[barcode2d::kRotate] = static_cast<std::uint8_t>(rotate);
    const Result r2 = Build(nullptr, &g2, u"ab");
    ASSERT_TRUE(r2.ok);
    EXPECT_EQ(ToHex(r2.command), ToHex(Concat(rotation + "1D 70 03 04 02", "ab")));
  }
}

TEST(GetBarcodeCommand, ZeroWidthAndHeightAreReplacedInTheCallersGroup) {
  Group g = G1(kUpcA, {{kModuleWidth, 0}, {kHeight, 0}});
  const Result r = Build(&g, nullptr, u"01234567890");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command),
            ToHex(Concat("1D 48 00 1D 68 A2 1D 77 03 1D 6A 00 1D 6B 41 0B", "01234567890")));
  EXPECT_EQ(g[kModuleWidth], 3);
  EXPECT_EQ(g[kHeight], 162);
}

// ---------------------------------------------------------------------------
// Two-dimensional commands.

Group G2(std::uint8_t kind, std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  Group g = Group2D(kind);
  for (const auto& [offset, value] : set) g[offset] = value;
  return g;
}

struct Image2DRow {
  const char* name;
  Group group;
  std::string text;
  std::string expected_hex;
  std::string expected_tail;
  Group group_after;  // all zero: not checked
};

class Image2DTest : public ::testing::TestWithParam<Image2DRow> {};

TEST_P(Image2DTest, ExactBytes) {
  const Image2DRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(nullptr, &g, U16(row.text));
  ASSERT_TRUE(r.ok) << ::testing::PrintToString(r.messages);
  EXPECT_EQ(ToHex(r.command), ToHex(Concat(row.expected_hex, row.expected_tail)));
  EXPECT_THAT(r.messages, IsEmpty());
  if (row.group_after != Group{}) {
    EXPECT_EQ(g, row.group_after);
  }
}

using namespace barcode2d;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, Image2DTest,
    ::testing::Values(
        Image2DRow{"QrNoRotation",
                   G2(kQrCode, {{kModuleSize, 6}, {kErrorLevel, 1}, {barcode2d::kRotate, 4}}),
                   "abc", "12 3B 06 1D 70 01 02 4D 00 4D 03 00", "abc", {}},
        Image2DRow{"QrLevelH", G2(kQrCode, {{kErrorLevel, 3}}), "abc",
                   "1D 6A 00 12 3B 03 1D 70 01 02 48 00 4D 03 00", "abc", {}},
        Image2DRow{"QrModelParamAndMode",
                   G2(kQrCode, {{kModel, 1}, {kParam2, 7}, {kMode, 0x20}, {kModuleSize, 0}}), "x",
                   "1D 6A 00 12 3B 06 1D 70 01 01 4C 07 20 01 00", "x",
                   G2(kQrCode, {{kModel, 1}, {kParam2, 7}, {kMode, 0x20}, {kModuleSize, 6}})},
        Image2DRow{"Pdf417",
                   G2(kPdf417, {{kMode, 1}, {kErrorLevel, 5}, {kLines, 3}, {kColumns, 2},
                               {barcode2d::kRotate, 1}}),
                   "abc", "1D 6A 01 1D 6E 03 1D 6F 0A 1D 70 00 01 05 03 02 03 00", "abc", {}},
        Image2DRow{"Pdf417SizeZero", G2(kPdf417, {{kModuleSize, 0}, {kModuleHeight, 127}}), "ab",
                   "1D 6A 00 1D 6E 03 1D 6F 7F 1D 70 00 00 00 00 00 02 00", "ab",
                   G2(kPdf417, {{kModuleSize, 3}, {kModuleHeight, 127}})},
        Image2DRow{"DataMatrix",
                   G2(kDataMatrix, {{kParam11, 0x12}, {kParam12, 0x34}, {barcode2d::kRotate, 2},
                                   {kModuleSize, 4}}),
                   "abc", "1D 6A 02 12 3B 04 1D 70 02 00 12 34 03 00", "abc", {}},
        Image2DRow{"DataMatrix300", G2(kDataMatrix), std::string(300, 'q'),
                   "1D 6A 00 12 3B 03 1D 70 02 00 00 00 2C 01", std::string(300, 'q'), {}},
        Image2DRow{"MaxiMode2", G2(kMaxiCode, {{kMode, 2}}), "123456789012345abc",
                   "1D 6A 00 1D 70 03 02", "123456789012345\x03" "abc", {}},
        Image2DRow{"MaxiMode2Primary", G2(kMaxiCode, {{kMode, 2}}), "123456789012345",
                   "1D 6A 00 1D 70 03 02", std::string("123456789012345\0", 16), {}},
        Image2DRow{"MaxiMode3", G2(kMaxiCode, {{kMode, 3}}), "123456ABCDEFxy",
                   "1D 6A 00 1D 70 03 03", "123456ABCDEF\x02xy", {}},
        Image2DRow{"MaxiMode5", G2(kMaxiCode, {{kMode, 5}}), std::string(138, 'm'),
                   "1D 6A 00 1D 70 03 05 8A", std::string(138, 'm'), {}},
        Image2DRow{"Gs1Stacked", G2(kGs1Stacked), "0123456789012",
                   "1D 6A 00 12 3B 03 1D 70 04 00 0D", "0123456789012", {}},
        Image2DRow{"Gs1StackedOmni", G2(kGs1StackedOmni, {{kModuleHeight, 40}, {kModuleSize, 16}}),
                   "0123456789012", "1D 6A 00 12 3B 10 1D 70 04 01 28 0D", "0123456789012", {}},
        Image2DRow{"Gs1ExpandedStacked",
                   G2(kGs1ExpandedStacked, {{kModuleHeight, 5}, {barcode2d::kRotate, 3}}), "abc",
                   "1D 6A 03 12 3B 03 1D 70 04 02 04 03", "abc",
                   G2(kGs1ExpandedStacked, {{kModuleHeight, 4}, {barcode2d::kRotate, 3}})}),
    [](const ::testing::TestParamInfo<Image2DRow>& info) { return info.param.name; });
// clang-format on

// ---------------------------------------------------------------------------
// Data conversion.

TEST(GetBarcodeCommand, TextGoesThroughTheAnsiCodePage) {
  Group g = G2(kQrCode, {{barcode2d::kRotate, 4}});
  const Result r = Build(nullptr, &g, u"a\u3042");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), "12 3B 03 1D 70 01 02 4C 00 4D 03 00 61 82 A0");
}

TEST(GetBarcodeCommand, HexInput) {
  // 1D: the group's hex flag; the bytes are converted before the checks.
  Group g1 = G1(kGs1Expanded, {{barcode1d::kHexInput, 1}});
  Result r = Build(&g1, nullptr, u"1b 21 41");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), ToHex(Hex(kStart + "1D 6B 4E 03 1B 21 41")));

  Group code128 = G1(kCode128, {{barcode1d::kHexInput, 1}});
  r = Build(&code128, nullptr, u"7B4261 62");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), ToHex(Hex(kStart + "1D 6B 49 04 68 41 42 67")));

  // 2D: byte 10 is the flag.
  Group g2 = G2(kQrCode, {{barcode2d::kHexInput, 1}, {barcode2d::kRotate, 4}});
  r = Build(nullptr, &g2, u"00ff");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), "12 3B 03 1D 70 01 02 4C 00 4D 02 00 00 FF");
}

TEST(GetBarcodeCommand, OneDimensionalGroupWinsAndItsHexFlagCounts) {
  Group g1 = G1(kEan8);
  Group g2 = G2(kQrCode, {{barcode2d::kHexInput, 1}});
  const Result r = Build(&g1, &g2, u"1234567");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), ToHex(Concat(kStart + "1D 6B 44 07", "1234567")));
  EXPECT_EQ(g2, G2(kQrCode, {{barcode2d::kHexInput, 1}}));  // untouched
}

// ---------------------------------------------------------------------------
// Failures.

struct FailureRow {
  const char* name;
  bool give_1d, give_2d;
  Group group;
  std::u16string text;
  std::uint32_t last_error;
  std::vector<std::string> messages;
};

class FailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(FailureTest, ReportsAndLogs) {
  const FailureRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(row.give_1d ? &g : nullptr, row.give_2d ? &g : nullptr, row.text);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.last_error, row.last_error);
  EXPECT_EQ(r.messages, row.messages);
  EXPECT_THAT(r.command, IsEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, FailureTest,
    ::testing::Values(
        FailureRow{"NoGroup", false, false, {}, u"123", 87,
                   {"GetBarcodeCommand Invalid parameter"}},
        FailureRow{"EmptyText", true, false, G1(kUpcA), u"", 87,
                   {"GetBarcodeCommand Data size = 0"}},
        FailureRow{"HexWithoutDigits", true, false, G1(kUpcA, {{barcode1d::kHexInput, 1}}), u"zz 1",
                   87, {"GetBarcodeCommand Data size = 0"}},
        // More than two bytes per character cannot be converted in the room
        // the conversion is given.
        FailureRow{"ThreeByteCharacter", false, true, G2(kQrCode), u"\u20AC", 87,
                   {"GetBarcodeCommand Data size = 0"}},
        FailureRow{"CheckFails", true, false, G1(kUpcA), u"123", 24,
                   {"0 UPC-A bad data length. [11-12:3]"}},
        FailureRow{"Check2DFails", false, true, G2(kQrCode, {{kModel, 3}}), u"123", 13,
                   {"0 QR Code Model-2 bad model. [1-2:3]"}},
        FailureRow{"UnknownKind", true, false, G1(20), u"123", 87,
                   {"Barcode unknown type. [type:20]"}},
        FailureRow{"Code128WithoutStart", true, false, G1(kCode128), u"abc", 13,
                   {"CreateBufCode128 Data error [byStartCode:03]", "Create BufCode128"}},
        FailureRow{"Code128BadEscape", true, false, G1(kCode128), u"{Bab{Z", 13,
                   {"CreateBufCode128 unknown:[code:5a]", "Create BufCode128"}},
        FailureRow{"Code128LoneBrace", true, false, G1(kCode128), u"{Bab{", 13,
                   {"Create BufCode128"}}),

    [](const ::testing::TestParamInfo<FailureRow>& info) { return info.param.name; });
// clang-format on

TEST(GetBarcodeCommand, MissingOutParameter) {
  testing::SdkLogCapture capture;
  Group g = G1(kEan8);
  SetThreadLastError(0);
  EXPECT_FALSE(GetBarcodeCommand(g.data(), nullptr, u"1234567", 7, nullptr));
  EXPECT_EQ(GetThreadLastError(), 87u);
  EXPECT_THAT(Messages(capture), ElementsAre("GetBarcodeCommand Invalid parameter"));
}

TEST(GetBarcodeCommand, MissingTextIsNoData) {
  FakeAnsiText ansi;
  ScopedService<AnsiText> scoped(ansi);
  testing::SdkLogCapture capture;
  Group g = G1(kEan8);
  Bytes command;
  SetThreadLastError(0);
  EXPECT_FALSE(
      GetBarcodeCommand(g.data(), nullptr, static_cast<const char16_t*>(nullptr), 7, &command));
  EXPECT_EQ(GetThreadLastError(), 87u);
  EXPECT_THAT(Messages(capture), ElementsAre("GetBarcodeCommand Data size = 0"));
}

TEST(GetBarcodeCommand, FailedConversionLogsItsSystemError) {
  FakeAnsiText ansi;
  ScopedService<AnsiText> scoped(ansi);
  testing::SdkLogCapture capture;
  Group g = G2(kQrCode);
  Bytes command = {1, 2, 3};
  SetThreadLastError(0);
  EXPECT_FALSE(GetBarcodeCommand(nullptr, g.data(), u"ab\uFFFF", 3, &command));
  EXPECT_EQ(GetThreadLastError(), 87u);
  EXPECT_TRUE(command.empty());
  ASSERT_EQ(capture.Records().size(), 1u);
  EXPECT_TRUE(std::regex_match(capture.Records()[0],
                               std::regex(R"(\[01/31 12:34\(56\.789\)\] \[E\] \[1113 : \d{4,}\] : )"
                                          "GetBarcodeCommand Data size = 0\r\n")))
      << capture.Records()[0];
}

TEST(GetBarcodeCommand, TwoBytesPerCharacterStillFit) {
  Group g = G2(kQrCode, {{barcode2d::kRotate, 4}});
  const Result r = Build(nullptr, &g, u"ab\u20AC");  // 5 bytes for 3 characters
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), "12 3B 03 1D 70 01 02 4C 00 4D 05 00 61 62 E2 82 AC");
}

// ---------------------------------------------------------------------------
// Data that does not fit its length field is refused, not cut.

struct TooLongRow {
  const char* name;
  bool two_d;
  Group group;
  std::string text;
  bool ok;
  std::vector<std::string> messages;
};

class TooLongTest : public ::testing::TestWithParam<TooLongRow> {};

TEST_P(TooLongTest, RefusedWithBadLength) {
  const TooLongRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(row.two_d ? nullptr : &g, row.two_d ? &g : nullptr, U16(row.text));
  EXPECT_EQ(r.ok, row.ok);
  EXPECT_EQ(r.last_error, row.ok ? 0u : 24u);
  EXPECT_EQ(r.messages, row.messages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, TooLongTest,
    ::testing::Values(
        TooLongRow{"Code128Encodes255", false, G1(kCode128), "{B" + std::string(253, 'a'), true,
                   {}},
        TooLongRow{"Code128Encodes256", false, G1(kCode128), "{B" + std::string(254, 'a'), false,
                   {"7 CODE128 bad command data length. [1-255:256]"}},
        TooLongRow{"Code93Encodes256", false, G1(kCode93), std::string(255, 'A'), false,
                   {"8 CODE93 bad command data length. [1-255:256]"}},
        TooLongRow{"Code93Shifts", false, G1(kCode93), std::string(128, 'a'), false,
                   {"8 CODE93 bad command data length. [1-255:257]"}},
        TooLongRow{"MaxiMode2Needs15", true, G2(kMaxiCode, {{kMode, 2}}), "12345678901234", false,
                   {"3 Maxi Code bad data length. [15-123:14]"}},
        TooLongRow{"MaxiMode3Needs12", true, G2(kMaxiCode, {{kMode, 3}}), "12345678901", false,
                   {"3 Maxi Code bad data length. [12-126:11]"}},
        TooLongRow{"MaxiMode3Of12", true, G2(kMaxiCode, {{kMode, 3}}), "123456789012", true, {}}),
    [](const ::testing::TestParamInfo<TooLongRow>& info) { return info.param.name; });
// clang-format on

// A kind that has no command is reported with 87, not with whatever last
// error happened to be pending. The checks reject such kinds first, so the
// assembly steps are driven directly.
TEST(GetBarcodeCommand, KindWithoutCommandSetsInvalidParameter) {
  const Bytes data = Text("123");
  {
    testing::SdkLogCapture capture;
    Group g = G1(15);
    Bytes out;
    SetThreadLastError(0);
    EXPECT_FALSE(barcode_internal::AppendCommand1D(g.data(), data.data(), 3, &out));
    EXPECT_EQ(GetThreadLastError(), 87u);
    EXPECT_THAT(Messages(capture), ElementsAre("GetBarcodeCommand Unnkown barcode id [15]"));
  }
  {
    testing::SdkLogCapture capture;
    Group g = G2(7);
    Bytes out;
    SetThreadLastError(0);
    EXPECT_FALSE(barcode_internal::AppendCommand2D(g.data(), data.data(), 3, &out));
    EXPECT_EQ(GetThreadLastError(), 87u);
    EXPECT_THAT(Messages(capture), ElementsAre("GetBarcodeCommand Unnkown barcode id [7]"));
  }
}

}  // namespace
}  // namespace kvt::barcode_test
