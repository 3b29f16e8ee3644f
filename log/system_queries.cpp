#include "log/system_queries.h"

#include <memory>
#include <mutex>
#include <optional>

#include "log/sdk_log.h"
#include "platform/config_source.h"
#include "platform/last_error.h"
#include "platform/service.h"
#include "platform/system_info.h"

namespace kvt {
namespace {

constexpr std::u16string_view kVersionKey = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// Where the version records say they come from, whichever file holds them.
constexpr char kSource[] = ".\\System.cpp";

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorInvalidData = 13;
constexpr std::uint32_t kErrorMoreData = 234;
constexpr std::uint32_t kErrorFilenameTooLong = 206;

// A number as RegQueryValueExW reads it into a 4-byte buffer: up to four
// little-endian bytes; a longer value does not fit.
std::optional<std::uint32_t> ReadNumber(ConfigSource::Key& key, std::u16string_view name) {
  ConfigValue value;
  if (!key.Read(name, &value)) return std::nullopt;
  if (value.data.size() > 4) {
    SetThreadLastError(kErrorMoreData);
    return std::nullopt;
  }
  std::uint32_t number = 0;
  for (std::size_t i = value.data.size(); i > 0; --i) number = (number << 8) | value.data[i - 1];
  return number;
}

// A registry text: UTF-16 (little-endian) up to its first terminator.
std::optional<std::u16string> ReadText(ConfigSource::Key& key, std::u16string_view name) {
  ConfigValue value;
  if (!key.Read(name, &value)) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

bool IsScanSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// One "%d" of swscanf at |*pos|: blanks, an optional sign, digits.
bool ScanInt(std::u16string_view text, std::size_t* pos, std::uint32_t* value) {
  std::size_t i = *pos;
  while (i < text.size() && IsScanSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  const std::size_t digits = i;
  std::uint32_t number = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
    number = number * 10 + static_cast<std::uint32_t>(text[i] - u'0');
    ++i;
  }
  if (i == digits) return false;
  *value = negative ? 0u - number : number;
  *pos = i;
  return true;
}

// swscanf(text, "%d.%d"): how many numbers were converted.
int ScanMajorMinor(std::u16string_view text, std::uint32_t* major, std::uint32_t* minor) {
  std::size_t pos = 0;
  if (!ScanInt(text, &pos, major)) return 0;
  if (pos >= text.size() || text[pos] != u'.') return 1;
  ++pos;
  return ScanInt(text, &pos, minor) ? 2 : 1;
}

struct ResourceLibraryState {
  std::mutex mutex;
  std::u16string directory;
};

ResourceLibraryState& ResourceLibrary() {
  static ResourceLibraryState state;
  return state;
}

// The folder is held in a buffer of MAX_PATH characters, terminator
// included; with the library's name it stays well within the 388 of the
// full path's buffer.
constexpr std::size_t kMaxFolderChars = 259;
constexpr std::u16string_view kResourceLibrary = u"\\3\\KvtQvj2Res.dll";

}  // namespace

bool GetOsVersion(OsVersion* version) {
  *version = OsVersion();
  std::unique_ptr<ConfigSource::Key> key = Service<ConfigSource>().OpenMachineKey(kVersionKey);
  if (!key) return true;

  bool ok = true;
  if (std::optional<std::uint32_t> major = ReadNumber(*key, u"CurrentMajorVersionNumber")) {
    version->major = *major;
    if (std::optional<std::uint32_t> minor = ReadNumber(*key, u"CurrentMinorVersionNumber")) {
      version->minor = *minor;
    } else {
      const std::uint32_t error = GetThreadLastError();
      WriteSdkLog(kSdkError, 'E', kSource, __LINE__, error, L"[comm] RegQueryValueEx 2 GLE:%d",
                  static_cast<int>(error));
      ok = false;
    }
  } else if (std::optional<std::u16string> text = ReadText(*key, u"CurrentVersion")) {
    if (ScanMajorMinor(*text, &version->major, &version->minor) != 2) {
      SetThreadLastError(kErrorInvalidData);
      WriteSdkLog(kSdkError, 'E', kSource, __LINE__, kErrorInvalidData,
                  L"[comm] RegQueryValueEx 1 GLE:%d", static_cast<int>(kErrorInvalidData));
      ok = false;
    }
  } else if (const std::uint32_t error = GetThreadLastError(); error != kErrorFileNotFound) {
    // Missing altogether it leaves the version at 0.0 without a word;
    // present but unreadable it is worth a record.
    WriteSdkLog(kSdkError, 'E', kSource, __LINE__, error, L"[comm] RegQueryValueEx 1 GLE:%d",
                static_cast<int>(error));
    ok = false;
  }

  if (std::optional<std::u16string> text = ReadText(*key, u"CurrentBuildNumber")) {
    std::size_t pos = 0;
    if (!ScanInt(*text, &pos, &version->build)) {
      SetThreadLastError(kErrorInvalidData);
      WriteSdkLog(kSdkError, 'E', kSource, __LINE__, kErrorInvalidData, L"");
      ok = false;
    }
  } else {
    const std::uint32_t error = GetThreadLastError();
    WriteSdkLog(kSdkError, 'E', kSource, __LINE__, error, L"[comm] RegQueryValueEx 3 GLE:%d",
                static_cast<int>(error));
    ok = false;
  }
  return ok;
}

bool MatchesOsVersion(const OsVersion& version, std::uint32_t major, std::uint32_t minor) {
  if (version.major != major) return false;
  if (version.minor == 2) return Service<SystemInfo>().IsVersionAtLeast(major, minor);
  return version.minor == minor;
}

bool IsOsVersion(std::uint32_t major, std::uint32_t minor) {
  OsVersion version;
  GetOsVersion(&version);
  return MatchesOsVersion(version, major, minor);
}

bool IsOs64Bit() { return Service<SystemInfo>().Is64BitOs(); }

int WindowsNameIndex(const OsVersion& version) {
  // The first that holds wins: a system that says 6.2 but verifies as 6.3
  // is Windows 8.1.
  static constexpr struct {
    std::uint32_t major, minor;
    int index;
  } kNames[] = {{10, 1, 0}, {10, 0, 6}, {6, 3, 5}, {6, 2, 4}, {6, 1, 3}, {6, 0, 2}, {5, 1, 1}};
  for (const auto& name : kNames) {
    if (MatchesOsVersion(version, name.major, name.minor)) return name.index;
  }
  return 0;
}

const char* WindowsName(int index) {
  static constexpr const char* kNames[] = {"Windows ???", "Windows XP", "Windows Vista",
                                           "Windows 7",   "Windows 8",  "Windows 8.1",
                                           "Windows10"};
  return index >= 0 && index < 7 ? kNames[index] : kNames[0];
}

std::string HostVersionLine() {
  // Read once for all the names, so a failing value is logged once.
  OsVersion version;
  GetOsVersion(&version);
  std::string line = WindowsName(WindowsNameIndex(version));
  line += IsOs64Bit() ? " (64bit)\r\n" : " (32bit)\r\n";
  return line;
}

bool IsUserAdmin() { return Service<SystemInfo>().TokenHasAdministrators(); }

ModuleHandle LoadResourceLibrary() {
  LibraryLoader& loader = Service<LibraryLoader>();
  ResourceLibraryState& state = ResourceLibrary();
  std::u16string directory;
  {
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.directory.empty()) {
      // Held in full whenever it fits; the short form only stands in for a
      // folder too long for the buffer. With neither there is no library:
      // never a bare name that the search order would find elsewhere.
      std::u16string found;
      if (loader.PrinterDriverDirectory(&found) && !found.empty()) {
        std::u16string short_form;
        if (found.size() <= kMaxFolderChars) {
          state.directory = found;
        } else if (loader.ShortPath(found, &short_form) && !short_form.empty() &&
                   short_form.size() <= kMaxFolderChars) {
          state.directory = short_form;
        } else {
          SetThreadLastError(kErrorFilenameTooLong);
        }
      }
    }
    directory = state.directory;
  }
  if (directory.empty()) return nullptr;
  return loader.Load(directory + std::u16string(kResourceLibrary));
}

bool IsNotFilePort(std::u16string_view port_name) {
  if (port_name.empty()) return false;
  if (port_name.size() < 4) return true;
  static constexpr char16_t kFile[] = u"FILE";
  for (std::size_t i = 0; i < 4; ++i) {
    char16_t c = port_name[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != kFile[i]) return true;
  }
  return false;
}

void ResetResourceLibraryForTesting() {
  ResourceLibraryState& state = ResourceLibrary();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.directory.clear();
}

}  // namespace kvt
