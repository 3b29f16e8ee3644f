// The barcode command builder: turns a barcode or two-dimensional code font
// setting plus test data into the printer's command bytes, after checking
// both. No user-interface code lives here; the Font page's test prints call
// GetBarcodeCommand and frame its result with their own text.
//
// A settings group is passed as a pointer to its 16 bytes inside the private
// settings record: the checks write their replacements (zero width, zero
// height, zero module size, odd segment count) back into those bytes, so
// the caller's record shows what was actually printed.
//
// Failures are logged to the SdkLog and reported as Win32 error codes:
// 13 invalid data, 24 bad length, 87 invalid parameter, 14 out of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvt {

constexpr std::size_t kBarcodeGroupSize = 16;

// Byte offsets in a one-dimensional barcode group (BarcodeFontSettings).
namespace barcode1d {
constexpr std::size_t kSystem = 0;
constexpr std::size_t kStartChar = 1;  // CODABAR: 0..3 = A..D, 0xFF = data has its own
constexpr std::size_t kStopChar = 2;
constexpr std::size_t kModuleWidth = 3;
constexpr std::size_t kHeight = 4;
constexpr std::size_t kHri = 5;
constexpr std::size_t kHexInput = 6;
constexpr std::size_t kRotate = 7;  // 4 or more: no rotation command
constexpr std::size_t kNwRatio = 8;

// Kinds (bySystem).
enum Kind : std::uint8_t {
  kUpcA = 0,
  kUpcE = 1,
  kEan13 = 2,
  kEan8 = 3,
  kCode39 = 4,
  kItf = 5,
  kCodabar = 6,
  kCode128 = 7,
  kCode93 = 8,
  kJan13AddOn2 = 9,
  kJan13AddOn5 = 10,
  kGs1Omni = 11,
  kGs1Truncated = 12,
  kGs1Limited = 13,
  kGs1Expanded = 14,
};
}  // namespace barcode1d

// Byte offsets in a two-dimensional barcode group (Barcode2DFontSettings).
namespace barcode2d {
constexpr std::size_t kSystem = 0;
constexpr std::size_t kModel = 1;
constexpr std::size_t kParam2 = 2;
constexpr std::size_t kMode = 3;
constexpr std::size_t kErrorLevel = 4;
constexpr std::size_t kLines = 5;
constexpr std::size_t kColumns = 6;
constexpr std::size_t kModuleSize = 7;
constexpr std::size_t kModuleHeight = 8;
constexpr std::size_t kRotate = 9;
constexpr std::size_t kHexInput = 10;
constexpr std::size_t kParam11 = 11;
constexpr std::size_t kParam12 = 12;

enum Kind : std::uint8_t {
  kQrCode = 0,
  kPdf417 = 1,
  kDataMatrix = 2,
  kMaxiCode = 3,
  kGs1Stacked = 4,
  kGs1StackedOmni = 5,
  kGs1ExpandedStacked = 6,
};
}  // namespace barcode2d

// The Win32 codes the builder reports.
namespace barcode_error {
constexpr std::uint32_t kInvalidData = 13;       // ERROR_INVALID_DATA
constexpr std::uint32_t kOutOfMemory = 14;       // ERROR_OUTOFMEMORY
constexpr std::uint32_t kBadLength = 24;         // ERROR_BAD_LENGTH
constexpr std::uint32_t kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
}  // namespace barcode_error

// Checks a one-dimensional request. |group| is the 16-byte group (width 0
// becomes 3 and height 0 becomes 162 in place), |data| holds |length| bytes.
// Answers 0, 13, 24 or 87; every failed check is logged.
std::uint32_t CheckBarcodeParam(std::uint8_t* group, const std::uint8_t* data,
                                std::uint32_t length);

// Checks a two-dimensional request, like CheckBarcodeParam (module size 0
// becomes 3 for PDF417 and 6 otherwise; an odd GS1 segment count is lowered).
std::uint32_t CheckBarcode2DParam(std::uint8_t* group, const std::uint8_t* data,
                                  std::uint32_t length);

// Hex digit pairs to bytes ("1B 40", "1b40" -> 1B 40). Characters that are
// not hex digits are skipped, a digit followed by a non-digit is dropped
// with it. |out| must hold count / 2 bytes. Answers the number of bytes
// written; 0 when |out| or |text| is null or |count| is not positive.
int HexTextToBytes(std::uint8_t* out, const char16_t* text, int count);
#ifdef _WIN32
inline int HexTextToBytes(std::uint8_t* out, const wchar_t* text, int count) {
  return HexTextToBytes(out, reinterpret_cast<const char16_t*>(text), count);
}
#endif

// Code 93 symbol values of |n| ASCII bytes (full-ASCII shifts), ending in
// 47. Nothing (and a log line) when a byte is above 0x7F.
std::optional<std::vector<std::uint8_t>> CreateBufCode93(const std::uint8_t* data, std::uint32_t n);

// Code 128 symbol values of |n| bytes written with the "{x" escapes that
// choose the code set and insert function characters, ending in 103.
// Nothing (and, except for a trailing lone "{", a log line) on bad data.
std::optional<std::vector<std::uint8_t>> CreateBufCode128(const std::uint8_t* data,
                                                          std::uint32_t n);

// Builds the print command for |count| UTF-16 characters of |text| with the
// one-dimensional group |group_1d| or, when that is null, the
// two-dimensional group |group_2d|. The text is taken as hex digit pairs
// when the group's hex-input flag is set, else converted to the ANSI code
// page. On success fills |command| and answers true; otherwise answers
// false with the thread's last error 13, 14, 24 or 87.
bool GetBarcodeCommand(std::uint8_t* group_1d, std::uint8_t* group_2d, const char16_t* text,
                       std::uint32_t count, std::vector<std::uint8_t>* command);
#ifdef _WIN32
inline bool GetBarcodeCommand(std::uint8_t* group_1d, std::uint8_t* group_2d, const wchar_t* text,
                              std::uint32_t count, std::vector<std::uint8_t>* command) {
  return GetBarcodeCommand(group_1d, group_2d, reinterpret_cast<const char16_t*>(text), count,
                           command);
}
#endif

}  // namespace kvt
