// PrivateSettings: the plug-in's private section of the device mode.
//
// This is a stored format. It travels inside every document's settings,
// behind the public DEVMODEW, and the rendering plug-in reads the same bytes,
// so the layout below is fixed byte for byte: little-endian, no padding, the
// 16- and 32-bit fields of the option groups at odd offsets included. The
// static_asserts at the end pin every offset; a change that moves a field is
// a build failure, not a silent incompatibility with records already stored.
//
// Fields named reserved... are neither written by the defaults nor checked by
// the merge: they are carried through as they stand.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt {

inline constexpr std::uint32_t kPrivateSettingsSize = 1552;
// The four bytes "UTVK" read as a little-endian 32-bit value.
inline constexpr std::uint32_t kPrivateSettingsSignature = 0x4B565455;
inline constexpr std::uint32_t kPrivateSettingsVersion = 4;

inline constexpr int kOptionCommandGroupCount = 4;  // print start, page start, page end, print end
inline constexpr int kBarcodeFontCount = 10;
inline constexpr int kBarcode2DFontCount = 5;
inline constexpr int kOptionCommandMaxLength = 128;
inline constexpr int kWatermarkFileChars = 260;

// Indexes of the four option command groups, in record order.
enum OptionCommandEvent : int {
  kPrintStart = 0,
  kPageStart = 1,
  kPageEnd = 2,
  kPrintEnd = 3,
};

#pragma pack(push, 1)

// What the printer does at one point of a job.
struct OptionCommandGroup {
  std::uint8_t byLogo;         // 0 disabled, 1 enabled
  std::uint8_t byLogoKeycode;  // 0..99
  std::uint8_t byLogoAlign;    // 0 left, 1 centre, 2 right
  std::uint8_t byBuzzer;       // 0 off, 1 on
  std::int16_t sFeed;          // dots, -74..255
  std::uint8_t byDrawer;       // 0 disabled, 1 drawer 1, 2 drawer 2
  std::uint8_t reserved7;
  std::uint16_t wDrawerOnTime;   // ms
  std::uint16_t wDrawerOffTime;  // ms
  std::int32_t nCommandLength;   // valid bytes of abyCommand, 0..128
  std::uint8_t abyCommand[kOptionCommandMaxLength];
  std::uint8_t reserved144[8];
};

// One of the printer's ten barcode device fonts.
struct BarcodeFontSettings {
  std::uint8_t bySystem;  // 0 UPC-A .. 10 JAN13 with 5-digit add-on
  std::uint8_t byStartChar;
  std::uint8_t byStopChar;
  std::uint8_t byModuleWidth;  // dots, 2..6
  std::uint8_t byHeight;       // dots, 1..255
  std::uint8_t byHri;
  std::uint8_t byHexInput;
  std::uint8_t byRotate;
  std::uint8_t byNWRatio;  // range checked by the command builder, not here
  std::uint8_t reserved9[7];
};

// One of the printer's five 2D barcode device fonts. bySystem decides the
// ranges of byErrorLevel and byModuleSize.
struct Barcode2DFontSettings {
  std::uint8_t bySystem;  // 0 QR Code, 1 PDF417
  std::uint8_t byModel;
  std::uint8_t byParam2;
  std::uint8_t byMode;
  std::uint8_t byErrorLevel;
  std::uint8_t byLines;
  std::uint8_t byColumns;
  std::uint8_t byModuleSize;
  std::uint8_t byModuleHeight;
  std::uint8_t byRotate;
  std::uint8_t byHexInput;
  std::uint8_t byParam11;
  std::uint8_t byParam12;
  std::uint8_t reserved13[3];
};

struct PrivateSettings {
  // The standard header of an OEM private device-mode section.
  std::uint32_t dwSize;
  std::uint32_t dwSignature;
  std::uint32_t dwVersion;

  // General, paper cut, marked paper and device-font settings.
  std::uint8_t byHeadDrive;
  std::uint8_t byPreset;
  std::uint8_t byInitialize;
  std::uint8_t bySpeed;
  std::uint8_t byDensity;  // percent, 70..130
  std::uint8_t byMargin;
  std::uint8_t byDirection;      // 0 front to back, 2 back to front
  std::uint8_t byDirectionCopy;  // mirrors byDirection; the merge leaves it alone
  std::uint8_t byReduction;
  std::uint8_t byReductionScale;  // percent, 25..100
  std::uint8_t byPaperCut;
  std::uint8_t byFeedToCut;
  std::uint8_t byMarkedPaperFeed;
  std::uint8_t reserved25;
  std::int16_t sFormFeedCorrect;  // dots, -74..255
  std::uint8_t byIntlCharSet;
  std::uint8_t byCodeTable;
  std::uint8_t reserved30[2];

  OptionCommandGroup optionGroups[kOptionCommandGroupCount];

  std::uint8_t byBarcodeFont;    // index into barcodeFonts
  std::uint8_t by2DBarcodeFont;  // index into barcode2DFonts
  std::uint8_t reserved642[2];

  BarcodeFontSettings barcodeFonts[kBarcodeFontCount];
  Barcode2DFontSettings barcode2DFonts[kBarcode2DFontCount];

  std::uint8_t byWatermark;  // 0 none, 1 image stored in the printer
  std::uint8_t byWatermarkKeycode;
  std::uint8_t byWatermarkPosition;  // 3 x 3 grid, row by row
  std::uint8_t byWatermarkDensity;   // percent, 1..100
  std::uint16_t wWatermarkScale;     // percent, 10..300; only while not fitting the paper
  std::uint8_t byWatermarkFitPaper;
  std::uint8_t reserved891;
  char16_t szWatermarkFile[kWatermarkFileChars];
  std::uint8_t reserved1412[140];
};

#pragma pack(pop)

// --- The layout, pinned. ---------------------------------------------------

static_assert(sizeof(OptionCommandGroup) == 152);
static_assert(offsetof(OptionCommandGroup, byLogo) == 0);
static_assert(offsetof(OptionCommandGroup, byLogoKeycode) == 1);
static_assert(offsetof(OptionCommandGroup, byLogoAlign) == 2);
static_assert(offsetof(OptionCommandGroup, byBuzzer) == 3);
static_assert(offsetof(OptionCommandGroup, sFeed) == 4);
static_assert(offsetof(OptionCommandGroup, byDrawer) == 6);
static_assert(offsetof(OptionCommandGroup, reserved7) == 7);
static_assert(offsetof(OptionCommandGroup, wDrawerOnTime) == 8);
static_assert(offsetof(OptionCommandGroup, wDrawerOffTime) == 10);
static_assert(offsetof(OptionCommandGroup, nCommandLength) == 12);
static_assert(offsetof(OptionCommandGroup, abyCommand) == 16);
static_assert(offsetof(OptionCommandGroup, reserved144) == 144);

static_assert(sizeof(BarcodeFontSettings) == 16);
static_assert(offsetof(BarcodeFontSettings, bySystem) == 0);
static_assert(offsetof(BarcodeFontSettings, byStartChar) == 1);
static_assert(offsetof(BarcodeFontSettings, byStopChar) == 2);
static_assert(offsetof(BarcodeFontSettings, byModuleWidth) == 3);
static_assert(offsetof(BarcodeFontSettings, byHeight) == 4);
static_assert(offsetof(BarcodeFontSettings, byHri) == 5);
static_assert(offsetof(BarcodeFontSettings, byHexInput) == 6);
static_assert(offsetof(BarcodeFontSettings, byRotate) == 7);
static_assert(offsetof(BarcodeFontSettings, byNWRatio) == 8);
static_assert(offsetof(BarcodeFontSettings, reserved9) == 9);

static_assert(sizeof(Barcode2DFontSettings) == 16);
static_assert(offsetof(Barcode2DFontSettings, bySystem) == 0);
static_assert(offsetof(Barcode2DFontSettings, byModel) == 1);
static_assert(offsetof(Barcode2DFontSettings, byParam2) == 2);
static_assert(offsetof(Barcode2DFontSettings, byMode) == 3);
static_assert(offsetof(Barcode2DFontSettings, byErrorLevel) == 4);
static_assert(offsetof(Barcode2DFontSettings, byLines) == 5);
static_assert(offsetof(Barcode2DFontSettings, byColumns) == 6);
static_assert(offsetof(Barcode2DFontSettings, byModuleSize) == 7);
static_assert(offsetof(Barcode2DFontSettings, byModuleHeight) == 8);
static_assert(offsetof(Barcode2DFontSettings, byRotate) == 9);
static_assert(offsetof(Barcode2DFontSettings, byHexInput) == 10);
static_assert(offsetof(Barcode2DFontSettings, byParam11) == 11);
static_assert(offsetof(Barcode2DFontSettings, byParam12) == 12);
static_assert(offsetof(Barcode2DFontSettings, reserved13) == 13);

static_assert(sizeof(PrivateSettings) == kPrivateSettingsSize);
static_assert(alignof(PrivateSettings) == 1);
static_assert(offsetof(PrivateSettings, dwSize) == 0);
static_assert(offsetof(PrivateSettings, dwSignature) == 4);
static_assert(offsetof(PrivateSettings, dwVersion) == 8);
static_assert(offsetof(PrivateSettings, byHeadDrive) == 12);
static_assert(offsetof(PrivateSettings, byPreset) == 13);
static_assert(offsetof(PrivateSettings, byInitialize) == 14);
static_assert(offsetof(PrivateSettings, bySpeed) == 15);
static_assert(offsetof(PrivateSettings, byDensity) == 16);
static_assert(offsetof(PrivateSettings, byMargin) == 17);
static_assert(offsetof(PrivateSettings, byDirection) == 18);
static_assert(offsetof(PrivateSettings, byDirectionCopy) == 19);
static_assert(offsetof(PrivateSettings, byReduction) == 20);
static_assert(offsetof(PrivateSettings, byReductionScale) == 21);
static_assert(offsetof(PrivateSettings, byPaperCut) == 22);
static_assert(offsetof(PrivateSettings, byFeedToCut) == 23);
static_assert(offsetof(PrivateSettings, byMarkedPaperFeed) == 24);
static_assert(offsetof(PrivateSettings, reserved25) == 25);
static_assert(offsetof(PrivateSettings, sFormFeedCorrect) == 26);
static_assert(offsetof(PrivateSettings, byIntlCharSet) == 28);
static_assert(offsetof(PrivateSettings, byCodeTable) == 29);
static_assert(offsetof(PrivateSettings, reserved30) == 30);
static_assert(offsetof(PrivateSettings, optionGroups) == 32);
static_assert(offsetof(PrivateSettings, optionGroups[kPageStart]) == 184);
static_assert(offsetof(PrivateSettings, optionGroups[kPageEnd]) == 336);
static_assert(offsetof(PrivateSettings, optionGroups[kPrintEnd]) == 488);
static_assert(offsetof(PrivateSettings, byBarcodeFont) == 640);
static_assert(offsetof(PrivateSettings, by2DBarcodeFont) == 641);
static_assert(offsetof(PrivateSettings, reserved642) == 642);
static_assert(offsetof(PrivateSettings, barcodeFonts) == 644);
static_assert(offsetof(PrivateSettings, barcodeFonts[9]) == 788);
static_assert(offsetof(PrivateSettings, barcode2DFonts) == 804);
static_assert(offsetof(PrivateSettings, barcode2DFonts[4]) == 868);
static_assert(offsetof(PrivateSettings, byWatermark) == 884);
static_assert(offsetof(PrivateSettings, byWatermarkKeycode) == 885);
static_assert(offsetof(PrivateSettings, byWatermarkPosition) == 886);
static_assert(offsetof(PrivateSettings, byWatermarkDensity) == 887);
static_assert(offsetof(PrivateSettings, wWatermarkScale) == 888);
static_assert(offsetof(PrivateSettings, byWatermarkFitPaper) == 890);
static_assert(offsetof(PrivateSettings, reserved891) == 891);
static_assert(offsetof(PrivateSettings, szWatermarkFile) == 892);
static_assert(sizeof(PrivateSettings::szWatermarkFile) == 520);
static_assert(offsetof(PrivateSettings, reserved1412) == 1412);

}  // namespace kvt
