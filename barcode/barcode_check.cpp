// Checks of barcode requests before the builder turns them into commands.
#include <string_view>

#include "barcode/barcode_command.h"
#include "barcode/barcode_internal.h"

namespace kvt {
namespace {

using barcode_internal::SignedByte;
using barcode_internal::SignedByteHex;
namespace e = barcode_error;

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%+-./";
constexpr std::string_view kCodabarChars = "0123456789ABCD$+-./:";
// Characters the GS1 Databar Expanded kinds cannot carry.
constexpr std::string_view kGs1Forbidden = "#$@[\\]^`|}~";
// No upper bound of its own; the builder refuses what the command cannot hold.
constexpr std::uint32_t kUnbounded = 0xFFFFFFFFu;

// A string_view never contains the terminating zero, so the byte 0 is
// correctly outside every set.
bool InSet(std::string_view set, std::uint8_t byte) {
  return set.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool IsCodabarStartStop(std::uint8_t byte) { return byte >= 'A' && byte <= 'D'; }

enum class CharRule { kSet, kAscii, kGs1 };

struct Kind1D {
  const wchar_t* label;
  std::uint32_t min_length;
  std::uint32_t max_length;
  CharRule rule;
  std::string_view allowed;
  std::uint8_t min_height;
  bool has_ratio;
};

const Kind1D kKinds1D[] = {
    {L"0 UPC-A", 11, 12, CharRule::kSet, kDigits, 1, false},
    {L"1 UPC-E", 11, 12, CharRule::kSet, kDigits, 1, false},
    {L"2 EAN13", 12, 13, CharRule::kSet, kDigits, 1, false},
    {L"3 EAN8", 7, 8, CharRule::kSet, kDigits, 1, false},
    {L"4 CODE39", 1, 150, CharRule::kSet, kCode39Chars, 1, true},
    {L"5 ITF", 2, 150, CharRule::kSet, kDigits, 1, true},
    {L"6 CODABAR", 1, 150, CharRule::kSet, kCodabarChars, 1, true},
    {L"7 CODE128", 2, kUnbounded, CharRule::kAscii, {}, 1, false},
    {L"8 CODE93", 1, kUnbounded, CharRule::kAscii, {}, 1, false},
    {L"9 JAN13 add on 2", 14, 15, CharRule::kSet, kDigits, 1, false},
    {L"10 JAN13 add on 5", 17, 18, CharRule::kSet, kDigits, 1, false},
    {L"11 GS1 Databar Omni-directional", 13, 13, CharRule::kSet, kDigits, 33, false},
    {L"12 GS1 Databar Truncated", 13, 13, CharRule::kSet, kDigits, 13, false},
    {L"13 GS1 Databar Limited", 13, 13, CharRule::kSet, kDigits, 10, false},
    {L"14 GS1 Databar Expanded", 2, 255, CharRule::kGs1, {}, 34, false},
};
constexpr std::uint8_t kKindCount1D = sizeof(kKinds1D) / sizeof(kKinds1D[0]);

struct Kind2D {
  const wchar_t* label;
  std::uint32_t min_length;
  std::uint32_t max_length;  // Maxi Code: by mode, see MaxiMaxLength
  std::uint8_t min_size, max_size;
  std::uint8_t min_height, max_height;
};

const Kind2D kKinds2D[] = {
    {L"0 QR Code Model-2", 1, 7089, 2, 16, 0, 255},
    {L"1 PDF417", 1, 499, 2, 8, 2, 127},
    {L"2 Data Matrix", 1, 3116, 2, 16, 0, 255},
    {L"3 Maxi Code", 1, 138, 0, 255, 0, 255},
    {L"4 GS1 Databar Stacked", 13, 13, 2, 16, 0, 255},
    {L"5 GS1 Databar Stacked Omni-directional", 13, 13, 2, 16, 33, 255},
    {L"6 GS1 Databar Expanded Stacked", 1, 255, 2, 16, 0, 255},
};
constexpr std::uint8_t kKindCount2D = sizeof(kKinds2D) / sizeof(kKinds2D[0]);

std::uint32_t MaxiMaxLength(std::uint8_t mode) {
  switch (mode) {
    case 2:
      return 123;
    case 3:
      return 126;
    default:
      return 138;
  }
}

}  // namespace

namespace barcode_internal {

const wchar_t* Label1D(std::uint8_t kind) {
  return kind < kKindCount1D ? kKinds1D[kind].label : L"Barcode";
}

const wchar_t* Label2D(std::uint8_t kind) {
  return kind < kKindCount2D ? kKinds2D[kind].label : L"2D Barcode";
}

}  // namespace barcode_internal

std::uint32_t CheckBarcodeParam(std::uint8_t* group, const std::uint8_t* data,
                                std::uint32_t length) {
  using namespace barcode1d;
  if (group == nullptr || (data == nullptr && length != 0)) {
    KVT_BARCODE_LOG(L"CheckBarcodeParam Invalid parameter");
    return e::kInvalidParameter;
  }
  const std::uint8_t kind = group[kSystem];
  if (kind >= kKindCount1D) {
    KVT_BARCODE_LOG(L"Barcode unknown type. [type:%d]", kind);
    return e::kInvalidParameter;
  }
  const Kind1D& k = kKinds1D[kind];
  std::uint32_t max_length = k.max_length;
  std::uint32_t result = 0;

  // CODABAR data either carries its own start and stop characters or gets
  // them from the group; the builder then adds two bytes.
  if (kind == kCodabar) {
    if (length >= 2 && IsCodabarStartStop(data[0])) {
      const std::uint8_t last = data[length - 1];
      if (!IsCodabarStartStop(last)) {
        KVT_BARCODE_LOG(L"%ls bad stop code. [A-D:%d]", k.label, SignedByte(last));
        return e::kInvalidData;
      }
    } else if (group[kStartChar] != 0xFF) {
      max_length = 148;
    } else if (length != 0) {
      KVT_BARCODE_LOG(L"%ls bad start code. [A-D:%d]", k.label, SignedByte(data[0]));
      return e::kInvalidData;
    }
  }

  if (length < k.min_length || length > max_length) {
    KVT_BARCODE_LOG(L"%ls bad data length. [%u-%u:%u]", k.label, k.min_length, max_length, length);
    result = e::kBadLength;
  }
  if (kind == kItf && length % 2 != 0) {
    KVT_BARCODE_LOG(L"%ls data length not even. [(Even):%u]", k.label, length);
    result = e::kBadLength;
  }

  if (group[kModuleWidth] == 0) group[kModuleWidth] = 3;
  const std::uint8_t width = group[kModuleWidth];
  if (width < 2 || width > 6) {
    KVT_BARCODE_LOG(L"%ls bad Width. [2-6:%d]", k.label, width);
    result = e::kBadLength;
  }

  if (group[kHeight] == 0) group[kHeight] = 162;
  const std::uint8_t height = group[kHeight];
  if (height < k.min_height) {
    KVT_BARCODE_LOG(L"%ls bad Height. [%d-255:%d]", k.label, k.min_height, height);
    result = e::kBadLength;
  }

  if (group[kHri] > 6) {
    KVT_BARCODE_LOG(L"%ls bad HRI pos. [0-6:%d]", k.label, group[kHri]);
    result = e::kInvalidParameter;
  }

  if (k.has_ratio && group[kNwRatio] > 2) {
    KVT_BARCODE_LOG(L"%ls bad NWRatio. [0-2:%d]", k.label, group[kNwRatio]);
    result = e::kInvalidParameter;
  }

  for (std::uint32_t i = 0; i < length; ++i) {
    const std::uint8_t byte = data[i];
    switch (k.rule) {
      case CharRule::kSet:
        if (!InSet(k.allowed, byte)) {
          KVT_BARCODE_LOG(L"%ls bad data [x%02x(%uth byte)]", k.label, SignedByteHex(byte), i);
          return e::kInvalidData;
        }
        break;
      case CharRule::kAscii:
        if (byte > 0x7F) {
          KVT_BARCODE_LOG(L"%ls bad data [x%02x(%uth byte)]", k.label, SignedByteHex(byte), i);
          return e::kInvalidData;
        }
        break;
      case CharRule::kGs1:
        if (InSet(kGs1Forbidden, byte)) {
          KVT_BARCODE_LOG(L"%ls bad data.[x%02x(%uth byte)]", k.label, SignedByteHex(byte), i);
          return e::kInvalidData;
        }
        break;
    }
  }
  return result;
}

std::uint32_t CheckBarcode2DParam(std::uint8_t* group, const std::uint8_t* data,
                                  std::uint32_t length) {
  using namespace barcode2d;
  if (group == nullptr || (data == nullptr && length != 0)) {
    KVT_BARCODE_LOG(L"CheckBarcode2DParam Invalid parameter");
    return e::kInvalidParameter;
  }
  const std::uint8_t kind = group[kSystem];
  if (kind >= kKindCount2D) {
    KVT_BARCODE_LOG(L"2D Barcode unknown type. [type:%d]", kind);
    return e::kInvalidParameter;
  }
  const Kind2D& k = kKinds2D[kind];
  std::uint32_t max_length = k.max_length;
  std::uint32_t result = 0;

  switch (kind) {
    case kQrCode:
      if (group[kModel] < 1 || group[kModel] > 2) {
        KVT_BARCODE_LOG(L"%ls bad model. [1-2:%d]", k.label, group[kModel]);
        return e::kInvalidData;
      }
      break;
    case kPdf417: {
      if (group[kModuleSize] == 0) group[kModuleSize] = 3;
      const std::uint8_t lines = group[kLines];
      const bool bad_lines = lines != 0 && (lines < 3 || lines > 90);
      if (bad_lines) KVT_BARCODE_LOG(L"%ls bad Line. [3-90:%d]", k.label, lines);
      const std::uint8_t columns = group[kColumns];
      if (columns != 0 && columns > 30) {
        KVT_BARCODE_LOG(L"%ls bad Column. [1-30:%d]", k.label, columns);
        return e::kInvalidData;
      }
      if (bad_lines) return e::kInvalidData;
      break;
    }
    case kDataMatrix:
      if (group[kModuleHeight] > 30) {
        KVT_BARCODE_LOG(L"%ls bad Module count. [0-30:%d]", k.label, group[kModuleHeight]);
        return e::kInvalidData;
      }
      break;
    case kMaxiCode: {
      const std::uint8_t mode = group[kMode];
      if (mode < 2 || mode > 5) {
        KVT_BARCODE_LOG(L"%ls bad mode. [mode%d]", k.label, mode);
        return e::kInvalidData;
      }
      max_length = MaxiMaxLength(mode);
      break;
    }
    case kGs1ExpandedStacked: {
      const std::uint8_t segments = group[kModuleHeight];
      if (segments < 2 || segments > 20) {
        KVT_BARCODE_LOG(L"%ls bad Element. [Element%d]", k.label, segments);
        return e::kInvalidData;
      }
      // The printer takes an even number of segments per row.
      group[kModuleHeight] = static_cast<std::uint8_t>(segments & ~1u);
      break;
    }
    default:
      break;
  }

  if (length < k.min_length || length > max_length) {
    KVT_BARCODE_LOG(L"%ls bad data length. [%u-%u:%u]", k.label, k.min_length, max_length, length);
    result = e::kBadLength;
  }

  if (group[kModuleSize] == 0) group[kModuleSize] = 6;
  const std::uint8_t size = group[kModuleSize];
  if (size < k.min_size || size > k.max_size) {
    KVT_BARCODE_LOG(L"%ls bad Size. [%d-%d:%d]", k.label, k.min_size, k.max_size, size);
    result = e::kBadLength;
  }

  const std::uint8_t height = group[kModuleHeight];
  if (height < k.min_height || height > k.max_height) {
    KVT_BARCODE_LOG(L"%ls bad Height. [%d-%d:%d]", k.label, k.min_height, k.max_height, height);
    result = e::kBadLength;
  }

  if (kind == kQrCode || kind == kPdf417) {
    const std::uint8_t max_level = kind == kQrCode ? 3 : 8;
    if (group[kErrorLevel] > max_level) {
      // Both kinds print the PDF417 range; the log readers know the text.
      KVT_BARCODE_LOG(L"%ls bad ErrorCorrectLevel. [0-8:%d]", k.label, group[kErrorLevel]);
      result = e::kInvalidData;
    }
  }

  if (kind == kPdf417 && group[kMode] > 1) {
    KVT_BARCODE_LOG(L"%ls bad Mode. [%d-%d:%d]", k.label, 0, 1, group[kMode]);
    result = e::kInvalidData;
  }

  // Characters. Maxi Code modes 2 and 3 start with a six-digit postal code.
  std::uint32_t digits = 0;
  if (kind == kGs1Stacked || kind == kGs1StackedOmni) {
    digits = length;
  } else if (kind == kMaxiCode && (group[kMode] == 2 || group[kMode] == 3)) {
    digits = 6;
  }
  for (std::uint32_t i = 0; i < digits; ++i) {
    if (i >= length) {
      // Data shorter than the postal code: report where it ran out.
      KVT_BARCODE_LOG(L"%ls bad data [x%02x(%uth byte)]", k.label, 0u, length);
      return e::kInvalidData;
    }
    if (!InSet(kDigits, data[i])) {
      KVT_BARCODE_LOG(L"%ls bad data [x%02x(%uth byte)]", k.label, SignedByteHex(data[i]), i);
      return e::kInvalidData;
    }
  }
  if (kind == kGs1ExpandedStacked) {
    for (std::uint32_t i = 0; i < length; ++i) {
      if (InSet(kGs1Forbidden, data[i])) {
        KVT_BARCODE_LOG(L"%ls bad data.[x%02x(%uth byte)]", k.label, SignedByteHex(data[i]), i);
        return e::kInvalidData;
      }
    }
  }
  return result;
}

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

namespace barcode_internal {

std::size_t HexPairsToBytes(std::uint8_t* out, const char16_t* text, std::size_t count) {
  if (out == nullptr || text == nullptr) return 0;
  std::size_t written = 0;
  std::size_t i = 0;
  while (i < count) {
    const int high = HexDigit(text[i]);
    if (high < 0) {
      ++i;
      continue;
    }
    if (i + 1 >= count) break;  // a high digit without its low digit
    const int low = HexDigit(text[i + 1]);
    if (low >= 0) out[written++] = static_cast<std::uint8_t>(high * 16 + low);
    i += 2;
  }
  return written;
}

}  // namespace barcode_internal

int HexTextToBytes(std::uint8_t* out, const char16_t* text, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(
      barcode_internal::HexPairsToBytes(out, text, static_cast<std::size_t>(count)));
}

}  // namespace kvt
