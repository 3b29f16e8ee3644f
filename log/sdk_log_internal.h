// The daily log's process-wide state and the operations behind WriteSdkLog,
// for the system information report (which writes into the same folder
// under the same lock) and for tests.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kvt::log {

// Reads the machine-wide settings and stores the level mask (with the
// "configuration read" bit) and the retention units.
void ReadSdkLogConfig();

// Finds or makes "<common application data>\KVT\Logs"; true when it exists.
bool EnsureSdkLogDirectory();

// Writes one finished record to the current daily file, switching files at
// a change of date, pruning, and rotating a file grown past 32,000,000 bytes.
void AppendSdkLogText(std::wstring_view text);

// The log folder found by EnsureSdkLogDirectory, or empty.
std::u16string SdkLogFolder();

// The settings in force: the level mask with its control bits, and the
// retention units.
std::uint32_t SdkLogLevelFlags();
std::uint32_t SdkLogRetentionUnits();

// Opens |path| exclusively with the daily log's retry rule and its
// write-failed flag (the report shares both).
std::unique_ptr<FileSystem::File> OpenWithSdkLogRetry(std::u16string_view path);

// The daily log's write-failed flag: set when a record was lost, cleared by
// whoever writes the "<=== Log output here failed" marker.
std::atomic<bool>& SdkLogWriteFailed();

// Forgets everything the process learned: configuration, folder, current
// date, flags and the repeat memory, as in a fresh process. For tests.
void ResetSdkLogForTesting();

}  // namespace kvt::log
