// Command assembly: exact byte images, the data conversion and the failures.
#include <optional>

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
};

struct Result {
  bool ok;
  std::uint32_t last_error;
  Bytes command;
  std::vector<std::string> messages;
};

// Runs GetBarcodeCommand on an exact heap copy of |text| (none when null)
// through the fake code page, with the last error cleared first.
Result Build(Group* group_1d, Group* group_2d, const std::u16string* text, bool out = true) {
  FakeAnsiText ansi;
  ScopedService<AnsiText> scoped(ansi);
  testing::SdkLogCapture capture;
  std::unique_ptr<char16_t[]> exact;
  if (text != nullptr) {
    exact.reset(new char16_t[text->size() + 1]);
    std::copy(text->begin(), text->end(), exact.get());
  }
  SetThreadLastError(0);
  Result r;
  r.ok = GetBarcodeCommand(
      group_1d ? group_1d->data() : nullptr, group_2d ? group_2d->data() : nullptr, exact.get(),
      text ? static_cast<std::uint32_t>(text->size()) : 7, out ? &r.command : nullptr);
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

Group G1(std::uint8_t kind, std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  Group g = Group1D(kind);
  for (const auto& [offset, value] : set) g[offset] = value;
  return g;
}
Group G2(std::uint8_t kind, std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
  Group g = Group2D(kind);
  for (const auto& [offset, value] : set) g[offset] = value;
  return g;
}

using namespace barcode1d;
using barcode2d::kDataMatrix;
using barcode2d::kErrorLevel;
using barcode2d::kGs1ExpandedStacked;
using barcode2d::kGs1Stacked;
using barcode2d::kGs1StackedOmni;
using barcode2d::kMaxiCode;
using barcode2d::kMode;
using barcode2d::kModel;
using barcode2d::kModuleHeight;
using barcode2d::kModuleSize;
using barcode2d::kPdf417;
using barcode2d::kQrCode;

// HRI off, height 162, width 3, rotation 0: the common start.
const std::string kStart = "1D 48 00 1D 68 A2 1D 77 03 1D 6A 00 ";

// The kinds whose data goes out as it stands, with their system byte.
TEST(GetBarcodeCommand, PlainKindsCarryTheirSystemByte) {
  const struct {
    std::uint8_t kind;
    const char* text;
    const char* system;
  } cases[] = {{kUpcA, "01234567890", "41"},         {kUpcE, "012345678905", "42"},
               {kEan13, "490123456789", "43"},       {kEan8, "4901234", "44"},
               {kGs1Omni, "0123456789012", "4B"},    {kGs1Truncated, "0123456789012", "4C"},
               {kGs1Limited, "0123456789012", "4D"}, {kGs1Expanded, "(01)9012", "4E"}};
  for (const auto& c : cases) {
    Group g = G1(c.kind);
    const std::string text = c.text;
    const std::u16string wide = U16(text);
    const Result r = Build(&g, nullptr, &wide);
    ASSERT_TRUE(r.ok) << c.text;
    char length[4];
    std::snprintf(length, sizeof length, "%02zX", text.size());
    EXPECT_EQ(ToHex(r.command), ToHex(Concat(kStart + "1D 6B " + c.system + " " + length, text)));
  }
}

struct ImageRow {
  const char* name;
  bool two_d;
  Group group;
  std::u16string text;
  std::string expected_hex;   // command bytes ...
  std::string expected_tail;  // ... followed by these characters
  Group group_after;          // all zero: not checked
};

class ImageTest : public ::testing::TestWithParam<ImageRow> {};

TEST_P(ImageTest, ExactBytes) {
  const ImageRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(row.two_d ? nullptr : &g, row.two_d ? &g : nullptr, &row.text);
  ASSERT_TRUE(r.ok) << ::testing::PrintToString(r.messages);
  EXPECT_EQ(ToHex(r.command), ToHex(Concat(row.expected_hex, row.expected_tail)));
  EXPECT_THAT(r.messages, IsEmpty());
  if (row.group_after != Group{}) {
    EXPECT_EQ(g, row.group_after);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Barcode, ImageTest,
    ::testing::Values(
        // HRI 0..6: position 0, 1, 2, 3, 1, 2, 3 and font 0 up to 3, then 1.
        ImageRow{"HriUnderFontA", false, G1(kUpcA, {{kHri, 2}}), u"01234567890",
                 "1D 48 02 1D 66 00 1D 68 A2 1D 77 03 1D 6A 00 1D 6B 41 0B", "01234567890", {}},
        ImageRow{"HriBothFontBNoRotation", false, G1(kEan8, {{kHri, 6}, {kRotate, 4}}), u"1234567",
                 "1D 48 03 1D 66 01 1D 68 A2 1D 77 03 1D 6B 44 07", "1234567", {}},
        ImageRow{"Code39Ratio", false, G1(kCode39, {{kNwRatio, 2}}), u"AB-1 $",
                 kStart + "12 3A 02 1D 6B 45 06", "AB-1 $", {}},
        ImageRow{"CodabarAddedStartStop", false, G1(kCodabar, {{kStartChar, 0}, {kStopChar, 3}}),
                 u"1234", kStart + "12 3A 01 1D 6B 47 06 41 31 32 33 34 44", "", {}},
        ImageRow{"CodabarStopNotGiven", false, G1(kCodabar, {{kStartChar, 1}, {kStopChar, 4}}),
                 u"1234", kStart + "12 3A 01 1D 6B 47 04", "1234", {}},
        ImageRow{"Code128Encodes255", false, G1(kCode128), u"{B" + std::u16string(253, u'a'),
                 kStart + "1D 6B 49 FF 68", std::string(253, 'A') + "g", {}},
        ImageRow{"Code93", false, G1(kCode93), u"ABC", kStart + "1D 6B 48 04 0A 0B 0C 2F", "", {}},
        ImageRow{"AddOn2Of14", false, G1(kJan13AddOn2), u"12345678901234",
                 kStart + "1D 6B 57 0C", "123456789012\x02" "34", {}},
        ImageRow{"AddOn5Of17", false, G1(kJan13AddOn5), u"12345678901234567",
                 kStart + "1D 6B 57 0C", "123456789012\x05" "34567", {}},
        ImageRow{"Gs1Expanded255", false, G1(kGs1Expanded), std::u16string(255, u'x'),
                 kStart + "1D 6B 4E FF", std::string(255, 'x'), {}},
        ImageRow{"HexInputBeforeEncoding", false, G1(kCode128, {{kHexInput, 1}}), u"7B4261 62",
                 kStart + "1D 6B 49 04 68 41 42 67", "", {}},
        ImageRow{"QrLevelH", true, G2(kQrCode, {{kErrorLevel, 3}}), u"abc",
                 "1D 6A 00 12 3B 03 1D 70 01 02 48 00 4D 03 00", "abc", {}},
        ImageRow{"QrModelParamAndMode", true,
                 G2(kQrCode, {{kModel, 1}, {barcode2d::kParam2, 7}, {kMode, 0x20},
                              {kModuleSize, 0}}), u"x",
                 "1D 6A 00 12 3B 06 1D 70 01 01 4C 07 20 01 00", "x",
                 G2(kQrCode, {{kModel, 1}, {barcode2d::kParam2, 7}, {kMode, 0x20},
                              {kModuleSize, 6}})},
        // The text goes through the ANSI code page, two bytes a character fit.
        ImageRow{"AnsiCodePage", true, G2(kQrCode, {{barcode2d::kRotate, 4}}), u"ab\u3042\u20AC",
                 "12 3B 03 1D 70 01 02 4C 00 4D 07 00 61 62 82 A0 E2 82 AC", "", {}},
        ImageRow{"Pdf417", true,
                 G2(kPdf417, {{kMode, 1}, {kErrorLevel, 5}, {barcode2d::kLines, 3},
                              {barcode2d::kColumns, 2}, {barcode2d::kRotate, 1}}),
                 u"abc", "1D 6A 01 1D 6E 03 1D 6F 0A 1D 70 00 01 05 03 02 03 00", "abc", {}},
        ImageRow{"Pdf417SizeZero", true, G2(kPdf417, {{kModuleSize, 0}, {kModuleHeight, 127}}),
                 u"ab", "1D 6A 00 1D 6E 03 1D 6F 7F 1D 70 00 00 00 00 00 02 00", "ab",
                 G2(kPdf417, {{kModuleSize, 3}, {kModuleHeight, 127}})},
        ImageRow{"DataMatrix300", true,
                 G2(kDataMatrix, {{barcode2d::kParam11, 0x12}, {barcode2d::kParam12, 0x34},
                                  {barcode2d::kRotate, 2}, {kModuleSize, 4}}),
                 std::u16string(300, u'q'), "1D 6A 02 12 3B 04 1D 70 02 00 12 34 2C 01",
                 std::string(300, 'q'), {}},
        ImageRow{"MaxiMode2", true, G2(kMaxiCode, {{kMode, 2}}), u"123456789012345abc",
                 "1D 6A 00 1D 70 03 02", "123456789012345\x03" "abc", {}},
        ImageRow{"MaxiMode2Primary", true, G2(kMaxiCode, {{kMode, 2}}), u"123456789012345",
                 "1D 6A 00 1D 70 03 02", std::string("123456789012345\0", 16), {}},
        ImageRow{"MaxiMode3", true, G2(kMaxiCode, {{kMode, 3}}), u"123456ABCDEFxy",
                 "1D 6A 00 1D 70 03 03", "123456ABCDEF\x02xy", {}},
        ImageRow{"MaxiMode5", true, G2(kMaxiCode, {{kMode, 5}}), std::u16string(138, u'm'),
                 "1D 6A 00 1D 70 03 05 8A", std::string(138, 'm'), {}},
        ImageRow{"Gs1Stacked", true, G2(kGs1Stacked), u"0123456789012",
                 "1D 6A 00 12 3B 03 1D 70 04 00 0D", "0123456789012", {}},
        ImageRow{"Gs1StackedOmni", true,
                 G2(kGs1StackedOmni, {{kModuleHeight, 40}, {kModuleSize, 16}}), u"0123456789012",
                 "1D 6A 00 12 3B 10 1D 70 04 01 28 0D", "0123456789012", {}},
        ImageRow{"Gs1ExpandedStacked", true,
                 G2(kGs1ExpandedStacked, {{kModuleHeight, 5}, {barcode2d::kRotate, 3}}), u"abc",
                 "1D 6A 03 12 3B 03 1D 70 04 02 04 03", "abc",
                 G2(kGs1ExpandedStacked, {{kModuleHeight, 4}, {barcode2d::kRotate, 3}})}),
    [](const ::testing::TestParamInfo<ImageRow>& info) { return info.param.name; });
// clang-format on

TEST(GetBarcodeCommand, OneDimensionalGroupWinsAndItsHexFlagCounts) {
  Group g1 = G1(kEan8);
  Group g2 = G2(kQrCode, {{barcode2d::kHexInput, 1}});
  const std::u16string text = u"1234567";
  const Result r = Build(&g1, &g2, &text);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(ToHex(r.command), ToHex(Concat(kStart + "1D 6B 44 07", "1234567")));
  EXPECT_EQ(g2, G2(kQrCode, {{barcode2d::kHexInput, 1}}));  // untouched
}

// ---------------------------------------------------------------------------
// Failures; data that does not fit its length field is refused, not cut.

struct FailureRow {
  const char* name;
  bool give_1d, give_2d;
  Group group;
  std::optional<std::u16string> text;
  std::uint32_t last_error;
  std::vector<std::string> messages;
  bool out = true;
};

class FailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(FailureTest, ReportsAndLogs) {
  const FailureRow& row = GetParam();
  Group g = row.group;
  const Result r = Build(row.give_1d ? &g : nullptr, row.give_2d ? &g : nullptr,
                         row.text ? &*row.text : nullptr, row.out);
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
        FailureRow{"NoText", true, false, G1(kEan8), std::nullopt, 87,
                   {"GetBarcodeCommand Data size = 0"}},
        FailureRow{"HexWithoutDigits", true, false, G1(kUpcA, {{kHexInput, 1}}), u"zz 1",
                   87, {"GetBarcodeCommand Data size = 0"}},
        // More than two bytes per character cannot be converted in the room
        // the conversion is given.
        FailureRow{"ThreeByteCharacter", false, true, G2(kQrCode), u"\u20AC", 87,
                   {"GetBarcodeCommand Data size = 0"}},
        FailureRow{"CheckFails", true, false, G1(kUpcA), u"123", 24,
                   {"0 UPC-A bad data length. [11-12:3]"}},
        FailureRow{"Check2DFails", false, true, G2(kQrCode, {{kModel, 3}}), u"123", 13,
                   {"0 QR Code Model-2 bad model. [1-2:3]"}},
        FailureRow{"Code128WithoutStart", true, false, G1(kCode128), u"abc", 13,
                   {"CreateBufCode128 Data error [byStartCode:03]", "Create BufCode128"}},
        FailureRow{"Code128Encodes256", true, false, G1(kCode128), u"{B" + std::u16string(254, u'a'),
                   24, {"7 CODE128 bad command data length. [1-255:256]"}},
        FailureRow{"Code93Encodes256", true, false, G1(kCode93), std::u16string(255, u'A'), 24,
                   {"8 CODE93 bad command data length. [1-255:256]"}},
        FailureRow{"MaxiMode2Needs15", false, true, G2(kMaxiCode, {{kMode, 2}}),
                   u"12345678901234", 24, {"3 Maxi Code bad data length. [15-123:14]"}}),
    [](const ::testing::TestParamInfo<FailureRow>& info) { return info.param.name; });
// clang-format on

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

// A kind that has no command is reported with 87, not with whatever last
// error happened to be pending. The checks reject such kinds first, so the
// assembly steps are driven directly.
TEST(GetBarcodeCommand, KindWithoutCommandSetsInvalidParameter) {
  const Bytes data = Text("123");
  for (bool two_d : {false, true}) {
    testing::SdkLogCapture capture;
    Group g = two_d ? G2(7) : G1(15);
    Bytes out;
    SetThreadLastError(0);
    EXPECT_FALSE(two_d ? barcode_internal::AppendCommand2D(g.data(), data.data(), 3, &out)
                       : barcode_internal::AppendCommand1D(g.data(), data.data(), 3, &out));
    EXPECT_EQ(GetThreadLastError(), 87u);
    EXPECT_THAT(Messages(capture),
                ElementsAre(std::string("GetBarcodeCommand Unnkown barcode id [") +
                            (two_d ? "7]" : "15]")));
  }
}

}  // namespace
}  // namespace kvt::barcode_test
