// The version of the printer description file ("KvtQvj2.gpd"), read from
// its "*GPDFileVersion:" line: the text between the next two double quotes
// after the key, split at full stops into major, minor and build.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file_version.h"

namespace kvt {

inline constexpr char kGpdVersionKey[] = "*GPDFileVersion:";
// The answer for a file that cannot be read or a key line without its two
// quotes (the plug-in's code for an invalid value).
inline constexpr std::uint32_t kGpdVersionInvalid = 107;
// Only this many bytes of a line are looked at.
inline constexpr std::size_t kGpdLineBytes = 259;
// A description file is far smaller; more than this is not read.
inline constexpr std::size_t kGpdMaxBytes = 1024 * 1024;

// 0 with |*version| set (0.0.0 when no line has the key), or 107 when the
// key's line lacks one of the two quotes. Every search stays inside |data|
// and inside the examined part of the line.
std::uint32_t ParseGpdFileVersion(std::string_view data, FileVersion* version);

// The same for the file at |path|: 107 when it cannot be read.
std::uint32_t ReadGpdFileVersion(std::u16string_view path, FileVersion* version);

}  // namespace kvt
