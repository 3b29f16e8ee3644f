// File operations shared by both logs: folder creation, the open-with-retry
// rule, pruning of old daily files and the driver log's line append.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kvt::log {

// How long a writer waits for another process's log lock, and for a file
// that another writer holds open, before the record is given up.
constexpr std::uint32_t kLockWaitMs = 10000;
constexpr std::uint32_t kOpenGiveUpMs = 10000;

constexpr std::u16string_view kSdkLockName = u"Global\\KVT_SDK_LOGS";
// Spelled as every other component of the driver package spells it.
constexpr std::u16string_view kDriverLockName = u"Global\\KVT_PRNTER_DRIVER_LOG";

// Lets every local user write in |folder|; its outcome never stops logging.
bool GrantUsersFullAccess(std::u16string_view folder);

// Makes |path| and every missing folder above it, then opens it to every
// local user; true when |path| is a folder afterwards.
bool CreateDirectoryPath(std::u16string_view path);

// The drive and folder of a file path, with its trailing separator
// ("C:\Logs\" for "C:\Logs\a.log"); empty when the path names none.
std::u16string FolderOf(std::u16string_view path);

// Opens |path| exclusively, retrying while another writer holds it: ten
// retries right away, then every 20 ms up to 500 ms, then every 500 ms.
// Gives up after 10 s, setting |write_failed|; when |write_failed| is set
// already, after the second failed attempt, so a file that stays locked
// does not stall every record. |elapsed_ms| gets the time the open took.
std::unique_ptr<FileSystem::File> OpenWithRetry(std::u16string_view path,
                                                std::atomic<bool>& write_failed,
                                                std::uint32_t* elapsed_ms);

// Deletes the "20*.log" files of |folder| that are past the retention at
// local time |now| and begin with the log banner; others are kept.
void PruneSdkLogFiles(std::u16string_view folder, std::uint64_t now_file_time,
                      std::uint32_t retention_units);

// Writes one driver-log line for |text| to the file at |path|. True when
// the line was handled (written, or given up after the waits); false when
// the file's folder cannot be made or the text cannot be converted.
bool AppendDriverLogLine(std::u16string_view path, std::uint32_t module_id, std::uint32_t level,
                         std::wstring_view text);

// The driver log's write-failed flag.
std::atomic<bool>& DriverLogWriteFailed();

// Forgets the driver log's remembered text and its write-failed flag, as in
// a fresh process. For tests.
void ResetDriverLogForTesting();

}  // namespace kvt::log
