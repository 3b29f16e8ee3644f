#include "tools/record_fields.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

#include "core/private_settings.h"

namespace kvt::tools {
namespace {

void Add(std::vector<RecordField>* fields, std::string name, std::size_t offset, std::size_t width,
         bool is_signed = false) {
  fields->push_back({std::move(name), offset, width, is_signed});
}

template <class T>
constexpr bool IsSigned() {
  return std::is_signed_v<T>;
}

// A field's name, offset, width and signedness, taken from the struct itself.
#define KVT_FIELD(list, prefix, type, base, member)                                        \
  Add(list, std::string(prefix) + #member, (base) + offsetof(type, member),              \
      sizeof(type::member) <= 4 ? sizeof(type::member) : 128,                            \
      IsSigned<std::remove_extent_t<decltype(type::member)>>())

std::vector<RecordField> BuildFields() {
  std::vector<RecordField> f;
  using R = PrivateSettings;
  KVT_FIELD(&f, "", R, 0, dwSize);
  KVT_FIELD(&f, "", R, 0, dwSignature);
  KVT_FIELD(&f, "", R, 0, dwVersion);
  KVT_FIELD(&f, "", R, 0, byHeadDrive);
  KVT_FIELD(&f, "", R, 0, byPreset);
  KVT_FIELD(&f, "", R, 0, byInitialize);
  KVT_FIELD(&f, "", R, 0, bySpeed);
  KVT_FIELD(&f, "", R, 0, byDensity);
  KVT_FIELD(&f, "", R, 0, byMargin);
  KVT_FIELD(&f, "", R, 0, byDirection);
  KVT_FIELD(&f, "", R, 0, byDirectionCopy);
  KVT_FIELD(&f, "", R, 0, byReduction);
  KVT_FIELD(&f, "", R, 0, byReductionScale);
  KVT_FIELD(&f, "", R, 0, byPaperCut);
  KVT_FIELD(&f, "", R, 0, byFeedToCut);
  KVT_FIELD(&f, "", R, 0, byMarkedPaperFeed);
  KVT_FIELD(&f, "", R, 0, sFormFeedCorrect);
  KVT_FIELD(&f, "", R, 0, byIntlCharSet);
  KVT_FIELD(&f, "", R, 0, byCodeTable);
  for (int g = 0; g < kOptionCommandGroupCount; ++g) {
    using G = OptionCommandGroup;
    const std::size_t base = offsetof(R, optionGroups) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "optionGroups[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, byLogo);
    KVT_FIELD(&f, p, G, base, byLogoKeycode);
    KVT_FIELD(&f, p, G, base, byLogoAlign);
    KVT_FIELD(&f, p, G, base, byBuzzer);
    KVT_FIELD(&f, p, G, base, sFeed);
    KVT_FIELD(&f, p, G, base, byDrawer);
    KVT_FIELD(&f, p, G, base, wDrawerOnTime);
    KVT_FIELD(&f, p, G, base, wDrawerOffTime);
    KVT_FIELD(&f, p, G, base, nCommandLength);
    KVT_FIELD(&f, p, G, base, abyCommand);
  }
  KVT_FIELD(&f, "", R, 0, byBarcodeFont);
  KVT_FIELD(&f, "", R, 0, by2DBarcodeFont);
  for (int g = 0; g < kBarcodeFontCount; ++g) {
    using G = BarcodeFontSettings;
    const std::size_t base = offsetof(R, barcodeFonts) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "barcodeFonts[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, bySystem);
    KVT_FIELD(&f, p, G, base, byStartChar);
    KVT_FIELD(&f, p, G, base, byStopChar);
    KVT_FIELD(&f, p, G, base, byModuleWidth);
    KVT_FIELD(&f, p, G, base, byHeight);
    KVT_FIELD(&f, p, G, base, byHri);
    KVT_FIELD(&f, p, G, base, byHexInput);
    KVT_FIELD(&f, p, G, base, byRotate);
    KVT_FIELD(&f, p, G, base, byNWRatio);
  }
  for (int g = 0; g < kBarcode2DFontCount; ++g) {
    using G = Barcode2DFontSettings;
    const std::size_t base = offsetof(R, barcode2DFonts) + static_cast<std::size_t>(g) * sizeof(G);
    const std::string p = "barcode2DFonts[" + std::to_string(g) + "].";
    KVT_FIELD(&f, p, G, base, bySystem);
    KVT_FIELD(&f, p, G, base, byModel);
    KVT_FIELD(&f, p, G, base, byParam2);
    KVT_FIELD(&f, p, G, base, byMode);
    KVT_FIELD(&f, p, G, base, byErrorLevel);
    KVT_FIELD(&f, p, G, base, byLines);
    KVT_FIELD(&f, p, G, base, byColumns);
    KVT_FIELD(&f, p, G, base, byModuleSize);
    KVT_FIELD(&f, p, G, base, byModuleHeight);
    KVT_FIELD(&f, p, G, base, byRotate);
    KVT_FIELD(&f, p, G, base, byHexInput);
    KVT_FIELD(&f, p, G, base, byParam11);
    KVT_FIELD(&f, p, G, base, byParam12);
  }
  KVT_FIELD(&f, "", R, 0, byWatermark);
  KVT_FIELD(&f, "", R, 0, byWatermarkKeycode);
  KVT_FIELD(&f, "", R, 0, byWatermarkPosition);
  KVT_FIELD(&f, "", R, 0, byWatermarkDensity);
  KVT_FIELD(&f, "", R, 0, wWatermarkScale);
  KVT_FIELD(&f, "", R, 0, byWatermarkFitPaper);
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

}  // namespace kvt::tools
