#include "log/system_info_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "log/log_format.h"
#include "log/sdk_log_internal.h"
#include "log/system_queries.h"
#include "platform/ansi_text.h"
#include "platform/file_system.h"
#include "platform/file_version.h"
#include "platform/service.h"
#include "platform/system_info.h"

namespace kvt::log {
namespace {

constexpr std::string_view kTitle = "[[[ KVT Thermal Printer System Information File ]]]\r\n";
constexpr std::string_view kHostHeader =
    "\r\n============= Host Version =================================\r\n";
constexpr std::string_view kModulesHeader =
    "\r\n============= Printer Driver Modules =======================\r\n";

// Below the Windows folder, in the order listed.
constexpr std::u16string_view kFolders64[] = {
    u"System32",
    u"SysWOW64",
    u"System32\\spool\\drivers\\x64\\3",
    u"System32\\spool\\prtprocs\\x64",
};
constexpr std::u16string_view kFolders32[] = {
    u"System32",
    u"System32\\spool\\drivers\\W32X86\\3",
    u"System32\\spool\\prtprocs\\W32X86",
};
constexpr std::u16string_view kPatterns[] = {u"KVT*.DLL", u"KVT*.EXE"};

char16_t FoldCase(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool NameLess(const FileSystem::Entry& a, const FileSystem::Entry& b) {
  return std::lexicographical_compare(
      a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
      [](char16_t x, char16_t y) { return FoldCase(x) < FoldCase(y); });
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::strlen(text)); }

// "Ver%d.%d%d%d": major and minor with a point, build and revision run on.
std::u16string VersionText(const FileVersion& version) {
  char text[64];
  std::snprintf(text, sizeof text, "Ver%d.%d%d%d", version.major, version.minor, version.build,
                version.revision);
  return Ascii(text);
}

// The package files found in the system and spooler folders: a folder line
// before the first listed file of each folder, then one line per file that
// has a version. Files without one, and folders without such files, leave
// no line.
std::u16string ModuleList() {
  SystemInfo& system = Service<SystemInfo>();
  FileSystem& files = Service<FileSystem>();
  FileVersionReader& versions = Service<FileVersionReader>();
  std::u16string windows;
  if (!system.WindowsFolder(&windows)) return std::u16string();

  std::vector<std::u16string_view> folders;
  if (IsOs64Bit()) {
    folders.assign(std::begin(kFolders64), std::end(kFolders64));
  } else {
    folders.assign(std::begin(kFolders32), std::end(kFolders32));
  }
  std::u16string out;
  for (std::u16string_view sub : folders) {
    const std::u16string folder = windows + u"\\" + std::u16string(sub);
    if (!files.IsDirectory(folder)) continue;
    bool listed = false;
    for (std::u16string_view pattern : kPatterns) {
      std::vector<FileSystem::Entry> entries = files.List(folder, pattern);
      // Sorted, so the list reads the same whatever order the folder keeps.
      std::sort(entries.begin(), entries.end(), NameLess);
      for (const FileSystem::Entry& entry : entries) {
        if (entry.is_directory) continue;
        FileVersion version;
        if (!versions.Read(folder + u"\\" + entry.name, &version)) continue;
        if (!listed) {
          out += u"[[" + folder + u"]]\r\n";
          listed = true;
        }
        out += entry.name + u" : " + VersionText(version) + u"\r\n";
      }
    }
  }
  return out;
}

// Lines 1 to 5 of the report.
std::string ReportText() {
  std::string text(kTitle);
  text += kHostHeader;
  text += HostVersionLine();
  text += kModulesHeader;
  std::string modules;
  // Names the code page cannot hold come out as its default character; a
  // conversion that fails outright costs the list, not the report.
  if (Service<AnsiText>().FromUtf16(ModuleList(), &modules)) text += modules;
  return text;
}

}  // namespace

void WriteSystemInfoReport() {
  const std::u16string folder = SdkLogFolder();
  if (folder.empty()) return;
  const std::u16string path = folder + u"\\" + std::u16string(kSystemInfoFileName);
  // Gathered before the file is opened, so the file is held only for the
  // write; a version value that fails to read is logged from here.
  const std::string text = ReportText();

  FileSystem& files = Service<FileSystem>();
  files.Delete(path);
  std::unique_ptr<FileSystem::File> file = OpenWithSdkLogRetry(path);
  if (!file) return;
  std::uint64_t size = 0;
  if (!file->Size(&size) || size != 0) {
    // A reader held the old report when it was to be deleted, and let go
    // while the open waited: delete it now, rather than add this report to
    // the old one.
    file.reset();
    files.Delete(path);
    file = OpenWithSdkLogRetry(path);
    if (!file || !file->Size(&size) || size != 0) return;
  }
  file->Append(text);
  if (SdkLogWriteFailed().exchange(false)) file->Append(kFailedMarker);
}

}  // namespace kvt::log
