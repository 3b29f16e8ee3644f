// Shared by the builder's sources and its tests; not for other folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "log/sdk_log.h"
#include "platform/last_error.h"

namespace kvt::barcode_internal {

// The SdkLog keeps the part of the path from its last backslash, so every
// record of the builder carries the source name "BarcodeData".
inline constexpr const char kLogSource[] = "barcode\\BarcodeData";

// Every record of the builder is an error record with the caller's line
// (the log drops an error repeated from the same line, so the line must be
// the call site's, hence a macro) and the last error pending at that point.
#define KVT_BARCODE_LOG(...)                                                               \
  ::kvt::WriteSdkLog(::kvt::kSdkError, 'E', ::kvt::barcode_internal::kLogSource, __LINE__, \
                     ::kvt::GetThreadLastError(), __VA_ARGS__)

// The labels that name the kinds in the check messages.
const wchar_t* Label1D(std::uint8_t kind);  // "Barcode" for an unknown kind
const wchar_t* Label2D(std::uint8_t kind);  // "2D Barcode" for an unknown kind

// A byte as the messages print it: widened as a signed 8-bit number.
inline int SignedByte(std::uint8_t byte) { return static_cast<std::int8_t>(byte); }
inline unsigned SignedByteHex(std::uint8_t byte) {
  return static_cast<unsigned>(static_cast<int>(static_cast<std::int8_t>(byte)));
}

// HexTextToBytes without its int count.
std::size_t HexPairsToBytes(std::uint8_t* out, const char16_t* text, std::size_t count);

// Appends the print command of a checked request to |out|. False, with
// the thread's last error set and a log line, when the kind has no command
// or the data does not fit the command's length fields.
bool AppendCommand1D(const std::uint8_t* group, const std::uint8_t* data, std::uint32_t n,
                     std::vector<std::uint8_t>* out);
bool AppendCommand2D(const std::uint8_t* group, const std::uint8_t* data, std::uint32_t n,
                     std::vector<std::uint8_t>* out);

}  // namespace kvt::barcode_internal
