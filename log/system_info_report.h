// The system information report that accompanies the daily log.
#pragma once

#include <string_view>

namespace kvt::log {

// The report's file, in the daily log's folder.
constexpr std::u16string_view kSystemInfoFileName = u"KvtSysInfo.txt";

// Rewrites "KvtSysInfo.txt" in the daily log's folder: the Windows version
// and word size, then the version of every driver package file
// ("KVT*.DLL", "KVT*.EXE") in the system and spooler folders. Called by
// the daily log when it switches to a new daily file, while it holds the
// daily log's lock (so a record written from here does not take the lock
// again).
void WriteSystemInfoReport();

}  // namespace kvt::log
