#include "log/log_files.h"

#include "log/log_format.h"
#include "platform/ansi_text.h"
#include "platform/clock.h"
#include "platform/named_lock.h"
#include "platform/service.h"
#include "platform/wide_text.h"

namespace kvt::log {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

bool GrantUsersFullAccess(std::u16string_view folder) {
  return Service<FileSystem>().GrantUsersFullAccess(folder);
}

bool CreateDirectoryPath(std::u16string_view path) {
  FileSystem& files = Service<FileSystem>();
  if (path.empty()) return false;
  if (files.IsDirectory(path)) {
    GrantUsersFullAccess(path);
    return true;
  }
  // Make each missing prefix in turn. A prefix that cannot be made does not
  // end the walk: the root of a network share ("\\server") is no folder and
  // cannot be made, yet the folders below it can.
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (!IsSeparator(path[i])) continue;
    const std::u16string_view prefix = path.substr(0, i);
    if (IsSeparator(prefix.back()) || files.IsDirectory(prefix)) continue;
    files.MakeDirectory(prefix);
  }
  if (!files.IsDirectory(path)) files.MakeDirectory(path);
  if (!files.IsDirectory(path)) return false;
  GrantUsersFullAccess(path);
  return true;
}

std::u16string FolderOf(std::u16string_view path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  if (cut == 0) {
    // "C:name" names the current folder of drive C.
    if (path.size() >= 2 && path[1] == u':') return std::u16string(path.substr(0, 2));
    return std::u16string();
  }
  std::u16string folder(path.substr(0, cut));
  // Drop the trailing separator unless it is the root itself ("\", "C:\").
  const bool is_root = folder.size() == 1 || (folder.size() == 3 && folder[1] == u':');
  if (!is_root) folder.pop_back();
  return folder;
}

std::unique_ptr<FileSystem::File> OpenWithRetry(std::u16string_view path,
                                                std::atomic<bool>& write_failed,
                                                std::uint32_t* elapsed_ms) {
  FileSystem& files = Service<FileSystem>();
  Clock& clock = Service<Clock>();
  const std::uint32_t start = clock.Ticks();
  *elapsed_ms = 0;
  for (int failures = 1;; ++failures) {
    if (auto file = files.OpenExclusive(path)) {
      *elapsed_ms = clock.Ticks() - start;
      return file;
    }
    const std::uint32_t elapsed = clock.Ticks() - start;
    *elapsed_ms = elapsed;
    if (write_failed.load()) {
      if (failures >= 2) return nullptr;
    } else if (elapsed > kOpenGiveUpMs) {
      write_failed.store(true);
      return nullptr;
    }
    if (failures <= 10) {
      clock.Sleep(0);
    } else if (elapsed <= 500) {
      clock.Sleep(20);
    } else {
      clock.Sleep(500);
    }
  }
}

void PruneSdkLogFiles(std::u16string_view folder, std::uint64_t now_file_time,
                      std::uint32_t retention_units) {
  FileSystem& files = Service<FileSystem>();
  for (const FileSystem::Entry& entry : files.List(folder, u"20*.log")) {
    if (entry.is_directory) continue;
    if (!IsPastRetention(entry.last_write, retention_units, now_file_time)) continue;
    std::u16string path(folder);
    path += u'\\';
    path += entry.name;
    // Only files this log made carry the banner; anything else that happens
    // to match the pattern is somebody else's and stays.
    std::string head;
    if (!files.ReadPrefix(path, kBanner.size(), &head) || head != kBanner) continue;
    files.Delete(path);
  }
}

std::atomic<bool>& DriverLogWriteFailed() {
  static std::atomic<bool> failed{false};
  return failed;
}

bool AppendDriverLogLine(std::u16string_view path, std::uint32_t module_id, std::uint32_t level,
                         std::wstring_view text) {
  FileSystem& files = Service<FileSystem>();
  const std::u16string folder = FolderOf(path);
  if (!files.IsDirectory(folder) && !CreateDirectoryPath(folder)) return false;

  std::string ansi;
  if (!Service<AnsiText>().FromUtf16(WideToUtf16(text), &ansi)) return false;
  const std::string line = BuildDriverLogLine(Service<Clock>().Now(), module_id, level, ansi);

  std::atomic<bool>& write_failed = DriverLogWriteFailed();
  std::unique_ptr<NamedLock::Holder> holder;
  // The wait is bounded: every account can open this lock, and a process
  // that hangs holding it must not freeze the print dialog or the spooler.
  // A record that cannot take it is lost like one whose file stays locked.
  if (!IsHeld(Service<NamedLock>().Acquire(kDriverLockName, kLockWaitMs, &holder))) {
    write_failed.store(true);
    return true;
  }
  std::uint32_t elapsed = 0;
  auto file = OpenWithRetry(path, write_failed, &elapsed);
  if (!file) return true;
  if (!file->Append(line)) {
    write_failed.store(true);
    return true;
  }
  // In this file the marker follows the first record after a loss.
  if (write_failed.exchange(false)) file->Append(kFailedMarker);
  return true;
}

}  // namespace kvt::log
