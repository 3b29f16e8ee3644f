// The system information report that accompanies the daily log.
#pragma once

namespace kvt::log {

// Rewrites "KvtSysInfo.txt" in the daily log's folder. Called by the daily
// log when it switches to a new daily file, while it holds the daily log's
// lock (so a record written from here does not take the lock again).
void WriteSystemInfoReport();

}  // namespace kvt::log
