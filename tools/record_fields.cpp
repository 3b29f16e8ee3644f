#include "tools/record_fields.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

#include "core/private_settings.h"

namespace kvt::tools {
namespace {

void Add(std::vector<RecordField>* fields, std::string name, std::size_t offset, std::size_t width,
         bool is_signed = false, FieldMeaning meaning = {}) {
  fields->push_back({std::move(name), offset, width, is_signed, meaning});
}

// The names of the values, as the pages show them.
template <std::size_t N>
constexpr FieldMeaning Names(const char* const (&names)[N]) {
  return {names, N, nullptr};
}
constexpr FieldMeaning Unit(const char* unit) { return {nullptr, 0, unit}; }

constexpr const char* kEnabled[] = {"Disabled", "Enabled"};
constexpr const char* kOnOff[] = {"OFF", "ON"};
constexpr const char* kHeadDrive[] = {"Specified Value", "Fixed 2div.",     "Fixed 4div.",
                                      "Dynamic 64dots",  "Dynamic 144dots", "Dynamic 288dots"};
constexpr const char* kPreset[] = {"80mm Receipt Setting",
                                   "58mm Receipt Setting",
                                   "80mm Marked Paper Setting",
                                   "58mm Marked Paper Setting",
                                   "A4->80mm Reduction Setting",
                                   "A4->58mm Reduction Setting",
                                   "User Setting"};
constexpr const char* kSpeed[] = {"Middle (Silent)", "Low", "Middle (Quality)", "High"};
constexpr const char* kMargin[] = {"Minimum Margin", "Minimum Top Margin", "Minimum Bottom Margin",
                                   "Maximum Margin"};
constexpr const char* kDirection[] = {"Front to Back", nullptr, "Back to Front"};
constexpr const char* kReduction[] = {"None", "Fit to 80mm paper width", "Fit to 58mm paper width",
                                      "Scale by byReductionScale"};
constexpr const char* kPaperCut[] = {"None",
                                     "Full Cut (Each job)",
                                     "Partial Cut (Each job)",
                                     "Full Cut (Each page)",
                                     "Partial Cut (Each page)",
                                     "Partial Cut (Between pages)"};
constexpr const char* kMarkedPaperFeed[] = {"Disabled", "Each Page", "Each Job"};
constexpr const char* kAlign[] = {"Left", "Center", "Right"};
constexpr const char* kDrawer[] = {"Disabled", "Drawer 1", "Drawer 2"};
constexpr const char* kBarcodeSystem[] = {"UPC-A",
                                          "UPC-E",
                                          "JAN13 (EAN13)",
                                          "JAN8 (EAN8)",
                                          "CODE39",
                                          "ITF",
                                          "CODABAR",
                                          "CODE128",
                                          "CODE93",
                                          "JAN13 with 2-digit add-on",
                                          "JAN13 with 5-digit add-on"};
constexpr const char* kCodabarChar[] = {"A", "B", "C", "D"};
constexpr const char* kHri[] = {
    "None",           "Above (font A)", "Below (font A)",          "Above and below (font A)",
    "Above (font B)", "Below (font B)", "Above and below (font B)"};
constexpr const char* kRotate[] = {"None", "90 degrees right", "180 degrees", "90 degrees left"};
constexpr const char* kSystem2D[] = {"QR Code (model 2)", "PDF417"};
constexpr const char* kWatermark[] = {"None", "NV Image"};
constexpr const char* kPosition[] = {"Top left",    "Top centre",    "Top right",
                                     "Middle left", "Centre",        "Middle right",
                                     "Bottom left", "Bottom centre", "Bottom right"};

template <class T>
constexpr bool IsSigned() {
  return std::is_signed_v<T>;
}

// A field's name, offset, width and signedness, taken from the struct itself.
// The optional last argument is the field's meaning.
#define KVT_FIELD(list, prefix, type, base, member, ...)                    \
  Add(list, std::string(prefix) + #member, (base) + offsetof(type, member), \
      sizeof(type::member) <= 4 ? sizeof(type::member) : 128,               \
      IsSigned<std::remove_extent_t<decltype(type::member)>>(), FieldMeaning{__VA_ARGS__})

std::vector<RecordField> BuildFields() {
  std::vector<RecordField> f;
  using R = PrivateSettings;
  KVT_FIELD(&f, "", R, 0, dwSize);
  KVT_FIELD(&f, "", R, 0, dwSignature);
  KVT_FIELD(&f, "", R, 0, dwVersion);
  KVT_FIELD(&f, "", R, 0, byHeadDrive, Names(kHeadDrive));
  KVT_FIELD(&f, "", R, 0, byPreset, Names(kPreset));
  KVT_FIELD(&f, "", R, 0, byInitialize, Names(kEnabled));
  KVT_FIELD(&f, "", R, 0, bySpeed, Names(kSpeed));
  KVT_FIELD(&f, "", R, 0, byDensity, Unit("percent"));
  KVT_FIELD(&f, "", R, 0, byMargin, Names(kMargin));
  KVT_FIELD(&f, "", R, 0, byDirection, Names(kDirection));
  KVT_FIELD(&f, "", R, 0, byDirectionCopy, Names(kDirection));
  KVT_FIELD(&f, "", R, 0, byReduction, Names(kReduction));
  KVT_FIELD(&f, "", R, 0, byReductionScale, Unit("percent"));
  KVT_FIELD(&f, "", R, 0, byPaperCut, Names(kPaperCut));
  KVT_FIELD(&f, "", R, 0, byFeedToCut, Names(kEnabled));
  KVT_FIELD(&f, "", R, 0, byMarkedPaperFeed, Names(kMarkedPaperFeed));
  KVT_FIELD(&f, "", R, 0, sFormFeedCorrect, Unit("dots"));
  KVT_FIELD(&f, "", R, 0, byIntlCharSet, Unit("(row of the international character list)"));
  KVT_FIELD(&f, "", R, 0, byCodeTable, Unit("(row of the code table list)"));
  for (int g = 0; g < kOptionCommandGroupCount; ++g) {
    using G = OptionCommandGroup;
    const std::size_t base = offsetof(R, optionGroups) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "optionGroups[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, byLogo, Names(kEnabled));
    KVT_FIELD(&f, p, G, base, byLogoKeycode);
    KVT_FIELD(&f, p, G, base, byLogoAlign, Names(kAlign));
    KVT_FIELD(&f, p, G, base, byBuzzer, Names(kOnOff));
    KVT_FIELD(&f, p, G, base, sFeed, Unit("dots"));
    KVT_FIELD(&f, p, G, base, byDrawer, Names(kDrawer));
    KVT_FIELD(&f, p, G, base, wDrawerOnTime, Unit("ms"));
    KVT_FIELD(&f, p, G, base, wDrawerOffTime, Unit("ms"));
    KVT_FIELD(&f, p, G, base, nCommandLength, Unit("bytes"));
    KVT_FIELD(&f, p, G, base, abyCommand);
  }
  KVT_FIELD(&f, "", R, 0, byBarcodeFont);
  KVT_FIELD(&f, "", R, 0, by2DBarcodeFont);
  for (int g = 0; g < kBarcodeFontCount; ++g) {
    using G = BarcodeFontSettings;
    const std::size_t base = offsetof(R, barcodeFonts) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "barcodeFonts[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, bySystem, Names(kBarcodeSystem));
    KVT_FIELD(&f, p, G, base, byStartChar, Names(kCodabarChar));
    KVT_FIELD(&f, p, G, base, byStopChar, Names(kCodabarChar));
    KVT_FIELD(&f, p, G, base, byModuleWidth, Unit("dots"));
    KVT_FIELD(&f, p, G, base, byHeight, Unit("dots"));
    KVT_FIELD(&f, p, G, base, byHri, Names(kHri));
    KVT_FIELD(&f, p, G, base, byHexInput, Names(kEnabled));
    KVT_FIELD(&f, p, G, base, byRotate, Names(kRotate));
    KVT_FIELD(&f, p, G, base, byNWRatio);
  }
  for (int g = 0; g < kBarcode2DFontCount; ++g) {
    using G = Barcode2DFontSettings;
    const std::size_t base = offsetof(R, barcode2DFonts) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "barcode2DFonts[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, bySystem, Names(kSystem2D));
    KVT_FIELD(&f, p, G, base, byModel);
    KVT_FIELD(&f, p, G, base, byParam2);
    KVT_FIELD(&f, p, G, base, byMode);
    KVT_FIELD(&f, p, G, base, byErrorLevel);
    KVT_FIELD(&f, p, G, base, byLines);
    KVT_FIELD(&f, p, G, base, byColumns);
    KVT_FIELD(&f, p, G, base, byModuleSize, Unit("dots"));
    KVT_FIELD(&f, p, G, base, byModuleHeight, Unit("dots"));
    KVT_FIELD(&f, p, G, base, byRotate, Names(kRotate));
    KVT_FIELD(&f, p, G, base, byHexInput, Names(kEnabled));
    KVT_FIELD(&f, p, G, base, byParam11);
    KVT_FIELD(&f, p, G, base, byParam12);
  }
  KVT_FIELD(&f, "", R, 0, byWatermark, Names(kWatermark));
  KVT_FIELD(&f, "", R, 0, byWatermarkKeycode);
  KVT_FIELD(&f, "", R, 0, byWatermarkPosition, Names(kPosition));
  KVT_FIELD(&f, "", R, 0, byWatermarkDensity, Unit("percent"));
  KVT_FIELD(&f, "", R, 0, wWatermarkScale, Unit("percent"));
  KVT_FIELD(&f, "", R, 0, byWatermarkFitPaper, Names(kOnOff));
  Add(&f, "szWatermarkFile", offsetof(R, szWatermarkFile), 0);
  return f;
}

#undef KVT_FIELD

}  // namespace

const std::vector<RecordField>& RecordFields() {
  static const std::vector<RecordField> fields = BuildFields();
  return fields;
}

std::string FieldValue(const RecordField& field, const std::uint8_t* record) {
  const std::uint8_t* at = record + field.offset;
  char text[64];
  switch (field.width) {
    case 1:
      std::snprintf(text, sizeof text, "%u", at[0]);
      return text;
    case 2: {
      const unsigned value = at[0] | (at[1] << 8);
      std::snprintf(text, sizeof text, "%d",
                    field.is_signed ? static_cast<int>(static_cast<std::int16_t>(value))
                                    : static_cast<int>(value));
      return text;
    }
    case 4: {
      std::uint32_t value;
      std::memcpy(&value, at, 4);
      if (field.name == "dwSignature") {
        return "\"" + std::string(reinterpret_cast<const char*>(at), 4) + "\"";
      }
      std::snprintf(text, sizeof text, field.is_signed ? "%d" : "%u",
                    field.is_signed ? static_cast<int>(value) : value);
      return text;
    }
    case 0: {  // UTF-16 path, 260 units; ASCII shown, the rest as '?'
      std::string path;
      for (std::size_t i = 0; i < 260; ++i) {
        const unsigned unit = at[2 * i] | (at[2 * i + 1] << 8);
        if (unit == 0) break;
        path.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
      }
      return "\"" + path + "\"";
    }
    default: {  // command bytes: the non-zero prefix in hex
      std::size_t used = field.width;
      while (used > 0 && at[used - 1] == 0) --used;
      std::string hex;
      for (std::size_t i = 0; i < used; ++i) {
        std::snprintf(text, sizeof text, "%02X ", at[i]);
        hex += text;
      }
      return hex.empty() ? "(none)" : hex;
    }
  }
}

long FieldNumber(const RecordField& field, const std::uint8_t* record) {
  const std::uint8_t* at = record + field.offset;
  switch (field.width) {
    case 1:
      return at[0];
    case 2: {
      const unsigned value = at[0] | (at[1] << 8);
      return field.is_signed ? static_cast<std::int16_t>(value) : static_cast<long>(value);
    }
    case 4: {
      std::uint32_t value;
      std::memcpy(&value, at, 4);
      return field.is_signed ? static_cast<long>(static_cast<std::int32_t>(value))
                             : static_cast<long>(value);
    }
    default:
      return 0;
  }
}

std::string FieldMeaningText(const RecordField& field, const std::uint8_t* record) {
  if (field.width == sizeof(OptionCommandGroup::abyCommand)) {
    // What is sent is nCommandLength bytes (just before the command bytes),
    // trailing zero bytes included, which the value itself leaves out.
    std::int32_t length;
    std::memcpy(&length, record + field.offset - sizeof length, sizeof length);
    if (length < 0 || length > kOptionCommandMaxLength) return "none sent (length out of range)";
    std::string sent = std::to_string(length) + " bytes sent";
    char pair[4];
    for (std::int32_t i = 0; i < length; ++i) {
      std::snprintf(pair, sizeof pair, "%02X", record[field.offset + static_cast<std::size_t>(i)]);
      sent += (i == 0 ? ": " : " ") + std::string(pair);
    }
    return sent;
  }
  const FieldMeaning& meaning = field.meaning;
  const long value = FieldNumber(field, record);
  if (meaning.names != nullptr) {
    if (value >= 0 && static_cast<unsigned long>(value) < meaning.name_count &&
        meaning.names[value] != nullptr) {
      return meaning.names[value];
    }
    return "not a known value";
  }
  if (meaning.unit != nullptr) return std::to_string(value) + " " + meaning.unit;
  return {};
}

}  // namespace kvt::tools
