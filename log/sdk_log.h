// The machine-wide daily log ("SdkLog").
#pragma once

#include <cstdint>

namespace kvt {

// Level masks and their letters.
constexpr std::uint32_t kSdkError = 0x2;    // 'E'
constexpr std::uint32_t kSdkWarning = 0x4;  // 'W'
constexpr std::uint32_t kSdkDebug = 0x80;   // 'D'

// Writes one record when the configured level mask has |level_mask|.
// |source_file| is the caller's source path (8-bit), |line| the line of the
// call, |last_error| GetLastError taken just before the call. Leaves the
// thread's last error set to |last_error| when the record was considered.
void WriteSdkLog(std::uint32_t level_mask, char letter, const char* source_file, int line,
                 std::uint32_t last_error, const wchar_t* format, ...);

// True when a record of |level_mask| is to be written; keeps the
// configuration current. Leaves the thread's last error as it found it.
bool IsSdkLogEnabled(std::uint32_t level_mask);

}  // namespace kvt
