// Small system queries: the Windows version and its name, the word size of
// the system, the administrator check, the driver's resource library and
// the file-port check. The pages use them, and the system information
// report prints the version.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/library_loader.h"

namespace kvt {

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

// Reads the version values of "SOFTWARE\Microsoft\Windows NT\CurrentVersion"
// (the numbers "CurrentMajorVersionNumber" and "CurrentMinorVersionNumber",
// or the text "CurrentVersion" where the numbers are missing, and the text
// "CurrentBuildNumber"). True when every value was read; each failure is
// written to the daily log as an error. A key that cannot be opened gives
// true with all numbers 0.
bool GetOsVersion(OsVersion* version);

// Whether |version|, as the registry gave it, is |major|.|minor|. A minor
// number of 2 is what the registry says for every later system of the same
// line, so then the system itself is asked whether it is at least
// |major|.|minor|.
bool MatchesOsVersion(const OsVersion& version, std::uint32_t major, std::uint32_t minor);

// GetOsVersion, then MatchesOsVersion.
bool IsOsVersion(std::uint32_t major, std::uint32_t minor);

// Whether the operating system is 64-bit.
bool IsOs64Bit();

// The report's name for a version: 0 "Windows ???", 1 "Windows XP",
// 2 "Windows Vista", 3 "Windows 7", 4 "Windows 8", 5 "Windows 8.1",
// 6 "Windows10" (Windows 11 calls itself 10.0 as well).
int WindowsNameIndex(const OsVersion& version);
const char* WindowsName(int index);

// The report's host line, "Windows 7 (64bit)\r\n".
std::string HostVersionLine();

// Whether the process's token contains the local Administrators group,
// whatever the group's attributes.
bool IsUserAdmin();

// Loads the driver's resource library "KvtQvj2Res.dll" from "3" below the
// local printer driver folder, always by its full path; null when the
// folder is unknown or the library does not load. The folder is looked up
// once and held for the life of the process.
ModuleHandle LoadResourceLibrary();

// True when |port_name| is not empty and does not begin with "FILE" in any
// case ("FILE:" prints to a file the user names; "USB001" is a printer).
bool IsNotFilePort(std::u16string_view port_name);

// Forgets the held printer driver folder, as in a fresh process. For tests.
void ResetResourceLibraryForTesting();

}  // namespace kvt
