#include "core/private_settings_ops.h"

#include <cstring>
#include <string>

#include "log/driver_log.h"
#include "platform/last_error.h"
#include "platform/spooler.h"

namespace kvt {
namespace {

// Room of the driver-name buffer, terminator included.
constexpr std::size_t kDriverNameChars = 260;

void DefaultOptionGroup(OptionCommandGroup& group, std::uint8_t drawer) {
  group.byLogo = 0;
  group.byLogoKeycode = 0;
  group.byLogoAlign = 0;
  group.byBuzzer = 0;
  group.sFeed = 0;
  group.byDrawer = drawer;
  group.wDrawerOnTime = 50;
  group.wDrawerOffTime = 200;
  group.nCommandLength = 0;
  std::memset(group.abyCommand, 0, sizeof(group.abyCommand));
}

void DefaultBarcodeFont(BarcodeFontSettings& font, std::uint8_t system) {
  font.bySystem = system;
  font.byStartChar = 0;
  font.byStopChar = 0;
  font.byModuleWidth = 3;
  font.byHeight = 162;
  font.byHri = 0;
  font.byHexInput = 0;
  font.byRotate = 0;
}

constexpr std::uint8_t kSystemQrCode = 0;
constexpr std::uint8_t kSystemPdf417 = 1;

void DefaultBarcode2DFont(Barcode2DFontSettings& font, std::uint8_t system) {
  const bool qr = system == kSystemQrCode;
  font.bySystem = system;
  font.byModel = 2;
  font.byParam2 = 0;
  font.byMode = qr ? 'M' : 0;
  font.byErrorLevel = 0;
  font.byLines = 0;
  font.byColumns = 0;
  font.byModuleSize = qr ? 6 : 3;
  font.byModuleHeight = 10;
  font.byRotate = 0;
  font.byHexInput = 0;
}

template <class T>
struct NonDeduced {
  using type = T;
};
template <class T>
using Same = typename NonDeduced<T>::type;

// Applies the correction rules and remembers whether any of them fired.
class Corrector {
 public:
  bool corrected() const { return corrected_; }

  template <class T>
  T Replace(T value, bool bad, Same<T> replacement) {
    if (!bad) return value;
    corrected_ = true;
    return replacement;
  }
  template <class T>
  T AboveSet(T value, Same<T> max, Same<T> replacement) {
    return Replace(value, value > max, replacement);
  }
  template <class T>
  T OutsideSet(T value, Same<T> low, Same<T> high, Same<T> replacement) {
    return Replace(value, value < low || value > high, replacement);
  }
  template <class T>
  T Clamp(T value, Same<T> low, Same<T> high) {
    if (value < low) return Replace(value, true, low);
    return Replace(value, value > high, high);
  }
  std::uint8_t Listed(std::uint8_t value, const ModelValueList* list, std::uint8_t replacement) {
    return Replace(value, !IsAllowed(list, value), replacement);
  }

 private:
  bool corrected_ = false;
};

void CheckOptionGroup(OptionCommandGroup& group, Corrector& fix) {
  group.byLogo = fix.AboveSet(group.byLogo, 1, 0);
  group.byLogoKeycode = fix.AboveSet(group.byLogoKeycode, 99, 0);
  group.byLogoAlign = fix.AboveSet(group.byLogoAlign, 2, 0);
  group.byBuzzer = fix.AboveSet(group.byBuzzer, 1, 0);
  group.sFeed = fix.Clamp(group.sFeed, -74, 255);
  group.byDrawer = fix.AboveSet(group.byDrawer, 2, 0);
  group.wDrawerOnTime = fix.AboveSet(group.wDrawerOnTime, 510, 50);
  group.wDrawerOffTime = fix.AboveSet(group.wDrawerOffTime, 510, 200);
  group.nCommandLength = fix.OutsideSet(group.nCommandLength, 0, kOptionCommandMaxLength, 0);
}

void CheckBarcodeFont(BarcodeFontSettings& font, Corrector& fix) {
  font.bySystem = fix.AboveSet(font.bySystem, 10, 0);
  font.byStartChar = fix.AboveSet(font.byStartChar, 3, 0);
  font.byStopChar = fix.AboveSet(font.byStopChar, 3, 0);
  font.byModuleWidth = fix.Clamp(font.byModuleWidth, 2, 6);
  font.byHeight = fix.Replace(font.byHeight, font.byHeight == 0, 1);
  font.byHri = fix.AboveSet(font.byHri, 6, 0);
  font.byHexInput = fix.AboveSet(font.byHexInput, 1, 0);
  font.byRotate = fix.AboveSet(font.byRotate, 3, 0);
}

void CheckBarcode2DFont(Barcode2DFontSettings& font, Corrector& fix) {
  // An unknown system is taken as QR Code, so its ranges apply below.
  font.bySystem = fix.AboveSet(font.bySystem, kSystemPdf417, kSystemQrCode);
  if (font.bySystem == kSystemPdf417) {
    font.byErrorLevel = fix.AboveSet(font.byErrorLevel, 8, 8);
    font.byModuleSize = fix.Clamp(font.byModuleSize, 2, 4);
  } else {
    font.byErrorLevel = fix.AboveSet(font.byErrorLevel, 3, 3);
    font.byModuleSize = fix.Clamp(font.byModuleSize, 2, 11);
  }
  font.byModuleHeight = fix.Clamp(font.byModuleHeight, 2, 127);
  font.byRotate = fix.AboveSet(font.byRotate, 3, 0);
  font.byHexInput = fix.AboveSet(font.byHexInput, 1, 0);
}

// Reads the printer's driver name. False when there is no printer or its
// name cannot be read; the caller then takes the first model entries.
bool ReadDriverName(void* printer, std::u16string* name) {
  if (printer == nullptr) return false;
  switch (Service<Spooler>().GetPrinterDriverName(printer, name)) {
    case Spooler::DriverNameStatus::kOk:
      // The name is kept in a MAX_PATH buffer with its terminator; one that
      // does not fit is left empty rather than cut into a misleading prefix.
      if (name->size() >= kDriverNameChars) name->clear();
      return true;
    case Spooler::DriverNameStatus::kSizeQueryFailed: {
      const std::uint32_t error = GetThreadLastError();
      WriteDriverLog(LogSource{kModuleSystem, __LINE__, error, kLogError, L""}, printer,
                     L"GetPrinter size = 0");
      return false;
    }
    case Spooler::DriverNameStatus::kReadFailed: {
      const std::uint32_t error = GetThreadLastError();
      WriteDriverLog(LogSource{kModuleSystem, __LINE__, error, kLogError, L""}, printer,
                     L"GetPrinter");
      return false;
    }
  }
  return false;
}

const ModelValueList* ChooseModel(const ModelEntries& list, bool name_known,
                                  std::u16string_view driver_name) {
  if (!name_known) return list.count != 0 ? list.pEntries : nullptr;
  return SelectModelEntry(list, driver_name);
}

}  // namespace

void Defaults(PrivateSettings* settings) {
  if (settings == nullptr) return;
  PrivateSettings& s = *settings;
  s.dwSize = kPrivateSettingsSize;
  s.dwSignature = kPrivateSettingsSignature;
  s.dwVersion = kPrivateSettingsVersion;

  s.byHeadDrive = 0;
  s.byPreset = 6;  // "User Setting"
  s.byInitialize = 1;
  s.bySpeed = 3;
  s.byDensity = 100;
  s.byMargin = 2;
  s.byDirection = 0;
  s.byDirectionCopy = 0;
  s.byReduction = 0;
  s.byReductionScale = 100;
  s.byPaperCut = 1;
  s.byFeedToCut = 1;
  s.byMarkedPaperFeed = 0;
  s.sFormFeedCorrect = 0;
  s.byIntlCharSet = 0;
  s.byCodeTable = 0;

  // Only the print-start group opens a drawer by default.
  for (int g = 0; g < kOptionCommandGroupCount; ++g) {
    DefaultOptionGroup(s.optionGroups[g], g == kPrintStart ? 1 : 0);
  }

  s.byBarcodeFont = 0;
  s.by2DBarcodeFont = 0;
  for (int n = 0; n < kBarcodeFontCount; ++n) {
    DefaultBarcodeFont(s.barcodeFonts[n], static_cast<std::uint8_t>(n));
  }
  for (int n = 0; n < kBarcode2DFontCount; ++n) {
    DefaultBarcode2DFont(s.barcode2DFonts[n], n == 1 ? kSystemPdf417 : kSystemQrCode);
  }

  s.byWatermark = 0;
  s.byWatermarkKeycode = 0;
  s.byWatermarkPosition = 0;
  s.byWatermarkDensity = 50;
  s.wWatermarkScale = 100;
  s.byWatermarkFitPaper = 0;
  // Element by element: the array is not 2-byte aligned inside the record.
  for (int i = 0; i < kWatermarkFileChars; ++i) s.szWatermarkFile[i] = 0;
}

bool Convert(const PrivateSettings* in, PrivateSettings* out) {
  if (in == nullptr || out == nullptr) return false;
  if (in->dwSignature != out->dwSignature) {
    Defaults(out);
    return true;
  }
  // Both sizes come from outside; neither may take the copy past the record.
  std::uint32_t length = in->dwSize < out->dwSize ? in->dwSize : out->dwSize;
  if (length > kPrivateSettingsSize) length = kPrivateSettingsSize;
  std::memmove(out, in, length);
  out->dwSize = kPrivateSettingsSize;
  out->dwVersion = kPrivateSettingsVersion;
  return true;
}

bool Merge(PrivateSettings* settings, void* printer) {
  return Merge(settings, printer, DefaultModelSettingTable());
}

bool Merge(PrivateSettings* settings, void* printer, const ModelSettingTable& table) {
  if (settings == nullptr) return false;
  PrivateSettings& s = *settings;
  s.dwSize = kPrivateSettingsSize;
  s.dwSignature = kPrivateSettingsSignature;
  s.dwVersion = kPrivateSettingsVersion;

  std::u16string driver_name;
  const bool name_known = ReadDriverName(printer, &driver_name);
  const ModelValueList* head_drives = ChooseModel(table.headDrive, name_known, driver_name);
  const ModelValueList* presets = ChooseModel(table.preset, name_known, driver_name);
  const ModelValueList* reductions = ChooseModel(table.reduction, name_known, driver_name);

  Corrector fix;
  s.byHeadDrive = fix.Listed(s.byHeadDrive, head_drives, 0);
  s.byPreset = fix.Listed(s.byPreset, presets, 6);
  s.byInitialize = fix.AboveSet(s.byInitialize, 1, 1);
  s.bySpeed = fix.AboveSet(s.bySpeed, 3, 3);
  s.byDensity = fix.OutsideSet(s.byDensity, 70, 130, 100);
  s.byMargin = fix.AboveSet(s.byMargin, 3, 2);
  s.byDirection = fix.Replace(s.byDirection, s.byDirection != 0 && s.byDirection != 2, 0);
  s.byReduction = fix.Listed(s.byReduction, reductions, 0);
  s.byReductionScale = fix.Clamp(s.byReductionScale, 25, 100);
  s.byPaperCut = fix.AboveSet(s.byPaperCut, 5, 1);
  s.byFeedToCut = fix.AboveSet(s.byFeedToCut, 1, 1);
  s.byMarkedPaperFeed = fix.AboveSet(s.byMarkedPaperFeed, 2, 0);
  s.sFormFeedCorrect = fix.OutsideSet(s.sFormFeedCorrect, -74, 255, 0);
  s.byIntlCharSet = fix.AboveSet(s.byIntlCharSet, 14, 0);
  s.byCodeTable = fix.AboveSet(s.byCodeTable, 15, 0);

  for (OptionCommandGroup& group : s.optionGroups) CheckOptionGroup(group, fix);

  s.byBarcodeFont = fix.AboveSet(s.byBarcodeFont, kBarcodeFontCount - 1, 0);
  for (BarcodeFontSettings& font : s.barcodeFonts) CheckBarcodeFont(font, fix);

  s.by2DBarcodeFont = fix.AboveSet(s.by2DBarcodeFont, kBarcode2DFontCount - 1, 0);
  for (Barcode2DFontSettings& font : s.barcode2DFonts) CheckBarcode2DFont(font, fix);

  s.byWatermark = fix.AboveSet(s.byWatermark, 1, 0);
  s.byWatermarkKeycode = fix.AboveSet(s.byWatermarkKeycode, 99, 0);
  s.byWatermarkPosition = fix.AboveSet(s.byWatermarkPosition, 8, 0);
  s.byWatermarkDensity = fix.OutsideSet(s.byWatermarkDensity, 1, 100, 100);
  // The scale means nothing while the image is fitted to the paper, so it is
  // judged only once the fit flag itself is known to be sound.
  s.byWatermarkFitPaper = fix.AboveSet(s.byWatermarkFitPaper, 1, 0);
  if (s.byWatermarkFitPaper == 0) s.wWatermarkScale = fix.Clamp(s.wWatermarkScale, 10, 300);

  return !fix.corrected();
}

}  // namespace kvt
